#include "data/file_type_registration.h"

#include "required_tools.h"
#include "test_main.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

class TestFileTypeRegistration : public QObject {
    Q_OBJECT

private slots:
    void init();
    void firstRunWritesEverythingSecondRunNothing();
    void caseOnlyDifferencesCountAsInPlace();
    void movedProgramRewritesTheCommand_data();
    void movedProgramRewritesTheCommand();
    void userMimeAppsLinesAreKept_data();
    void userMimeAppsLinesAreKept();
    void formerRegistrationIsRewritten();
    void desktopToolsSeeTheAssociation_data();
    void desktopToolsSeeTheAssociation();

private:
    QString DataPath(const QString& name) const { return home_.path() + "/data/" + name; }
    QString MimeAppsPath() const { return home_.path() + "/config/mimeapps.list"; }

    QTemporaryDir home_;
};

namespace {

const QString kProgram = QStringLiteral("/opt/Grid moor/bin/Gridmoor");

QString ReadText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void WriteText(const QString& path, const QString& text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text.toUtf8());
}

// The command-line tool's answer, or an empty string when it failed.
QString Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

} // namespace

void TestFileTypeRegistration::init()
{
    QVERIFY(home_.isValid());
    QDir(home_.path()).removeRecursively();
    QDir().mkpath(home_.path());
    qputenv("HOME", home_.path().toUtf8());
    qputenv("XDG_DATA_HOME", (home_.path() + "/data").toUtf8());
    qputenv("XDG_CONFIG_HOME", (home_.path() + "/config").toUtf8());
    // The desktop tools then answer from the freedesktop files alone.
    for (const char* name : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID"})
        qunsetenv(name);
}

void TestFileTypeRegistration::firstRunWritesEverythingSecondRunNothing()
{
    QCOMPARE(RegisterFileTypes(kProgram), 3);

    const QString package = ReadText(DataPath("mime/packages/gridmoor.xml"));
    QVERIFY(package.contains(R"(<mime-type type="application/x-crossword">)"));
    QVERIFY(package.contains(R"(<alias type="crossword/puz"/>)"));
    QVERIFY(package.contains(R"(<glob pattern="*.puz"/>)"));
    QVERIFY(package.contains(R"(<glob pattern="*.gmd"/>)"));
    QVERIFY(package.contains("<comment>Crossword puzzle</comment>"));
    QVERIFY(package.contains(R"(<mime-type type="application/x-ipuz">)"));
    QVERIFY(package.contains(R"(<glob pattern="*.ipuz"/>)"));
    QVERIFY(package.contains(R"(<glob pattern="*.jpz"/>)"));

    const QStringList entry = ReadText(DataPath("applications/org.gridmoor.gridmoor.desktop")).split('\n');
    QVERIFY(entry.contains(R"(Exec="/opt/Grid moor/bin/Gridmoor" %f)"));
    QVERIFY(entry.contains("TryExec=/opt/Grid moor/bin/Gridmoor"));
    QVERIFY(entry.contains("Icon=org.gridmoor.gridmoor"));
    QVERIFY(entry.contains("MimeType=application/x-crossword;application/x-ipuz;application/x-jpz;"));

    QCOMPARE(ReadText(MimeAppsPath()), "[Default Applications]\napplication/x-crossword=org.gridmoor.gridmoor.desktop\n"
                                       "application/x-ipuz=org.gridmoor.gridmoor.desktop\napplication/x-jpz=org.gridmoor.gridmoor.desktop\n");

    QCOMPARE(RegisterFileTypes(kProgram), 0);
}

void TestFileTypeRegistration::caseOnlyDifferencesCountAsInPlace()
{
    RegisterFileTypes(kProgram);
    const QString entryPath = DataPath("applications/org.gridmoor.gridmoor.desktop");
    QString entry = ReadText(entryPath);
    entry.replace("Icon=org.gridmoor.gridmoor", "ICON=Org.GridMoor.GridMoor");
    WriteText(entryPath, entry);
    const QString packagePath = DataPath("mime/packages/gridmoor.xml");
    WriteText(packagePath, ReadText(packagePath).toUpper());
    WriteText(MimeAppsPath(), "[Default Applications]\nApplication/X-Crossword = Org.Gridmoor.Gridmoor.Desktop;other.desktop;\n"
                              "APPLICATION/X-IPUZ=ORG.GRIDMOOR.GRIDMOOR.DESKTOP\nApplication/x-jpz=org.gridmoor.gridmoor.desktop\n");

    QCOMPARE(RegisterFileTypes(kProgram), 0);
    QVERIFY(ReadText(entryPath).contains("ICON=Org.GridMoor.GridMoor"));
}

void TestFileTypeRegistration::movedProgramRewritesTheCommand_data()
{
    QTest::addColumn<QString>("movedTo");
    QTest::addColumn<QString>("execLine");

    QTest::newRow("other folder") << "/usr/local/bin/Gridmoor" << R"(Exec=/usr/local/bin/Gridmoor %f)";
    // File names are case-sensitive here, so the command must follow the exact name.
    QTest::newRow("only the case differs") << "/opt/grid moor/bin/gridmoor" << R"(Exec="/opt/grid moor/bin/gridmoor" %f)";
    QTest::newRow("characters the Exec line escapes")
        << R"(/opt/a"b$c\d 100%/Gridmoor)" << R"(Exec="/opt/a\\"b\\$c\\\\d 100%%/Gridmoor" %f)";
    // '%' is no reserved character, but is always doubled so it is not a field code.
    QTest::newRow("percent sign alone") << "/opt/100%/Gridmoor" << R"(Exec=/opt/100%%/Gridmoor %f)";
    QTest::newRow("reserved tilde") << "/opt/~games/Gridmoor" << R"(Exec="/opt/~games/Gridmoor" %f)";
}

void TestFileTypeRegistration::movedProgramRewritesTheCommand()
{
    QFETCH(QString, movedTo);
    QFETCH(QString, execLine);

    RegisterFileTypes(kProgram);
    QCOMPARE(RegisterFileTypes(movedTo), 1);
    QVERIFY(ReadText(DataPath("applications/org.gridmoor.gridmoor.desktop")).split('\n').contains(execLine));
    QCOMPARE(RegisterFileTypes(movedTo), 0);
}

void TestFileTypeRegistration::userMimeAppsLinesAreKept_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");

    QTest::newRow("other groups and defaults")
        << "[Added Associations]\ntext/plain=editor.desktop;\n\n[Default Applications]\ntext/html=browser.desktop\n"
        << "[Added Associations]\ntext/plain=editor.desktop;\n\n[Default Applications]\ntext/html=browser.desktop\n"
           "application/x-crossword=org.gridmoor.gridmoor.desktop\napplication/x-ipuz=org.gridmoor.gridmoor.desktop\napplication/x-jpz=org.gridmoor.gridmoor.desktop\n";
    QTest::newRow("defaults group followed by another")
        << "[Default Applications]\ntext/html=browser.desktop\n\n[Removed Associations]\nimage/png=viewer.desktop\n"
        << "[Default Applications]\ntext/html=browser.desktop\napplication/x-crossword=org.gridmoor.gridmoor.desktop\napplication/x-ipuz=org.gridmoor.gridmoor.desktop\napplication/x-jpz=org.gridmoor.gridmoor.desktop\n\n"
           "[Removed Associations]\nimage/png=viewer.desktop\n";
    // The user's own choice stays theirs.
    QTest::newRow("another program is the default")
        << "[Default Applications]\napplication/x-crossword=other.desktop\ntext/html=browser.desktop\n"
        << "[Default Applications]\napplication/x-crossword=other.desktop\ntext/html=browser.desktop\napplication/x-ipuz=org.gridmoor.gridmoor.desktop\napplication/x-jpz=org.gridmoor.gridmoor.desktop\n";
    QTest::newRow("another program's default for the former type")
        << "[Default Applications]\ncrossword/puz=other.desktop\n"
        << "[Default Applications]\ncrossword/puz=other.desktop\napplication/x-ipuz=org.gridmoor.gridmoor.desktop\napplication/x-jpz=org.gridmoor.gridmoor.desktop\n";
    QTest::newRow("an empty default")
        << "[Default Applications]\napplication/x-crossword=\n"
        << "[Default Applications]\napplication/x-crossword=org.gridmoor.gridmoor.desktop\napplication/x-ipuz=org.gridmoor.gridmoor.desktop\napplication/x-jpz=org.gridmoor.gridmoor.desktop\n";
    QTest::newRow("the former entry name, with the user's fallbacks")
        << "[Default Applications]\napplication/x-crossword=gridmoor.desktop;other.desktop;\n"
        << "[Default Applications]\napplication/x-crossword=org.gridmoor.gridmoor.desktop;other.desktop;\napplication/x-ipuz=org.gridmoor.gridmoor.desktop\napplication/x-jpz=org.gridmoor.gridmoor.desktop\n";
    QTest::newRow("this program's default for the former type")
        << "[Default Applications]\ncrossword/puz=gridmoor.desktop\ntext/html=browser.desktop\n"
        << "[Default Applications]\napplication/x-crossword=org.gridmoor.gridmoor.desktop\ntext/html=browser.desktop\napplication/x-ipuz=org.gridmoor.gridmoor.desktop\napplication/x-jpz=org.gridmoor.gridmoor.desktop\n";
    QTest::newRow("defaults for both types")
        << "[Default Applications]\napplication/x-crossword=gridmoor.desktop\nCROSSWORD/PUZ=gridmoor.desktop;\n"
        << "[Default Applications]\napplication/x-crossword=org.gridmoor.gridmoor.desktop\napplication/x-ipuz=org.gridmoor.gridmoor.desktop\napplication/x-jpz=org.gridmoor.gridmoor.desktop\n";
    QTest::newRow("no defaults group")
        << "[Added Associations]\ntext/plain=editor.desktop;"
        << "[Added Associations]\ntext/plain=editor.desktop;\n\n[Default Applications]\napplication/x-crossword=org.gridmoor.gridmoor.desktop\napplication/x-ipuz=org.gridmoor.gridmoor.desktop\napplication/x-jpz=org.gridmoor.gridmoor.desktop\n";
}

