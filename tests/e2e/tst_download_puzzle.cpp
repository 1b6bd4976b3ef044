// Puzzles downloaded as a person does it: the real program runs on an X
// display of its own (xvfb-run) with a fresh home folder, servers on
// 127.0.0.1 serve the puzzles, and xdotool opens "Download...". First a link
// is added in the New Link dialog, downloaded and opened with "Open?"; then
// Download All fetches a dated link, an error page, a packed document and a
// link redirected to another server that asks for a login, and Return opens
// the first puzzle of the results. Each letter typed next must land in the
// downloaded file.
#include "core/puzzle.h"
#include "data/settings.h"
#include "ui/controls/control_palette.h"
#include "ui/controls/dpi_scaling.h"
#include "ui/download/url_list_selector.h"
#include "ui/shell/main_frame.h"

#include "document_builder.h"
#include "fixture_files.h"
#include "local_http_server.h"
#include "puz_builder.h"
#include "required_tools.h"
#include "test_main.h"

#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

namespace {

constexpr int kTimeoutMs = 30000;
constexpr unsigned long kSettleMs = 700;

QByteArray Xdotool(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    if (!process.waitForFinished(kTimeoutMs) || process.exitCode() != 0)
        return {};
    return process.readAllStandardOutput();
}

// Where a button of the Download Puzzle dialog is, found on a copy of the same size.
QPoint ButtonCenter(const QSize& size, QPushButton* (CURLListSelector::*button)() const)
{
    CURLListSelector plan;
    plan.resize(size);
    plan.show();
    QCoreApplication::processEvents();
    const QPushButton* found = (plan.*button)();
    return found->mapTo(&plan, found->rect().center());
}

} // namespace

class TestDownloadPuzzle : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void downloadAndOpen();
    void downloadAllAndOpen();

private:
    // Starts the program and opens the Download Puzzle dialog; its window id
    // and place. Copies of the windows measured on the way use g_settings.
    QRect OpenDownloadDialog(QProcess& program, QString* frameId, QString* selectorId);
    // Types a letter into the open puzzle and ends the program.
    void TypeAndQuit(QProcess& program, const QString& frameId);
    // The id and geometry of the visible window whose title is exactly title.
    QRect WaitForWindow(const QString& title, QString* id);
    void Click(const QRect& window, const QPoint& point);
    void Focus(const QString& id);

    QTemporaryDir root_;
    QString programPath_;
    QProcessEnvironment environment_;
    QString puzzleFolder_;
    QThread serverThread_;
    LocalHttpServer* server_ = nullptr;
    LocalHttpServer* other_ = nullptr; // on another port, behind a login
    QByteArray puzzle_;
    QString dated_; // today's file name of the dated link
};

