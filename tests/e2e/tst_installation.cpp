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

#include <sys/stat.h>

namespace {

constexpr int kTimeoutMs = 60000;
constexpr int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
// The desktop caches the installation refreshes; they are not its own files.
const QStringList kGeneratedCaches = {QStringLiteral("share/applications/mimeinfo.cache"),
                                      QStringLiteral("share/mime/")};

// What makes an installation fail.
enum class Fault { DamagedShippedFile, FileInPlaceOfAFolder, LongPrefix };

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

// Every file and link (or every folder) below folder, as paths relative to
// it, sorted.
QStringList FilesBelow(const QString& folder, QDir::Filters filters = QDir::Files)
{
    QStringList files;
    QDirIterator it(folder, filters | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
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
                         "lib/gridmoor/libgridmoor_http.so",
                         "lib/gridmoor/libgridmoor_print.so",
                         "lib/gridmoor/libz.so.1",
                         "share/applications/org.gridmoor.gridmoor.desktop",
                         "share/icons/hicolor/scalable/apps/org.gridmoor.gridmoor.svg",
                         "share/metainfo/org.gridmoor.gridmoor.metainfo.xml",
                         "share/mime/packages/gridmoor.xml",
                         "share/thumbnailers/org.gridmoor.gridmoor.thumbnailer"};
    for (const int size : kIconSizes)
        files << QStringLiteral("share/icons/hicolor/%1x%1/apps/org.gridmoor.gridmoor.png").arg(size);
    files.sort();
    return files;
}

bool IsGeneratedCache(const QString& file)
{
    return file.endsWith(kGeneratedCaches.at(0))
        || (file.contains(kGeneratedCaches.at(1)) && !file.contains(QStringLiteral("share/mime/packages/")));
}

QStringList WithoutCaches(const QStringList& files)
{
    QStringList kept;
    for (const QString& file : files) {
        if (!IsGeneratedCache(file))
            kept << file;
    }
    return kept;
}

// Every entry below folder with what tells its state: a folder by its name, a
// file or link also by size, time, inode and link target, so that a file
// replaced even by an equal copy counts as changed.
QStringList Snapshot(const QString& folder)
{
    QStringList entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        struct stat status = {};
        lstat(QFile::encodeName(path).constData(), &status);
        const bool isFolder = S_ISDIR(status.st_mode);
        entries << QStringLiteral("%1 %2 %3.%4 %5 %6")
                       .arg(QDir(folder).relativeFilePath(path))
                       .arg(isFolder ? 0 : status.st_size)
                       .arg(isFolder ? 0 : status.st_mtim.tv_sec)
                       .arg(isFolder ? 0 : status.st_mtim.tv_nsec)
                       .arg(isFolder ? 0 : status.st_ino)
                       .arg(it.fileInfo().symLinkTarget());
    }
    entries.sort();
    return entries;
}

bool Write(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class TestInstallation : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void installationPlacesEveryFile();
    void desktopFilesAreValid();
    void desktopRecognisesTheFileType();
    void thumbnailerDrawsTheSample();
    void installedProgramOpensTheSample();
    void failedInstallationLeavesEverythingAsItWas_data();
    void failedInstallationLeavesEverythingAsItWas();
    void uninstallLeavesWhatWasThereBefore_data();
    void uninstallLeavesWhatWasThereBefore();

private:
    Outcome Install(const QString& prefix, const QString& destdir = QString()) const;
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
Outcome TestInstallation::Install(const QString& prefix, const QString& destdir) const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DESTDIR"), destdir);
    return Run(QStringLiteral(GRIDMOOR_CMAKE),
               {"--install", GRIDMOOR_BUILD_DIR, "--prefix", prefix, "--component", "Unspecified"}, environment);
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
    // Installed stripped: without the symbol table (and any debug information)
    // the build keeps.
    QVERIFY(ReadAll(GRIDMOOR_PROGRAM).contains(".symtab"));
    for (const char* installed :
         {"lib/gridmoor/gridmoor", "lib/gridmoor/libGridmoorSetup.so", "lib/gridmoor/libgridmoor_http.so",
          "lib/gridmoor/libgridmoor_print.so"})
        QVERIFY2(!ReadAll(Prefixed(installed)).contains(".symtab"), installed);
    // Shipped gzip-compressed, unpacked by the hook.
    QCOMPARE(ReadAll(Prefixed("lib/gridmoor/NYTimes.gmd")), ReadAll(GRIDMOOR_RESOURCES "/NYTimes.gmd"));
    for (const int size : kIconSizes) {
        const QImage icon(Prefixed(QStringLiteral("share/icons/hicolor/%1x%1/apps/org.gridmoor.gridmoor.png").arg(size)));
        QCOMPARE(icon.size(), QSize(size, size));
    }
}