void TestFileTypeRegistration::userMimeAppsLinesAreKept()
{
    QFETCH(QString, before);
    QFETCH(QString, after);

    WriteText(MimeAppsPath(), before);
    RegisterFileTypes(kProgram);
    QCOMPARE(ReadText(MimeAppsPath()), after);
}

// What an earlier version left: the type "crossword/puz" everywhere and the
// program path always quoted.
void TestFileTypeRegistration::formerRegistrationIsRewritten()
{
    WriteText(DataPath("mime/packages/gridmoor.xml"),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
              "  <mime-type type=\"crossword/puz\">\n    <comment>puzfile</comment>\n"
              "    <glob pattern=\"*.puz\"/>\n    <glob pattern=\"*.gmd\"/>\n  </mime-type>\n</mime-info>\n");
    WriteText(DataPath("applications/org.gridmoor.gridmoor.desktop"),
              "[Desktop Entry]\nType=Application\nName=Gridmoor\nExec=\"/usr/local/bin/Gridmoor\" %f\nIcon=gridmoor\n"
              "Terminal=false\nMimeType=crossword/puz;\nCategories=Game;LogicGame;\n");
    WriteText(MimeAppsPath(), "[Default Applications]\ncrossword/puz=gridmoor.desktop\n");

    QCOMPARE(RegisterFileTypes("/usr/local/bin/Gridmoor"), 3);
    QVERIFY(ReadText(DataPath("mime/packages/gridmoor.xml")).contains(R"(<mime-type type="application/x-crossword">)"));
    const QStringList entry = ReadText(DataPath("applications/org.gridmoor.gridmoor.desktop")).split('\n');
    QVERIFY(entry.contains("Exec=/usr/local/bin/Gridmoor %f"));
    QVERIFY(entry.contains("MimeType=application/x-crossword;application/x-ipuz;application/x-jpz;"));
    QCOMPARE(ReadText(MimeAppsPath()), "[Default Applications]\napplication/x-crossword=org.gridmoor.gridmoor.desktop\n"
                                       "application/x-ipuz=org.gridmoor.gridmoor.desktop\napplication/x-jpz=org.gridmoor.gridmoor.desktop\n");
}

