// A screen reader's view of the real program: it runs on an X display of its
// own (xvfb-run) with a private D-Bus session bus and accessibility bus, and a
// probe reads it through AT-SPI as a screen reader does: the grid as a table,
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
const char* const kBusLauncher = "/usr/libexec/at-spi-bus-launcher";
// The Debian interpreter, for which the Debian packages install the bindings
// (another python3 earlier on the PATH would not have them).
const char* const kPython = "/usr/bin/python3";

// Ends a process the test started, asking first.
void Stop(QProcess& process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(kTimeoutMs)) {
        process.kill();
        process.waitForFinished(kTimeoutMs);
    }
}

} // namespace

class TestScreenReader : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void heard_data();
    void heard();

private:
    bool StartBuses();
    bool BusNameOwned(const QString& name);

    QProcessEnvironment environment_;
    QProcess sessionBus_;
    QProcess busLauncher_;
    QProcess program_;
    QJsonObject heard_;
};

bool TestScreenReader::BusNameOwned(const QString& name)
{
    QProcess query;
    query.setProcessEnvironment(environment_);
    query.start(QStringLiteral("dbus-send"),
                {QStringLiteral("--session"), QStringLiteral("--print-reply"),
                 QStringLiteral("--dest=org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                 QStringLiteral("org.freedesktop.DBus.NameHasOwner"), QStringLiteral("string:") + name});
    return query.waitForFinished(kTimeoutMs) && query.readAllStandardOutput().contains("boolean true");
}

// A session bus of the test's own, and the accessibility bus launcher on it,
// which starts the accessibility bus and its registry.
bool TestScreenReader::StartBuses()
{
    sessionBus_.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
    if (!sessionBus_.waitForStarted(kTimeoutMs))
        return false;
    while (!sessionBus_.canReadLine() && sessionBus_.waitForReadyRead(kTimeoutMs)) {
    }
    const QString address = QString::fromLatin1(sessionBus_.readLine().trimmed());
    if (address.isEmpty())
        return false;
    environment_.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address);
    busLauncher_.setProcessEnvironment(environment_);
    busLauncher_.start(QString::fromLatin1(kBusLauncher), {QStringLiteral("--launch-immediately")});
    if (!busLauncher_.waitForStarted(kTimeoutMs))
        return false;
    QElapsedTimer waited;
    waited.start();
    while (!BusNameOwned(QStringLiteral("org.a11y.Bus"))) {
        if (waited.elapsed() > kTimeoutMs || busLauncher_.state() == QProcess::NotRunning)
            return false;
        QTest::qWait(50);
    }
    return true;
}

void TestScreenReader::initTestCase()
{
    const QString missing = RequiredTools::Missing({{"xdotool", "xdotool"},
                                                    {"xvfb-run", "xvfb"},
                                                    {"dbus-daemon", "dbus-daemon"},
                                                    {"dbus-send", "dbus-bin"},
                                                    {kPython, "python3-gi"},
                                                    {kBusLauncher, "at-spi2-core"}});
    if (!missing.isEmpty())
        QFAIL(qPrintable(missing));
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        QFAIL("needs an X display of its own: ctest runs it under xvfb-run (package xvfb)");
    environment_ = QProcessEnvironment::systemEnvironment();
    environment_.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment_.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
    environment_.remove(QStringLiteral("XDG_DOCUMENTS_DIR"));
    QVERIFY2(StartBuses(), "the D-Bus session bus or the accessibility bus did not start (packages dbus-daemon, "
                           "at-spi2-core)");

    // 1 Across CAT and 3 Across WAR, each with one empty square.
    const QString puzzle = TestHome::Path() + QStringLiteral("/Documents/XWords/three.puz");
    QVERIFY(QDir().mkpath(QFileInfo(puzzle).path()));
    const PuzBuilder builder =
        PuzBuilder({"CAT", "O.O", "WAR"}).Entries({"C-T", "O.O", "W-R"}).Clues({"Pet", "Moo", "Hill", "Fight"});
    QVERIFY(FixtureFiles::Write(puzzle, builder.Build()));
    program_.setProcessEnvironment(environment_);
    program_.start(QStringLiteral(GRIDMOOR_PROGRAM), {puzzle});
    QVERIFY(program_.waitForStarted(kTimeoutMs));

    QProcess probe;
    probe.setProcessEnvironment(environment_);
    probe.start(QString::fromLatin1(kPython), {QStringLiteral(GRIDMOOR_PROBE), QString::number(program_.processId())});
    QVERIFY(probe.waitForFinished(2 * kTimeoutMs));
    const QByteArray output = probe.readAllStandardOutput();
    heard_ = QJsonDocument::fromJson(output).object();
    QVERIFY2(probe.exitCode() == 0 && !heard_.isEmpty(), (output + probe.readAllStandardError()).constData());
}

void TestScreenReader::cleanupTestCase()
{
    Stop(program_);
    Stop(busLauncher_);
    Stop(sessionBus_);
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