// The system-wide files say what the program's own per-user registration
// writes, and the desktop's validators accept them.
void TestInstallation::desktopFilesAreValid()
{
    const QString entry = Prefixed("share/applications/org.gridmoor.gridmoor.desktop");
    QCOMPARE(QString::fromUtf8(ReadAll(entry)), DesktopEntryText(Prefixed("lib/gridmoor/gridmoor")));
    QVERIFY(ReadAll(entry).contains("Exec=\"" + QFile::encodeName(prefix_) + "/lib/gridmoor/gridmoor\" %f\n"));
    QCOMPARE(QString::fromUtf8(ReadAll(Prefixed("share/mime/packages/gridmoor.xml"))), MimePackageText());

    const Outcome entryCheck = Run(QStringLiteral("desktop-file-validate"), {entry});
    QVERIFY2(entryCheck.exitCode == 0 && entryCheck.output.isEmpty(), qPrintable(entryCheck.output));
    const Outcome metainfoCheck = Run(QStringLiteral("appstreamcli"),
                                      {"validate", "--no-net", Prefixed("share/metainfo/org.gridmoor.gridmoor.metainfo.xml")});
    QVERIFY2(metainfoCheck.exitCode == 0, qPrintable(metainfoCheck.output));
    QVERIFY(ReadAll(Prefixed("share/metainfo/org.gridmoor.gridmoor.metainfo.xml"))
                .contains("<launchable type=\"desktop-id\">org.gridmoor.gridmoor.desktop</launchable>"));
}

// A file manager runs the installed thumbnailer's command on the sample.
void TestInstallation::thumbnailerDrawsTheSample()
{
    const QString text = QString::fromUtf8(ReadAll(Prefixed("share/thumbnailers/org.gridmoor.gridmoor.thumbnailer")));
    QCOMPARE(text, ThumbnailerText(Prefixed("lib/gridmoor/gridmoor")));
    QStringList command = QProcess::splitCommand(text.section(QStringLiteral("\nExec="), 1).section(u'\n', 0, 0));
    const QString png = root_.filePath(QStringLiteral("sample.png"));
    command.replaceInStrings(QStringLiteral("%i"), Prefixed("lib/gridmoor/NYTimes.gmd"))
        .replaceInStrings(QStringLiteral("%o"), png).replaceInStrings(QStringLiteral("%s"), QStringLiteral("128"));
    const Outcome made = Run(command.takeFirst(), command);
    QVERIFY2(made.exitCode == 0, qPrintable(made.output));
    QCOMPARE(QImage(png).width(), QImage(png).height());
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
    QVERIFY2(gio.exitCode == 0 && gio.output.section(u'\n', 0, 0).contains("org.gridmoor.gridmoor.desktop"),
             qPrintable(gio.output));
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

// Whatever step fails, the installation takes back exactly what it placed:
// in a DESTDIR stage it never touches the live prefix, and over an earlier
// installation it leaves that one, and the desktop's caches, as they were.
void TestInstallation::failedInstallationLeavesEverythingAsItWas_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<bool>("overAnInstallation");
    QTest::addColumn<bool>("staged");
    QTest::addColumn<QString>("message");

    QTest::newRow("hook fails") << Fault::DamagedShippedFile << false << false << "cannot unpack the damaged";
    QTest::newRow("hook fails in a stage beside a live prefix")
        << Fault::DamagedShippedFile << true << true << "cannot unpack the damaged";
    QTest::newRow("hook fails over an installation")
        << Fault::DamagedShippedFile << true << false << "the earlier installation there is as it was";
    QTest::newRow("copy step fails") << Fault::FileInPlaceOfAFolder << false << false << "is not a directory";
    QTest::newRow("copy step fails over an installation")
        << Fault::FileInPlaceOfAFolder << true << false << "is not a directory";
    QTest::newRow("installation folder path too long") << Fault::LongPrefix << false << false
                                                        << "the installation folder's path is too long";
}

