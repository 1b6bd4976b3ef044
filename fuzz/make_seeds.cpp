// Writes the seed corpora of the fuzz targets into the folder given as the
// only argument: one folder "corpus-<target>" per target.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QString>

#include <cstdio>

namespace {

struct Seed {
    const char* name;
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
    };
}

bool WriteSeeds(const QString& folder, const QList<Seed>& seeds)
{
    if (!QDir().mkpath(folder))
        return false;
    for (const Seed& seed : seeds) {
        QFile file(folder + QLatin1Char('/') + QLatin1String(seed.name));
        if (!file.open(QIODevice::WriteOnly) || file.write(seed.bytes) != seed.bytes.size())
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds <folder>\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    if (!WriteSeeds(root + QStringLiteral("/corpus-xml_reader"), XmlSeeds())) {
        std::fprintf(stderr, "make_seeds: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