// What a file manager would ask: the type of a ".puz" file and the program
// that opens it.
void TestFileTypeRegistration::desktopToolsSeeTheAssociation_data()
{
    QTest::addColumn<QString>("programFolder");

    QTest::newRow("plain path") << "bin";
    QTest::newRow("path with reserved characters") << "my games (new) & more";
}

void TestFileTypeRegistration::desktopToolsSeeTheAssociation()
{
    QFETCH(QString, programFolder);

    // Outside a desktop session xdg-mime asks the mimetype command; without it
    // xdg-mime falls back to file(1), which never reads the user's database.
    const QString missing = RequiredTools::Missing({{"xdg-mime", "xdg-utils"},
                                                    {"mimetype", "libfile-mimeinfo-perl"},
                                                    {"update-mime-database", "shared-mime-info"},
                                                    {"desktop-file-validate", "desktop-file-utils"},
                                                    {"gio", "libglib2.0-bin"}});
    if (!missing.isEmpty())
        QFAIL(qPrintable(missing));
    const QString xdgMime = QStandardPaths::findExecutable("xdg-mime");

    const QString program = home_.path() + u'/' + programFolder + "/Gridmoor";
    WriteText(program, "#!/bin/sh\n");
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    RegisterFileTypes(program);

    const QString entry = DataPath("applications/org.gridmoor.gridmoor.desktop");
    QProcess validate;
    validate.start(QStandardPaths::findExecutable("desktop-file-validate"), {entry});
    QVERIFY(validate.waitForFinished(60000));
    const QByteArray complaints = validate.readAllStandardOutput() + validate.readAllStandardError();
    QVERIFY2(validate.exitCode() == 0 && complaints.isEmpty(), complaints.constData());

    const QString puzzle = home_.path() + "/x.puz";
    WriteText(puzzle, "not really a puzzle");
    QCOMPARE(Run(xdgMime, {"query", "filetype", puzzle}), QStringLiteral("application/x-crossword"));
    QCOMPARE(Run(xdgMime, {"query", "default", "application/x-crossword"}), QStringLiteral("org.gridmoor.gridmoor.desktop"));
    const QString gio = Run(QStandardPaths::findExecutable("gio"), {"mime", "application/x-crossword"});
    QVERIFY2(gio.section('\n', 0, 0).contains("org.gridmoor.gridmoor.desktop"), qPrintable(gio));
}

GRIDMOOR_TEST_GUILESS_MAIN(TestFileTypeRegistration)
#include "tst_file_type_registration.moc"