void TestInstallation::failedInstallationLeavesEverythingAsItWas()
{
    QFETCH(Fault, fault);
    QFETCH(bool, overAnInstallation);
    QFETCH(bool, staged);
    QFETCH(QString, message);

    const QString base = root_.filePath(QStringLiteral("failed-%1").arg(QTest::currentDataTag()).replace(u' ', u'-'));
    const QString prefix = base + (fault == Fault::LongPrefix ? u'/' + QString(240 - base.size(), u'p') : QStringLiteral("/prefix"));
    if (overAnInstallation)
        QCOMPARE(Install(prefix).exitCode, 0);
    const QString destdir = staged ? base + QStringLiteral("/stage") : QString();
    const QString target = destdir + prefix;
    if (fault == Fault::DamagedShippedFile)
        QVERIFY(Write(target + "/lib/gridmoor/junk.dat", QByteArray("\x1f\x8b\x08\x00\x00\x00\x00\x00\x00\x03garbage", 17)));
    if (fault == Fault::FileInPlaceOfAFolder) {
        QFile::remove(target + "/share/metainfo/org.gridmoor.gridmoor.metainfo.xml");
        QDir(target).rmdir(QStringLiteral("share/metainfo"));
        QVERIFY(Write(target + "/share/metainfo", "not a folder"));
    }
    const QStringList before = Snapshot(base);

    const Outcome installed = Install(prefix, destdir);
    QVERIFY(installed.exitCode != 0);
    QVERIFY2(installed.output.contains("Gridmoor was not installed"), qPrintable(installed.output));
    QVERIFY2(installed.output.simplified().contains(message), qPrintable(installed.output));
    QCOMPARE(Snapshot(base), before);
    if (overAnInstallation && !staged)
        QVERIFY(ReadAll(prefix + "/share/applications/mimeinfo.cache").contains("org.gridmoor.gridmoor.desktop"));
}

// The uninstall target removes what the installation placed, files of earlier
// versions it retired included, and the folders it made; another program's
// files and the folders that were there stay.
void TestInstallation::uninstallLeavesWhatWasThereBefore_data()
{
    QTest::addColumn<bool>("staged");
    QTest::addColumn<bool>("startedOnce");
    QTest::addColumn<QStringList>("formerFiles");

    QTest::newRow("after a first start") << false << true << QStringList();
    QTest::newRow("over an earlier version's names")
        << false << false
        << QStringList({"share/applications/gridmoor.desktop", "share/icons/hicolor/48x48/apps/gridmoor.png"});
    QTest::newRow("staged in DESTDIR") << true << false << QStringList();
}

void TestInstallation::uninstallLeavesWhatWasThereBefore()
{
    QFETCH(bool, staged);
    QFETCH(bool, startedOnce);
    QFETCH(QStringList, formerFiles);

    const QString base = root_.filePath(QStringLiteral("uninstalled-%1").arg(QTest::currentDataTag()).replace(u' ', u'-'));
    const QString prefix = base + QStringLiteral("/prefix");
    const QString destdir = staged ? base + QStringLiteral("/stage") : QString();
    const QString target = destdir + prefix;
    QVERIFY(Write(target + "/share/applications/other.desktop", "[Desktop Entry]\n"));
    const QStringList before = FilesBelow(base);
    for (const QString& file : formerFiles)
        QVERIFY(Write(target + u'/' + file, "of an earlier version"));
    const QStringList foldersBefore = FilesBelow(base, QDir::Dirs);
    QCOMPARE(Install(prefix, destdir).exitCode, 0);

    if (startedOnce) {
        QProcessEnvironment environment = FreshHome(QStringLiteral("uninstall-home"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(prefix + "/bin/gridmoor", {});
        QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(prefix + "/lib/gridmoor/NYTimes.gmd"), kTimeoutMs);
        program.terminate();
        QVERIFY(program.waitForFinished(kTimeoutMs));
    }

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DESTDIR"), destdir);
    const Outcome removed = Run(QStringLiteral(GRIDMOOR_CMAKE),
                                {"-DGRIDMOOR_BUILD_DIR=" GRIDMOOR_BUILD_DIR, "-DCOMPONENT=Unspecified", "-P",
                                 GRIDMOOR_UNINSTALL_SCRIPT}, environment);
    QVERIFY2(removed.exitCode == 0, qPrintable(removed.output));
    QCOMPARE(WithoutCaches(FilesBelow(base)), before);
    QCOMPARE(FilesBelow(base, QDir::Dirs), foldersBefore);
    QVERIFY(!ReadAll(target + "/share/applications/mimeinfo.cache").contains("gridmoor"));
}

GRIDMOOR_TEST_MAIN(TestInstallation)
#include "tst_installation.moc"
