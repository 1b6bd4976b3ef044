// The installation as a user makes it: `cmake --install` into a temporary
// prefix, its files checked with the desktop's own tools, and the installed
// program started on an X display of its own (xvfb-run) with a fresh home
// folder, where it must open the sample that the setup hook unpacked.
#include "core/puzzle.h"
#include "data/file_type_registration.h"

#include "required_tools.h"
#include "test_main.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

namespace {

constexpr int kTimeoutMs = 60000;
constexpr int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
// The desktop caches the installation refreshes; they are not its own files.
const QStringList kGeneratedCaches = {QStringLiteral("share/applications/mimeinfo.cache"),
                                      QStringLiteral("share/mime/")};

struct Outcome {
    int exitCode = -1;
    QString output;
};

Outcome Run(const QString& program, const QStringList& arguments,
            const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(kTimeoutMs))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAll()).trimmed()};
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every file and link below folder, as paths relative to it, sorted.
QStringList FilesBelow(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::System | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(folder).relativeFilePath(it.next());
    files.sort();
    return files;
}

QStringList ExpectedFiles()
{
    QStringList files = {"bin/gridmoor",
                         "lib/gridmoor/NYTimes.gmd",
                         "lib/gridmoor/gridmoor",
                         "lib/gridmoor/libGridmoorSetup.so",
                         "lib/gridmoor/libz.so.1",
                         "share/applications/gridmoor.desktop",
                         "share/icons/hicolor/scalable/apps/gridmoor.svg",
                         "share/metainfo/org.gridmoor.gridmoor.metainfo.xml",
                         "share/mime/packages/gridmoor.xml"};
    for (const int size : kIconSizes)
        files << QStringLiteral("share/icons/hicolor/%1x%1/apps/gridmoor.png").arg(size);
    files.sort();
    return files;
}

bool IsGeneratedCache(const QString& file)
{
    return file == kGeneratedCaches.at(0)
        || (file.startsWith(kGeneratedCaches.at(1)) && !file.startsWith(QStringLiteral("share/mime/packages/")));
}

} // namespace

class TestInstallation : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void installationPlacesEveryFile();
    void desktopFilesAreValid();
    void desktopRecognisesTheFileType();
    void installedProgramOpensTheSample();
    void failedHookRemovesTheInstallation();

private:
    Outcome Install(const QString& prefix) const;
    QProcessEnvironment FreshHome(const QString& name) const;
    QString Prefixed(const QString& file) const { return prefix_ + u'/' + file; }

    QTemporaryDir root_;
    // A blank in the prefix makes the desktop entry quote the program path.
    QString prefix_;
};

void TestInstallation::initTestCase()
{
    const QString missing = RequiredTools::Missing({{"cmake", "cmake"},
                                                    {"xdotool", "xdotool"},
                                                    {"xvfb-run", "xvfb"},
                                                    {"desktop-file-validate", "desktop-file-utils"},
                                                    {"appstreamcli", "appstream"},
                                                    {"gio", "libglib2.0-bin"},
                                                    {"xdg-mime", "xdg-utils"},
                                                    {"mimetype", "libfile-mimeinfo-perl"}});
    if (!missing.isEmpty())
        QFAIL(qPrintable(missing));
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        QFAIL("needs an X display of its own: ctest runs it under xvfb-run (package xvfb)");
    QVERIFY(root_.isValid());
    prefix_ = root_.filePath(QStringLiteral("my prefix"));
    const Outcome installed = Install(prefix_);
    QVERIFY2(installed.exitCode == 0, qPrintable(installed.output));
}

// The install runs as one component, which keeps the manifest of the user's
// own installation (install_manifest.txt) as it is.
Outcome TestInstallation::Install(const QString& prefix) const
{
    return Run(QStringLiteral(GRIDMOOR_CMAKE), {"--install", GRIDMOOR_BUILD_DIR, "--prefix", prefix,
                                                 "--component", "Unspecified"});
}