void TestDownloadPuzzle::initTestCase()
{
    const QString missing = RequiredTools::Missing({{"xdotool", "xdotool"}, {"xvfb-run", "xvfb"}});
    if (!missing.isEmpty())
        QFAIL(qPrintable(missing));
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        QFAIL("needs an X display of its own: ctest runs it under xvfb-run (package xvfb)");
    QVERIFY(root_.isValid());
    const QString app = root_.filePath(QStringLiteral("app"));
    QVERIFY(QDir().mkpath(app));
    programPath_ = app + QStringLiteral("/gridmoor");
    QVERIFY(QFile::copy(QStringLiteral(GRIDMOOR_PROGRAM), programPath_));
    // The program loads its download module from its own folder.
    QVERIFY(QFile::copy(QStringLiteral(GRIDMOOR_HTTP_MODULE),
                        app + u'/' + QFileInfo(QStringLiteral(GRIDMOOR_HTTP_MODULE)).fileName()));
    QVERIFY(QFile::copy(QStringLiteral(GRIDMOOR_RESOURCES "/NYTimes.gmd"), app + QStringLiteral("/NYTimes.gmd")));

    const QString home = root_.filePath(QStringLiteral("home"));
    QVERIFY(QDir().mkpath(home + QStringLiteral("/run")));
    QFile::setPermissions(home + QStringLiteral("/run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    environment_ = QProcessEnvironment::systemEnvironment();
    environment_.insert(QStringLiteral("HOME"), home);
    environment_.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    environment_.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
    environment_.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/.cache"));
    environment_.insert(QStringLiteral("XDG_RUNTIME_DIR"), home + QStringLiteral("/run"));
    environment_.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment_.remove(QStringLiteral("XDG_DOCUMENTS_DIR"));
    for (const char* name : {"http_proxy", "https_proxy", "all_proxy", "HTTP_PROXY", "HTTPS_PROXY", "ALL_PROXY"}) {
        environment_.remove(QString::fromLatin1(name));
        qunsetenv(name);
    }
    puzzleFolder_ = home + QStringLiteral("/Documents/XWords");

    // The server answers from a thread of its own while this one waits for xdotool.
    puzzle_ = PuzBuilder({"CAT", "A.O", "TOP"}).Title("Downloaded").Build();
    server_ = new LocalHttpServer;
    LocalHttpServer::Reply reply;
    reply.body = puzzle_;
    reply.headers = {"Content-Disposition: attachment; filename=\"Today.puz\""};
    server_->SetReply("/today", reply);
    dated_ = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd'.puz'"));
    reply.headers.clear();
    server_->SetReply("/daily/" + dated_.toLatin1(), reply);
    reply.body = "<html><body>ACROSS&DOWN puzzles return tomorrow</body></html>";
    server_->SetReply("/page", reply);
    reply.body = DocumentBuilder::Pack(DocumentBuilder({"DOG", "O.N", "GEE"}).Build());
    server_->SetReply("/files/latest", reply);
    other_ = new LocalHttpServer;
    reply.credentials = "ann:secret";
    other_->SetReply("/locked.puz", reply);
    bool listening = other_->Listen();
    reply = LocalHttpServer::Reply();
    reply.status = "302 Found";
    reply.headers = {"Location: " + other_->Url(QStringLiteral("/locked.puz")).toLatin1()};
    server_->SetReply("/moved", reply);
    server_->moveToThread(&serverThread_);
    other_->moveToThread(&serverThread_);
    serverThread_.start();
    QMetaObject::invokeMethod(server_, [&] { listening &= server_->Listen(); }, Qt::BlockingQueuedConnection);
    QVERIFY(listening);
}

void TestDownloadPuzzle::cleanupTestCase()
{
    for (LocalHttpServer* server : {server_, other_}) {
        if (server != nullptr)
            QMetaObject::invokeMethod(server, &QObject::deleteLater);
    }
    serverThread_.quit();
    serverThread_.wait();
}

// The frame's title goes on with " - " and the open puzzle's title.
QRect TestDownloadPuzzle::WaitForWindow(const QString& title, QString* id)
{
    const QByteArray ids =
        Xdotool({QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
                 QStringLiteral("--name"), u'^' + QRegularExpression::escape(title) + QStringLiteral("( - .*)?$")});
    *id = QString::fromLatin1(ids.split('\n').value(0).trimmed());
    if (id->isEmpty())
        return {};
    QThread::msleep(kSettleMs);
    QMap<QByteArray, int> values;
    for (const QByteArray& line : Xdotool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), *id}).split('\n')) {
        const QList<QByteArray> pair = line.split('=');
        if (pair.size() == 2)
            values.insert(pair.at(0), pair.at(1).toInt());
    }
    return QRect(values.value("X"), values.value("Y"), values.value("WIDTH"), values.value("HEIGHT"));
}

void TestDownloadPuzzle::Click(const QRect& window, const QPoint& point)
{
    const QPoint screen = window.topLeft() + point;
    Xdotool({QStringLiteral("mousemove"), QString::number(screen.x()), QString::number(screen.y()),
             QStringLiteral("click"), QStringLiteral("1")});
    QThread::msleep(kSettleMs);
}

void TestDownloadPuzzle::Focus(const QString& id)
{
    Xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), id});
}

QRect TestDownloadPuzzle::OpenDownloadDialog(QProcess& program, QString* frameId, QString* selectorId)
{
    program.setProcessEnvironment(environment_);
    program.start(programPath_, {});
    if (!program.waitForStarted())
        return {};
    const QRect frameWindow = WaitForWindow(QStringLiteral("Gridmoor"), frameId);
    if (!frameWindow.isValid())
        return {};

    // Where "Menu" is, found on a copy of the same size.
    CMainFrame frame;
    frame.resize(frameWindow.size());
    frame.show();
    QCoreApplication::processEvents();
    const QPoint menu = frame.menuBar()->mapTo(&frame, frame.menuBar()->actionGeometry(frame.menuBar()->actions().first()).center());
    frame.hide();

    Focus(*frameId);
    Click(frameWindow, menu);
    // "Download..." is the item above the menu's last one, "Quit".
    Xdotool({QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("100"), QStringLiteral("Up"), QStringLiteral("Up"),
             QStringLiteral("Return")});
    return WaitForWindow(QStringLiteral("Download Puzzle"), selectorId);
}

void TestDownloadPuzzle::TypeAndQuit(QProcess& program, const QString& frameId)
{
    QThread::msleep(kSettleMs);
    Focus(frameId);
    Xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("80"), QStringLiteral("x")});
    QThread::msleep(kSettleMs);
    program.terminate();
    QVERIFY(program.waitForFinished(kTimeoutMs));
}

