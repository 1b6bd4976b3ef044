// A screen reader's view of the real program: it runs on an X display of its
// own (xvfb-run) with a private D-Bus session bus (dbus-run-session), on which
// the accessibility bus starts when the program asks for it, and a probe reads
// it through AT-SPI as a screen reader does: the grid as a table,
// the cursor's square as the focused cell, letters typed, the All Clues
// lists and the message of a solved puzzle.
#include "fixture_files.h"
#include "puz_builder.h"
#include "required_tools.h"
#include "test_home.h"
#include "test_main.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

namespace {

constexpr int kTimeoutMs = 30000;
// The Debian interpreter, for which the Debian packages install the bindings
// (another python3 earlier on the PATH would not have them).
const char* const kPython = "/usr/bin/python3";

} // namespace

class TestScreenReader : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void heard_data();
    void heard();

private:
    QProcess program_;
    QJsonObject heard_;
};

void TestScreenReader::initTestCase()
{
    const QString missing = RequiredTools::Missing({{"xdotool", "xdotool"},
                                                    {"xvfb-run", "xvfb"},
                                                    {"dbus-run-session", "dbus-daemon"},
                                                    {kPython, "python3-gi"},
                                                    {"/usr/libexec/at-spi-bus-launcher", "at-spi2-core"}});
    if (!missing.isEmpty())
        QFAIL(qPrintable(missing));
    if (qEnvironmentVariableIsEmpty("DISPLAY") || qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        QFAIL("needs an X display and a session bus of its own: ctest runs it under xvfb-run and dbus-run-session");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
    environment.remove(QStringLiteral("XDG_DOCUMENTS_DIR"));

    // 1 Across CAT and 3 Across WAR, each with one empty square.
    const QString puzzle = TestHome::Path() + QStringLiteral("/Documents/XWords/three.puz");
    QVERIFY(QDir().mkpath(QFileInfo(puzzle).path()));
    const PuzBuilder builder =
        PuzBuilder({"CAT", "O.O", "WAR"}).Entries({"C-T", "O.O", "W-R"}).Clues({"Pet", "Moo", "Hill", "Fight"});
    QVERIFY(FixtureFiles::Write(puzzle, builder.Build()));
    program_.setProcessEnvironment(environment);
    program_.start(QStringLiteral(GRIDMOOR_PROGRAM), {puzzle});
    QVERIFY(program_.waitForStarted(kTimeoutMs));

    QProcess probe;
    probe.setProcessEnvironment(environment);
    probe.start(QString::fromLatin1(kPython), {QStringLiteral(GRIDMOOR_PROBE), QString::number(program_.processId())});
    QVERIFY(probe.waitForFinished(2 * kTimeoutMs));
    const QByteArray output = probe.readAllStandardOutput();
    heard_ = QJsonDocument::fromJson(output).object();
    QVERIFY2(probe.exitCode() == 0 && !heard_.isEmpty(), (output + probe.readAllStandardError()).constData());
}

void TestScreenReader::cleanupTestCase()
{
    program_.terminate();
    if (!program_.waitForFinished(kTimeoutMs))
        program_.kill();
}

void TestScreenReader::heard_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("expected");
    QTest::newRow("grid") << "grid" << R"("Crossword grid: 3 x 3")";
    QTest::newRow("start") << "start"
                           << R"({"column":0,"description":"1 Across, Pet, 3 letters: C, blank, T",)"
                              R"("name":"C, 1","row":0})";
    QTest::newRow("right") << "right"
                           << R"({"column":1,"description":"1 Across, Pet, 3 letters: C, blank, T",)"
                              R"("name":"blank","row":0})";
    QTest::newRow("typed") << "typed" << R"("A")";
    QTest::newRow("moved on") << "after typing"
                              << R"({"column":2,"description":"1 Across, Pet, 3 letters: C, A, T",)"
                                 R"("name":"T, 2","row":0})";
    QTest::newRow("clue list") << "clue list" << R"("Across clues")";
    QTest::newRow("clues") << "clues" << R"(["1. Pet, solved","3. Fight"])";
    QTest::newRow("last square") << "last square"
                                 << R"({"column":1,"description":"3 Across, Fight, 3 letters: W, blank, R",)"
                                    R"("name":"blank","row":2})";
    QTest::newRow("message") << "message" << R"(["The puzzle has been solved correctly"])";
}

void TestScreenReader::heard()
{
    QFETCH(QString, what);
    QFETCH(QString, expected);
    QJsonObject wrapper;
    wrapper.insert(QStringLiteral("v"), heard_.value(what));
    const QByteArray actual = QJsonDocument(wrapper).toJson(QJsonDocument::Compact);
    QCOMPARE(QString::fromUtf8(actual.mid(5, actual.size() - 6)), expected);
}

GRIDMOOR_TEST_GUILESS_MAIN(TestScreenReader)
#include "tst_screen_reader.moc"