QProcessEnvironment TestInstallation::FreshHome(const QString& name) const
{
    const QString home = root_.filePath(name);
    QDir().mkpath(home + QStringLiteral("/run"));
    QFile::setPermissions(home + QStringLiteral("/run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/.cache"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home + QStringLiteral("/run"));
    environment.insert(QStringLiteral("XDG_DATA_DIRS"), Prefixed(QStringLiteral("share")));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    for (const char* session : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID"})
        environment.remove(QString::fromLatin1(session));
    return environment;
}

void TestInstallation::installationPlacesEveryFile()
{
    QStringList placed;
    for (const QString& file : FilesBelow(prefix_)) {
        if (!IsGeneratedCache(file))
            placed << file;
    }
    QCOMPARE(placed, ExpectedFiles());

    // The manifest names exactly these files, so that removing what it lists
    // removes the installation.
    QStringList manifest = QString::fromUtf8(ReadAll(GRIDMOOR_BUILD_DIR "/install_manifest_Unspecified.txt"))
                               .split(u'\n', Qt::SkipEmptyParts);
    for (QString& file : manifest)
        file = QDir(prefix_).relativeFilePath(file);
    manifest.sort();
    QCOMPARE(manifest, ExpectedFiles());

    QCOMPARE(QFileInfo(Prefixed("bin/gridmoor")).symLinkTarget(), Prefixed("lib/gridmoor/gridmoor"));
    QVERIFY(!QFileInfo(Prefixed("lib/gridmoor/libz.so.1")).isSymLink());
    // Shipped gzip-compressed, unpacked by the hook.
    QCOMPARE(ReadAll(Prefixed("lib/gridmoor/NYTimes.gmd")), ReadAll(GRIDMOOR_RESOURCES "/NYTimes.gmd"));
    for (const int size : kIconSizes) {
        const QImage icon(Prefixed(QStringLiteral("share/icons/hicolor/%1x%1/apps/gridmoor.png").arg(size)));
        QCOMPARE(icon.size(), QSize(size, size));
    }
}

// The system-wide files say what the program's own per-user registration
// writes, and the desktop's validators accept them.
void TestInstallation::desktopFilesAreValid()
{
    const QString entry = Prefixed("share/applications/gridmoor.desktop");
    QCOMPARE(QString::fromUtf8(ReadAll(entry)), DesktopEntryText(Prefixed("lib/gridmoor/gridmoor")));
    QVERIFY(ReadAll(entry).contains("Exec=\"" + QFile::encodeName(prefix_) + "/lib/gridmoor/gridmoor\" %f\n"));
    QCOMPARE(QString::fromUtf8(ReadAll(Prefixed("share/mime/packages/gridmoor.xml"))), MimePackageText());

    const Outcome entryCheck = Run(QStringLiteral("desktop-file-validate"), {entry});
    QVERIFY2(entryCheck.exitCode == 0 && entryCheck.output.isEmpty(), qPrintable(entryCheck.output));
    const Outcome metainfoCheck = Run(QStringLiteral("appstreamcli"),
                                      {"validate", "--no-net", Prefixed("share/metainfo/org.gridmoor.gridmoor.metainfo.xml")});
    QVERIFY2(metainfoCheck.exitCode == 0, qPrintable(metainfoCheck.output));
}

// Before the program ever ran, with the prefix as the desktop's only data
// folder: ".puz" files have the type, and the program is registered for it.
void TestInstallation::desktopRecognisesTheFileType()
{
    const QProcessEnvironment environment = FreshHome(QStringLiteral("desktop-home"));
    const QString puzzle = root_.filePath(QStringLiteral("today.puz"));
    QFile::copy(QStringLiteral(GRIDMOOR_RESOURCES "/sample.puz"), puzzle);

    QCOMPARE(Run(QStringLiteral("xdg-mime"), {"query", "filetype", puzzle}, environment).output,
             QStringLiteral("application/x-crossword"));
    const Outcome gio = Run(QStringLiteral("gio"), {"mime", "application/x-crossword"}, environment);
    QVERIFY2(gio.exitCode == 0 && gio.output.section(u'\n', 0, 0).contains("gridmoor.desktop"), qPrintable(gio.output));
}

void TestInstallation::installedProgramOpensTheSample()
{
    const QProcessEnvironment environment = FreshHome(QStringLiteral("player-home"));
    const QString sample = environment.value(QStringLiteral("HOME")) + QStringLiteral("/Documents/XWords/NYTimes.gmd");
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(Prefixed("bin/gridmoor"), {});
    QVERIFY(program.waitForStarted());

    const Outcome window = Run(QStringLiteral("xdotool"), {"search", "--sync", "--onlyvisible", "--name", "^Gridmoor( - .*)?$"});
    QVERIFY2(window.exitCode == 0 && !window.output.isEmpty(), "the installed program's window did not appear");
    QThread::msleep(1500);
    // No message box ("No Puzzle", a file error) next to the main window.
    const Outcome windows = Run(QStringLiteral("xdotool"),
                                {"search", "--onlyvisible", "--pid", QString::number(program.processId())});
    QCOMPARE(windows.output.split(u'\n', Qt::SkipEmptyParts).size(), 1);
    program.terminate();
    QVERIFY(program.waitForFinished(kTimeoutMs));

    // The first start moved the unpacked sample into the puzzle folder, opened
    // it, and closing wrote the progress into it.
    QVERIFY(!QFile::exists(Prefixed("lib/gridmoor/NYTimes.gmd")));
    CPuzzle puzzle;
    QCOMPARE(puzzle.Open(sample), int(CPuzzle::Success));
    QVERIFY(ReadAll(sample) != ReadAll(GRIDMOOR_RESOURCES "/NYTimes.gmd"));
}

// A file the hook cannot unpack makes the installation fail and take back
// every file and folder it placed; what was there before stays.
void TestInstallation::failedHookRemovesTheInstallation()
{
    const QString prefix = root_.filePath(QStringLiteral("broken"));
    QVERIFY(QDir().mkpath(prefix + QStringLiteral("/lib/gridmoor")));
    const QByteArray damaged("\x1f\x8b\x08\x00\x00\x00\x00\x00\x00\x03garbage", 17);
    QFile junk(prefix + QStringLiteral("/lib/gridmoor/junk.dat"));
    QVERIFY(junk.open(QIODevice::WriteOnly) && junk.write(damaged) == damaged.size());
    junk.close();

    const Outcome installed = Install(prefix);
    QVERIFY(installed.exitCode != 0);
    QVERIFY2(installed.output.contains("Gridmoor was not installed"), qPrintable(installed.output));
    QCOMPARE(FilesBelow(prefix), QStringList({"lib/gridmoor/junk.dat"}));
    QDirIterator folders(prefix, QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    QStringList remaining;
    while (folders.hasNext())
        remaining << QDir(prefix).relativeFilePath(folders.next());
    remaining.sort();
    QCOMPARE(remaining, QStringList({"lib", "lib/gridmoor"}));
    QCOMPARE(ReadAll(junk.fileName()), damaged);
}

GRIDMOOR_TEST_MAIN(TestInstallation)
#include "tst_installation.moc"