void TestDownloadPuzzle::downloadAndOpen()
{
    CSettings settings(ScaleByDpi(35), GetSystemColor(SystemColor::ButtonFace));
    settings.links.AddPresetLinks();
    QProcess program;
    QString frameId;
    QString selectorId;
    const QRect selectorWindow = OpenDownloadDialog(program, &frameId, &selectorId);
    QVERIFY2(selectorWindow.isValid(), "the Download Puzzle dialog did not appear");
    const QPoint newButton = ButtonCenter(selectorWindow.size(), &CURLListSelector::NewButton);
    const QPoint downloadButton = ButtonCenter(selectorWindow.size(), &CURLListSelector::DownloadButton);

    Click(selectorWindow, newButton);
    QString editorId;
    QVERIFY2(WaitForWindow(QStringLiteral("New Link"), &editorId).isValid(), "the New Link dialog did not appear");
    Focus(editorId);
    Xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("40"), QStringLiteral("Today")});
    Xdotool({QStringLiteral("key"), QStringLiteral("Tab")});
    Xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("20"),
             QStringLiteral("127.0.0.1:%1/today").arg(server_->Port())});
    Xdotool({QStringLiteral("key"), QStringLiteral("Return")});
    QThread::msleep(kSettleMs);

    // The new link is the selected last row.
    Focus(selectorId);
    Click(selectorWindow, downloadButton);
    QString questionId;
    QVERIFY2(WaitForWindow(QStringLiteral("Download Successful"), &questionId).isValid(), "no \"Open?\" question");
    Focus(questionId);
    Xdotool({QStringLiteral("key"), QStringLiteral("y")});
    TypeAndQuit(program, frameId);

    const QString saved = puzzleFolder_ + QStringLiteral("/Today.puz");
    QVERIFY2(QFile::exists(saved), qPrintable(QDir(puzzleFolder_).entryList().join(u' ')));
    QCOMPARE(server_->Requests().size(), 1);
    QCOMPARE(server_->Requests().first().target, QByteArray("/today"));
    CPuzzle reread;
    QCOMPARE(reread.Open(saved), int(CPuzzle::Success));
    QCOMPARE(reread.GetCell(0).entry, 'X');
}

void TestDownloadPuzzle::downloadAllAndOpen()
{
    CSettings settings(ScaleByDpi(35), GetSystemColor(SystemColor::ButtonFace));
    const QString server = QStringLiteral("127.0.0.1:%1").arg(server_->Port());
    settings.links.AppendLink({"Dated", server + QStringLiteral("/daily/{yyyy}-{MM}-{dd}.puz"), {}, {}});
    settings.links.AppendLink({"Page", QStringLiteral("http://") + server + QStringLiteral("/page"), {}, {}});
    settings.links.AppendLink({"Document", server + QStringLiteral("/files/latest"), {}, {}});
    settings.links.AppendLink({"Locked", server + QStringLiteral("/moved"), "ann", "secret"});
    QVERIFY(settings.SaveSettings());
    const QString dataFile = environment_.value(QStringLiteral("HOME")) + QStringLiteral("/Documents/GridmoorData");
    QFile::remove(dataFile);
    QVERIFY(QFile::copy(CSettings::DataFilePath(), dataFile));

    QProcess program;
    QString frameId;
    QString selectorId;
    const QRect selectorWindow = OpenDownloadDialog(program, &frameId, &selectorId);
    QVERIFY2(selectorWindow.isValid(), "the Download Puzzle dialog did not appear");
    Click(selectorWindow, ButtonCenter(selectorWindow.size(), &CURLListSelector::DownloadAllButton));
    QString resultsId;
    QVERIFY2(WaitForWindow(QStringLiteral("Download Results"), &resultsId).isValid(), "no results");
    // The dated puzzle, the first that arrived, is the current row.
    Focus(resultsId);
    Xdotool({QStringLiteral("key"), QStringLiteral("Return")});
    TypeAndQuit(program, frameId);

    QStringList files = QDir(puzzleFolder_).entryList({QStringLiteral("*.puz"), QStringLiteral("*.gmd")});
    QVERIFY2(files.contains(dated_) && files.contains(QStringLiteral("latest.gmd")), qPrintable(files.join(u' ')));
    QVERIFY(!files.contains(QStringLiteral("locked.puz")));
    CPuzzle reread;
    QCOMPARE(reread.Open(puzzleFolder_ + u'/' + dated_), int(CPuzzle::Success));
    QCOMPARE(reread.GetCell(0).entry, 'X');
    QCOMPARE(reread.Open(puzzleFolder_ + QStringLiteral("/latest.gmd")), int(CPuzzle::Success));
    QCOMPARE(other_->Requests().size(), 1);
    QCOMPARE(other_->Requests().first().authorization, QByteArray());
}

GRIDMOOR_TEST_MAIN(TestDownloadPuzzle)
#include "tst_download_puzzle.moc"
