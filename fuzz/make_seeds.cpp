// Writes the seed corpora of the fuzz targets: one folder "corpus-<target>" in
// the project's fuzz folder, filled with the puzzles the tests build, the
// shipped samples, settings data files as the program and the settings tests
// write them, and a few XML texts written by hand.

#include "archive_bytes.h"
#include "data/color_schemes.h"
#include "data/settings.h"
#include "document_builder.h"
#include "ipuz_builder.h"
#include "jpz_builder.h"
#include "puz_builder.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QMap>
#include <QString>
#include <QTemporaryDir>

#include <cstdio>

namespace {

struct Seed {
    QByteArray name;
    QByteArray bytes;
};

// Texts that between them reach every token and both modes of the XML reader.
QList<Seed> XmlSeeds()
{
    return {
        {"document", "<crossword>\n<Width v=\"3\"/><Height v=\"3\"/>\n"
                     "<Title v=\"A%20title\"/><AllAnswer v=\"CAT-A-DOG\"/>\n"
                     "<across><a1 c=\"Pet\" n=\"1\" cn=\"1\"/></across>\n</crossword>\n"},
        {"declaration", "<?xml version=\"1.0\"?>\n<r a='single' b=bare c>text</r>"},
        {"verbatim", "<x>A<![CDATA[<y>]]>B<!-- note --><PRE>a<b></PRE>"
                     "<Script>if (a < b) x();</Script><!DOCTYPE html></x>"},
        {"html_habits", "<p>one<p>two</p><ul><li>a<li>b</ul><a>x</ab><br/>"},
        {"text_runs", "<a>  x = \"y<z>\" \t done \r\n</a><b/>"},
        {"unclosed_quote", "<a b=\"15>\n<c/>"},
        {"bad_end_tags", "<a></a b></>\n</x>"},
        {"nesting", QByteArray("<e>").repeated(40) + QByteArray("<f/>") + QByteArray("</e>").repeated(40)},
        {"too_deep", QByteArray("<e>").repeated(300)},
    };
}

const QList<QByteArray> kSmallGrid = {"CAT", "A.O", "BOX"};
const QList<QByteArray> kWideGrid = {"ABCD.", "E.FGH"};

// A 15 x 15 grid with a regular pattern of black squares.
QList<QByteArray> LargeGrid()
{
    QList<QByteArray> rows;
    for (int r = 0; r < 15; ++r) {
        QByteArray row;
        for (int c = 0; c < 15; ++c) {
            const bool black = (r % 4 == 3 && c % 4 == 1) || (r % 4 == 1 && c % 4 == 3);
            row += black ? '.' : char('A' + (r * 15 + c) % 26);
        }
        rows.append(row);
    }
    return rows;
}

// The sections after the notes, one kind per seed and all of them together,
// plus sections that lie about their length.
QList<Seed> SectionSeeds()
{
    const QMap<int, QByteArray> rebus = {{0, "CAT"}, {8, "XRAY"}};
    const QByteArray time = PuzBuilder::SectionBytes("LTIM", "42,0");
    return {
        {"circles", PuzBuilder(kSmallGrid).Circles({0, 4, 8}).Build()},
        {"rebus", PuzBuilder(kSmallGrid).Rebus(rebus).Build()},
        {"rebus_entered", PuzBuilder(kSmallGrid).Rebus(rebus).UserRebus({{0, "CAT"}, {2, "TEA"}}).Build()},
        {"timer", PuzBuilder(kSmallGrid).Section("LTIM", "42,0").Build()},
        {"timer_stopped", PuzBuilder(kSmallGrid).Section("LTIM", "3600,1").Build()},
        {"unknown_section", PuzBuilder(kSmallGrid).Section("ZZZZ", "kept as it is").Build()},
        {"all_sections", PuzBuilder(LargeGrid())
                             .Version("2.0")
                             .Notes("Notes \xce\xb1\xce\xb2")
                             .Circles({0, 16, 224})
                             .Rebus({{0, "AB"}, {20, "QRS"}})
                             .UserRebus({{0, "AB"}})
                             .Section("LTIM", "125,0")
                             .Section("ZZZZ", "x")
                             .Build()},
        {"no_notes_string", PuzBuilder(kSmallGrid).WithoutNotesString().Circles({1}).Build()},
        {"length_past_end", PuzBuilder(kSmallGrid).Tail(time.left(time.size() - 3)).Build()},
        {"wrong_size_markup", PuzBuilder(kSmallGrid).Section("GEXT", QByteArray(4, '\x80')).Build()},
        {"wrong_checksum", PuzBuilder(kSmallGrid).Tail(QByteArray(time).replace(6, 2, "\xff\xff")).Build()},
    };
}

QList<Seed> BinaryPuzzleSeeds()
{
    return SectionSeeds() + QList<Seed>{
        {"utf8", PuzBuilder(kWideGrid).Version("2.0").Title("\xce\x94" "elta \xf0\x9f\x98\x80").Build()},
        {"diagramless", PuzBuilder({"CAT", "A:O", "BOX"}).Entries({"C--", "-:-", "---"}).Build()},
        {"long_strings", PuzBuilder(kSmallGrid).Title(QByteArray(180, 'T')).Notes(QByteArray(600, 'n')).Build()},
        {"small", PuzBuilder(kSmallGrid).Build()},
        {"filled_lower_case", PuzBuilder(kSmallGrid).Entries({"cat", "-.o", "bo-"}).Build()},
        {"scrambled", PuzBuilder(kSmallGrid).ScrambledTag(0x0004).Build()},
        {"marker_moved", PuzBuilder(kSmallGrid).LeadingBytes("xyz").Build()},
        {"notes_and_accent", PuzBuilder(kWideGrid).Title("Caf\xe9").Notes("Some notes").Build()},
        {"clue_count_mismatch", PuzBuilder(kSmallGrid).DeclaredClueCount(3).Build()},
        {"fifteen", PuzBuilder(LargeGrid()).Build()},
    };
}

QList<Seed> DocumentSeeds()
{
    return {
        {"small", DocumentBuilder(kSmallGrid).Build()},
        {"with_progress", DocumentBuilder(kSmallGrid).Decision("CA  . BOX").Build()},
        {"quoted_clues", DocumentBuilder(kWideGrid)
                             .Title("Caf\xe9")
                             .ClueAttributes("a1", "cn=\"1\" c='Two%2C%20words%22' n=\"1\"")
                             .Build()},
        {"fifteen_with_comment",
         DocumentBuilder(LargeGrid()).Trailer("<!-- made by hand -->\n").Build()},
    };
}

// ipuz crosswords with every kind of square, style, clue and progress the
// reader knows, the forms real files take, and files that lie or are of
// another kind.
QList<Seed> IpuzSeeds()
{
    const QList<QByteArray> grid = {"CAT", "A_O", "BOX"};
    const QByteArray objectClues =
        "{\"Across\": [{\"number\": \"1\", \"clue\": \"<i>Pet</i> &amp; co\", \"enumeration\": 3},"
        " \"Unnumbered\"], \"Down:Going down\": [{\"number\": 1, \"clue\": \"Taxi\", \"cells\": [[1,1],[1,2],[1,3]]}],"
        " \"Diagonal\": [[1, \"Corner\"]]}";
    return {
        {"small", IpuzBuilder(kSmallGrid).Build()},
        {"void", IpuzBuilder(grid).Build()},
        {"wrapped_bom", "\xEF\xBB\xBF" + IpuzBuilder(kSmallGrid).Wrapped().Build()},
        {"trailing_comma", IpuzBuilder(kSmallGrid).Member("notes", "[1, 2,]").Build()},
        {"barred_shaded", IpuzBuilder(LargeGrid())
                              .Member("styles", "{\"bar\": {\"barred\": \"RB\"}, \"dark\": {\"color\": \"202020\"}}")
                              .Square(1, "{\"cell\": 0, \"style\": \"bar\"}")
                              .Square(17, "{\"cell\": \"0\", \"style\": {\"named\": \"dark\", \"shapebg\": \"circle\"}}")
                              .Square(33, "{\"cell\": 0, \"style\": {\"highlight\": true, \"barred\": \"TL\"}}")
                              .Build()},
        {"given_and_labels", IpuzBuilder(kSmallGrid)
                                 .Square(0, "{\"cell\": \"A\", \"value\": \"C\"}")
                                 .Square(4, "{\"cell\": 9, \"value\": [\"O\"]}")
                                 .Build()},
        {"no_solution", IpuzBuilder(kSmallGrid).Without("solution").Build()},
        {"partial_solution", IpuzBuilder(kSmallGrid).Member("solution", "[[\"C\",null,\"T\"],[\"A\",\"#\",\"O\"],[{\"value\":\"B\"},\"O\",\"\"]]").Build()},
        {"saved", IpuzBuilder(kSmallGrid)
                      .Member("saved", "[[\"C\",\"\",\"TEA\"],[\"a\",\"#\",0],[null,\"O\",\"X\"]]")
                      .Member("http://gridmoor.org/ipuz/progress", "{\"seconds\": 93}")
                      .Build()},
        {"object_clues", IpuzBuilder(kSmallGrid).Member("showenumerations", "true").Member("clues", objectClues).Build()},
        {"cells_from_zero", IpuzBuilder(kSmallGrid).Member("clues", "{\"Across\": [[\"1/2\", \"Run on\"]], \"Down\": "
                                   "[{\"number\": 2, \"clue\": \"d\", \"cells\": [[2,0],[2,1],[2,2]]}], "
                                   "\"Other\": [{\"clue\": \"o\", \"cells\": [[0,0]]}]}").Build()},
        {"string_clues", IpuzBuilder(kSmallGrid).Member("clues", "{\"Across\": [\"One\", \"Two\"], \"Down\": [\"Three\"]}").Build()},
        {"custom_block_empty", IpuzBuilder({"CAT", "A*O"}).Member("block", "\"*\"").Member("empty", "\"-\"")
                                   .Member("puzzle", "[[\"1\",\"-\",\"2\"],[\"-\",\"*\",\"-\"]]").Build()},
        {"sudoku", IpuzBuilder(kSmallGrid).Member("kind", "[\"http://ipuz.org/sudoku#1\"]").Build()},
        {"short_rows", IpuzBuilder(kSmallGrid).Member("puzzle", "[[1,2],[3],[]]").Build()},
        {"info_markup", IpuzBuilder(kWideGrid).Member("intro", "\"<b>Hello</b><br/>there &#233;\"")
                            .Member("publisher", "\"P\"").Member("date", "\"1/2/2024\"").Build()},
        {"fifteen", IpuzBuilder(LargeGrid()).Build()},
    };
}

// jpz crosswords in every root and namespace form, with every kind of square,
// word, clue and progress the reader knows, plain and zipped, and files of
// another kind or that lie.
QList<Seed> JpzSeeds()
{
    using Root = JpzBuilder::Root;
    const JpzBuilder small(kSmallGrid);
    const JpzBuilder styled = JpzBuilder({"CAT", "A_O", "BOX"})
                                  .Cell(0, "background-shape=\"circle\" solve-state=\"C\" solve-status=\"pencil\"")
                                  .Cell(1, "right-bar=\"true\" bottom-bar=\"true\" background-color=\"#C0C0C0\"")
                                  .Cell(2, "hint=\"true\" top-bar=\"true\" left-bar=\"true\"")
                                  .Cell(8, "solve-state=\"XY\"");
    const QByteArray clues = "<clues><title><b>Across</b></title><clue word=\"w\" number=\"1\" format=\"3\">"
                             "<i>Pet</i> &amp; co</clue></clues><clues><title>Down</title>"
                             "<clue word=\"v\" number=\"1\">Taxi</clue></clues><clues><title>Diagonal</title>"
                             "<clue number=\"1\">Corner</clue></clues><word id=\"w\" x=\"3-1\" y=\"1\"/>"
                             "<word id=\"v\"><cells x=\"1\" y=\"1-3\"/><cells x=\"2-3\" y=\"3\"/></word>";
    QList<Seed> seeds = {
        {"small", small.Build()},
        {"compiler_prefixed", JpzBuilder(small).WithRoot(Root::Compiler).Build()},
        {"puzzle_only", JpzBuilder(small).WithRoot(Root::PuzzleOnly).Settings(QByteArray()).Build()},
        {"styled", styled.Build()},
        {"bound_words", JpzBuilder(small).Clues(clues).Build()},
        {"metadata_markup", JpzBuilder(kWideGrid).Metadata("<title>&lt;b&gt;T&lt;/b&gt;</title><creator><![CDATA[A & B]]>"
                                                           "</creator><description>one<br/>two</description>").Build()},
        {"empty_settings", JpzBuilder(small).Settings("<applet-settings/>").Build()},
        {"acrostic", JpzBuilder(small).Kind("acrostic").Build()},
        {"clue_square", JpzBuilder(small).Build().replace("type=\"block\"", "type=\"clue\"")},
        {"fifteen", JpzBuilder(LargeGrid()).Build()},
    };
    const int plain = int(seeds.size());
    for (int k = 0; k < plain; k += 3)
        seeds.append({"zipped_" + seeds[k].name, JpzBuilder::Zipped(seeds[k].bytes)});
    return seeds;
}

// Packed documents, a plain puzzle, a file shorter than the magic, and packed
// texts just under and over the largest unpacked size.
QList<Seed> ContainerSeeds()
{
    QList<Seed> seeds;
    for (const Seed& document : DocumentSeeds())
        seeds.append({document.name, DocumentBuilder::Pack(document.bytes)});
    const QByteArray padding = "<!--" + QByteArray(29900, 'x') + "-->\n";
    seeds.append({"unpacks_to_30000", DocumentBuilder::Pack(
                                          DocumentBuilder(kSmallGrid).Trailer(padding).Build())});
    seeds.append({"unpacks_to_40000", DocumentBuilder::Pack(QByteArray(40000, ' '))});
    seeds.append({"plain_puzzle", PuzBuilder(kSmallGrid).Build()});
    seeds.append({"short", QByteArray("kavli")});
    return seeds;
}

// What servers send instead of a puzzle.
QList<Seed> DownloadSeeds()
{
    return {
        {"error_page", "<!DOCTYPE html><html><body>ACROSS&DOWN is back tomorrow</body></html>"},
        {"declared_document", "\xEF\xBB\xBF<?xml version=\"1.0\"?><!-- c --><!DOCTYPE x [<!ENTITY a \">\">]><crossword/>"},
        {"header_only", PuzBuilder(kSmallGrid).Build().left(52)},
    };
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The data file as the program saves it: defaults with the preset links, and
// changed values with a link whose texts need the longer length prefixes.
QList<Seed> SavedSettingsSeeds()
{
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/.config")).toLocal8Bit());
    QList<Seed> seeds;
    CSettings settings(35, 0x00C8D0D4);
    settings.LoadSettings();
    if (settings.SaveSettings())
        seeds.append({"saved_defaults", ReadFile(CSettings::DataFilePath())});
    settings.links.AppendLink({QString(300, QLatin1Char('n')), QStringLiteral("example.org/x.puz"),
                               QStringLiteral("me"), QString::fromUtf16(u"p\u00E4ss")});
    settings.cellSize = 2;
    settings.clueAtTop = false;
    settings.lastPuzzlePath = QString::fromUtf16(u"/home/u/Caf\u00E9.puz");
    settings.keyboardSize = 0;
    settings.keyboardX = -7;
    settings.clueViewHeight = 77;
    settings.splitterShown = false;
    if (settings.SaveSettings())
        seeds.append({"saved_changed", ReadFile(CSettings::DataFilePath())});
    return seeds;
}

// Data files written field by field, as the settings tests do: both string
// forms and every length prefix, older record versions and damaged files.
QList<Seed> SettingsSeeds()
{
    ArchiveBytes colors;
    for (int role = 0; role < kColorRoleCount; ++role)
        colors.I32(0x00102030 + role);
    const QByteArray head = colors.Bytes();
    const auto record = [](quint8 version, ArchiveBytes bytes) {
        bytes.U8(version).U8(2).U8(0).Utf16(QStringLiteral("/p.puz")).U8(1).I32(0).U8(0).I32(7).I32(-9);
        if (version >= 2)
            bytes.I32(77).U8(0);
        return bytes.Bytes();
    };
    const QByteArray oneLink = ArchiveBytes().I32(1).Utf16(QStringLiteral("Daily"))
        .Utf16(QStringLiteral("example.org/d.puz")).Utf16(QStringLiteral("me")).Utf16(QStringLiteral(" pw ")).Bytes();
    const QByteArray ansiLink = ArchiveBytes().I32(1).Ansi("Caf\xe9").Ansi("example.org/a.puz").Ansi("").Ansi("").Bytes();
    // A 16-bit length, then a 32-bit one, each in the 8-bit and the UTF-16 form.
    const QByteArray longLengths = ArchiveBytes().I32(1)
        .Raw(QByteArray::fromHex("ff2c01")).Raw(QByteArray(300, 'u'))
        .Raw(QByteArray::fromHex("fffeffff0300")).Raw(QByteArray(6, 'w'))
        .Raw(QByteArray::fromHex("ffffff02000000")).Raw("ab")
        .Raw(QByteArray::fromHex("fffeffffffff01000000")).Raw(QByteArray("z\0", 2)).Bytes();

    const QByteArray whole = head + oneLink + record(2, ArchiveBytes());
    return {
        {"version_2", whole},
        {"version_1", head + oneLink + record(1, ArchiveBytes())},
        {"version_0", head + oneLink + QByteArray(1, '\0')},
        {"ansi_link", head + ansiLink + record(2, ArchiveBytes())},
        {"long_lengths", head + longLengths + record(2, ArchiveBytes())},
        {"no_links", head + ArchiveBytes().I32(0).Bytes() + record(2, ArchiveBytes())},
        {"cut_in_record", whole.left(whole.size() - 6)},
        {"cut_in_colors", head.left(10)},
    };
}

// The shipped sample puzzles: ".puz" files seed the binary reader, packed
// documents the container and, unpacked, the document reader.
void AddSamples(const QString& folder, QList<Seed>* binary, QList<Seed>* documents,
                QList<Seed>* containers)
{
    const QFileInfoList files = QDir(folder).entryInfoList({"*.puz", "*.gmd"}, QDir::Files);
    for (const QFileInfo& info : files) {
        QFile file(info.filePath());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray bytes = file.readAll();
        const QByteArray name = "sample_" + info.fileName().toUtf8();
        if (info.suffix() == QLatin1String("puz")) {
            binary->append({name, bytes});
            continue;
        }
        containers->append({name, bytes});
        documents->append({name, DocumentBuilder::Unpack(bytes)});
    }
}

bool WriteSeeds(const QString& folder, const QList<Seed>& seeds)
{
    if (!QDir().mkpath(folder))
        return false;
    for (const Seed& seed : seeds) {
        QFile file(folder + QLatin1Char('/') + QString::fromUtf8(seed.name));
        if (!file.open(QIODevice::WriteOnly) || file.write(seed.bytes) != seed.bytes.size())
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds <project folder>\n");
        return 2;
    }
    const QString project = QString::fromLocal8Bit(argv[1]);
    QList<Seed> binary = BinaryPuzzleSeeds();
    QList<Seed> documents = DocumentSeeds();
    QList<Seed> containers = ContainerSeeds();
    AddSamples(project + QStringLiteral("/resources"), &binary, &documents, &containers);
    const QList<Seed> xml = XmlSeeds() + DocumentSeeds();

    const QString fuzz = project + QStringLiteral("/fuzz/corpus-");
    const bool written = WriteSeeds(fuzz + QStringLiteral("xml_reader"), xml)
        && WriteSeeds(fuzz + QStringLiteral("puz_reader"), binary)
        && WriteSeeds(fuzz + QStringLiteral("document_reader"), documents)
        && WriteSeeds(fuzz + QStringLiteral("container"), containers)
        && WriteSeeds(fuzz + QStringLiteral("ipuz_reader"), IpuzSeeds())
        && WriteSeeds(fuzz + QStringLiteral("jpz_reader"), JpzSeeds())
        && WriteSeeds(fuzz + QStringLiteral("download_body"), binary + documents + containers + DownloadSeeds() + JpzSeeds())
        && WriteSeeds(fuzz + QStringLiteral("settings"), SettingsSeeds() + SavedSettingsSeeds());
    if (!written) {
        std::fprintf(stderr, "make_seeds: cannot write the corpora into %s/fuzz\n", argv[1]);
        return 1;
    }
    return 0;
}
