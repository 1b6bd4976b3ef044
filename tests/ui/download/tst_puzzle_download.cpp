#include "core/message_event.h"
#include "core/puzzle_folders.h"
#include "data/download_messages.h"
#include "data/settings.h"
#include "ui/download/download_run.h"
#include "ui/download/progress_puzzle_download.h"
#include "ui/download/puzzle_transfer.h"

#include "document_builder.h"
#include "fixture_files.h"
#include "local_http_server.h"
#include "puz_builder.h"
#include "scripted_prompt.h"
#include "test_main.h"

#include <QDir>
#include <QLocale>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

Q_DECLARE_METATYPE(LocalHttpServer::Reply)

// The download of one link against a server on 127.0.0.1: what is saved
// where, and the one message each failure shows.
class TestPuzzleDownload : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void transfer_data();
    void transfer();
    void faultsFromOutside_data();
    void faultsFromOutside();
    void downloadAllKeepsEveryLinksResult();
    void countsEachPieceAsItArrives();
    void stopsWithoutLeavingAFile_data();
    void stopsWithoutLeavingAFile();
    void redirectToHttpsStaysHttps();
    void redirectsEndAfterTen();
    void startsOnlyOnce();
    void neverReplacesTheOpenPuzzle();

private:
    // Runs the dialog for a link to target on the server; true when it ended accepted.
    bool Run(CProgressPuzzleDownload& dialog);
    QString Saved(const QString& name) const { return folder_ + u'/' + name; }
    QStringList FolderEntries() const;

    LocalHttpServer server_;
    LocalHttpServer other_; // on another port, behind a login
    CSettings* settings_ = nullptr;
    QString folder_;
    QByteArray puzzle_;
};

namespace {

const QString kGeneral = DownloadFailureText(DownloadFailure::NetworkOrServer);

QString DateSuffix()
{
    return QLocale::c().toString(QDate::currentDate(), QStringLiteral("_MMM_dd_yyyy"));
}

LocalHttpServer::Reply Ok(const QByteArray& body, QList<QByteArray> headers = {})
{
    LocalHttpServer::Reply reply;
    reply.body = body;
    reply.headers = std::move(headers);
    return reply;
}

LocalHttpServer::Reply Status(const QByteArray& status)
{
    LocalHttpServer::Reply reply;
    reply.status = status;
    reply.body = "<html>" + status + "</html>";
    return reply;
}

URLEntry Link(const QString& url, const QString& login = {}, const QString& password = {})
{
    return URLEntry{QStringLiteral("Daily"), url, login, password};
}

} // namespace

void TestPuzzleDownload::initTestCase()
{
    // A proxy from the environment must not stand between the test and its server.
    for (const char* name : {"http_proxy", "https_proxy", "all_proxy", "HTTP_PROXY", "HTTPS_PROXY", "ALL_PROXY"})
        qunsetenv(name);
    QVERIFY(server_.Listen());
    QVERIFY(other_.Listen());
    LocalHttpServer::Reply locked;
    locked.body = "<html>secret</html>";
    locked.credentials = "ann:secret";
    other_.SetReply("/locked.puz", locked);
    puzzle_ = PuzBuilder({"CAT", "A.O", "TOP"}).Build();
    folder_ = GetPuzzleFolder();
}

void TestPuzzleDownload::init()
{
    settings_ = new CSettings(35, 0xC0C0C0);
    TestHome::RemoveFolder(folder_);
    EnsureFolder(folder_);
}

void TestPuzzleDownload::cleanup()
{
    delete settings_;
}

bool TestPuzzleDownload::Run(CProgressPuzzleDownload& dialog)
{
    QSignalSpy finished(&dialog, &QDialog::finished);
    dialog.show();
    if (!finished.wait(20000) && finished.isEmpty())
        return false;
    return finished.first().first().toInt() == QDialog::Accepted;
}

QStringList TestPuzzleDownload::FolderEntries() const
{
    return QDir(folder_).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

void TestPuzzleDownload::transfer_data()
{
    QTest::addColumn<LocalHttpServer::Reply>("reply");
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("saved");   // file name in the puzzle folder on success
    QTest::addColumn<QString>("message"); // the one message on failure
    const QByteArray puz = PuzBuilder({"CAT", "A.O", "TOP"}).Build();
    const QString daily = "Daily" + DateSuffix() + ".puz";
    auto noLength = Ok(puz);
    noLength.sendLength = false;
    auto credentials = Ok(puz);
    credentials.credentials = "ann:secret";
    auto emptyNoLength = Ok({});
    emptyNoLength.sendLength = false;
    auto endsEarly = Ok(puz);
    endsEarly.announcedLength = puz.size() + 100;
    auto huge = Ok({});
    huge.generatedBytes = 20 * 1024 * 1024;
    huge.sendLength = false;
    auto hugeAnnounced = huge;
    hugeAnnounced.sendLength = true;

    QTest::newRow("200 with length: link name and date") << Ok(puz) << "" << "" << daily << "";
    QTest::newRow("200 without length") << noLength << "" << "" << daily << "";
    QTest::newRow("server file name") << Ok(puz, {"Content-Disposition: attachment; filename=\"Mar05.puz\""})
                                      << "" << "" << "Mar05.puz" << "";
    QTest::newRow("blank server file name") << Ok(puz, {"Content-Disposition: attachment; filename=\" \""})
                                            << "" << "" << daily << "";
    QTest::newRow("server name with a folder")
        << Ok(puz, {"Content-Disposition: attachment; filename=\"dir/Mar05.puz\""}) << "" << "" << "Mar05.puz" << "";
    QTest::newRow("server name climbing out")
        << Ok(puz, {"Content-Disposition: attachment; filename=\"../../x.puz\""}) << "" << "" << "x.puz" << "";
    QTest::newRow("404") << Status("404 Not Found") << "" << "" << "" << "Error 404 - Requested URL not found";
    QTest::newRow("401 without credentials") << credentials << "" << "" << "" << "Error 401 - Authorization Required";
    QTest::newRow("401 with credentials") << credentials << "ann" << " secret " << daily << "";
    QTest::newRow("401 with wrong credentials") << credentials << "ann" << "guess" << ""
                                                << "Error 401 - Authorization Required";
    QTest::newRow("500") << Status("500 Internal Server Error") << "" << "" << ""
                         << "Error 500 - Server Configuration Error";
    QTest::newRow("503") << Status("503 Service Unavailable") << "" << "" << "" << "Error 503 - Server capacity reached";
    QTest::newRow("unknown status") << Status("418 Teapot") << "" << "" << "" << "Unknown Error";
    QTest::newRow("length 0") << Ok({}) << "" << "" << "" << kGeneral;
    QTest::newRow("empty body without length") << emptyNoLength << "" << "" << "" << kGeneral;
    QTest::newRow("body ends before its length") << endsEarly << "" << "" << "" << kGeneral;
    QTest::newRow("20 MiB body") << huge << "" << "" << "" << DownloadFailureText(DownloadFailure::TooLarge);
    QTest::newRow("20 MiB announced") << hugeAnnounced << "" << "" << ""
                                      << DownloadFailureText(DownloadFailure::TooLarge);
    QTest::newRow("HTML page with 200") << Ok("<!DOCTYPE html><html><body>Try later</body></html>") << "" << ""
                                        << "" << "The downloaded file is not a puzzle";
}

void TestPuzzleDownload::transfer()
{
    QFETCH(LocalHttpServer::Reply, reply);
    QFETCH(QString, login);
    QFETCH(QString, password);
    QFETCH(QString, saved);
    QFETCH(QString, message);
    const QByteArray target = "/download.php?c=xword&id=" + QByteArray(QTest::currentDataTag()).toPercentEncoding();
    server_.SetReply(target, reply);
    ScriptedPrompt prompt;
    CProgressPuzzleDownload dialog(Link(server_.Url(QString::fromLatin1(target)), login, password));

    const bool accepted = Run(dialog);

    if (message.isEmpty()) {
        QVERIFY2(accepted, qPrintable(dialog.ResultText()));
        QCOMPARE(dialog.ResultText(), Saved(saved));
        QCOMPARE(FixtureFiles::Read(Saved(saved)), reply.body);
        QCOMPARE(FolderEntries(), QStringList{saved});
        QCOMPARE(dialog.BytesText(), QString::number(reply.body.size()));
        QVERIFY(prompt.messages.isEmpty());
    } else {
        QVERIFY(!accepted);
        QCOMPARE(prompt.messages.size(), 1);
        QCOMPARE(prompt.messages.first().text, message);
        QCOMPARE(prompt.messages.first().caption, QStringLiteral("Download Error"));
        QCOMPARE(prompt.messages.first().icon, UserPrompt::Icon::Error);
        QCOMPARE(FolderEntries(), QStringList());
    }
    const LocalHttpServer::Request request = server_.Requests().last();
    QCOMPARE(request.userAgent, QByteArray("Gridmoor"));
    if (!login.isEmpty())
        QCOMPARE(request.authorization, "Basic " + (login + ':' + password.trimmed()).toLatin1().toBase64());
}

// Each fault found by trying the download from outside, against the server.
void TestPuzzleDownload::faultsFromOutside_data()
{
    QTest::addColumn<LocalHttpServer::Reply>("reply");
    QTest::addColumn<QByteArray>("existing"); // at the link's dated name before the download
    QTest::addColumn<QString>("saved");       // the file the dialog names; empty on failure
    QTest::addColumn<QString>("message");     // the start of the one message on failure
    const QString daily = "Daily" + DateSuffix();
    const QString e = QString(u'\u00e9');
    auto toOtherPort = Status("302 Found");
    toOtherPort.headers = {"Location: " + other_.Url("/locked.puz").toLatin1()};
    auto longName = Ok(puzzle_, {"Content-Disposition: attachment; filename=\"" + e.repeated(204).toUtf8() + ".puz\""});
    auto silent = Ok(puzzle_);
    silent.silent = true;
    auto hangUp = Ok(puzzle_);
    hangUp.hangUp = true;
    const QByteArray withEntries = PuzBuilder({"CAT", "A.O", "TOP"}).Entries({"C--", "---", "---"}).Build();
    const QByteArray document = DocumentBuilder::Pack(DocumentBuilder({"CAT", "A.O", "TOP"}).Build());

    QTest::newRow("1 login kept from the other port") << toOtherPort << QByteArray() << "" << StatusText(401);
    QTest::newRow("2 3xx without Location") << Status("302 Found") << QByteArray() << "" << "Unknown Error";
    QTest::newRow("3 name of 204 letters") << longName << QByteArray() << e.repeated(125) + ".puz" << "";
    QTest::newRow("4 page quoting the marker") << Ok("<html>ACROSS&DOWN</html>" + QByteArray(100, ' ')) << QByteArray()
                                               << "" << "The downloaded file is not a puzzle";
    QTest::newRow("5 name '..', a document") << Ok(document, {"Content-Disposition: attachment; filename=.."})
                                             << QByteArray() << daily + ".gmd" << "";
    QTest::newRow("6 other puzzle with entries") << Ok(PuzBuilder({"DOG", "O.N", "GEE"}).Build()) << withEntries
                                                 << daily + "_2.puz" << "";
    QTest::newRow("6 same puzzle with entries") << Ok(puzzle_) << withEntries << daily + ".puz" << "";
    QTest::newRow("7 server silent") << silent << QByteArray() << "" << "The server sent nothing for 0 seconds";
    QTest::newRow("8 connection closed") << hangUp << QByteArray() << "" << "The server closed the connection";
}

void TestPuzzleDownload::faultsFromOutside()
{
    QFETCH(LocalHttpServer::Reply, reply);
    QFETCH(QByteArray, existing);
    QFETCH(QString, saved);
    QFETCH(QString, message);
    const QByteArray target = "/download.php?c=xword&id=" + QByteArray(QTest::currentDataTag()).toPercentEncoding();
    server_.SetReply(target, reply);
    const QString existingName = "Daily" + DateSuffix() + ".puz";
    if (!existing.isEmpty())
        QVERIFY(FixtureFiles::Write(Saved(existingName), existing));
    const qsizetype before = server_.Requests().size() + other_.Requests().size();
    ScriptedPrompt prompt;
    CProgressPuzzleDownload dialog(Link(server_.Url(QString::fromLatin1(target)), "ann", "secret"));
    if (reply.silent)
        dialog.Transfer()->SetIdleTimeout(std::chrono::milliseconds(300));

    QCOMPARE(Run(dialog), message.isEmpty());

    QCOMPARE(prompt.messages.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty())
        QVERIFY2(prompt.messages.first().text.startsWith(message), qPrintable(prompt.messages.first().text));
    if (!saved.isEmpty())
        QCOMPARE(dialog.ResultText(), Saved(saved));
    QStringList files = existing.isEmpty() ? QStringList() : QStringList{existingName};
    if (!saved.isEmpty() && !files.contains(saved))
        files << saved;
    files.sort();
    QCOMPARE(FolderEntries(), files);
    if (!existing.isEmpty())
        QCOMPARE(FixtureFiles::Read(Saved(existingName)), existing);
    // One request to each server (the network library tries once more when a
    // server hangs up), and the one behind the redirect never saw the login.
    const bool redirect = !reply.headers.isEmpty() && reply.headers.first().startsWith("Location");
    if (!reply.hangUp)
        QCOMPARE(server_.Requests().size() + other_.Requests().size() - before, redirect ? 2 : 1);
    for (const LocalHttpServer::Request& request : other_.Requests())
        QCOMPARE(request.authorization, QByteArray());
}

// Every link gets its result, in the list's order; failures stop nothing.
void TestPuzzleDownload::downloadAllKeepsEveryLinksResult()
{
    server_.SetReply("/a/first.puz", Ok(puzzle_));
    server_.SetReply("/a/page", Ok("<html>no puzzle today</html>"));
    auto silent = Ok(puzzle_);
    silent.silent = true;
    server_.SetReply("/a/silent", silent);
    const QList<URLEntry> links{Link(server_.Url("/a/first.puz")), Link(server_.Url("/a/page")),
                                Link(server_.Url("/a/missing")), Link(server_.Url("/a/silent")),
                                Link(server_.Url("/a/first.puz")), Link("x.com/{hh}")};
    CDownloadRun run(links, QString());
    run.SetIdleTimeout(std::chrono::milliseconds(300));
    QSignalSpy finished(&run, &CDownloadRun::Finished);
    run.Start();
    QVERIFY(finished.wait(20000));

    QStringList results;
    for (const DownloadOutcome& outcome : run.Outcomes())
        results << OutcomeText(outcome);
    QCOMPARE(results, (QStringList{"Saved as first.puz", "Not a puzzle", StatusText(404),
                                   "The server sent nothing for 0 seconds, so the download was stopped.",
                                   "Already there: first.puz", results.last()}));
    QVERIFY(results.last().contains("{hh}"));
    QCOMPARE(FolderEntries(), QStringList{"first.puz"});
}

void TestPuzzleDownload::countsEachPieceAsItArrives()
{
    LocalHttpServer::Reply reply = Ok(puzzle_ + QByteArray(5000 - puzzle_.size(), '\0'));
    reply.pieceSize = 700;
    server_.SetReply("/pieces.puz", reply);
    ScriptedPrompt prompt;
    CProgressPuzzleDownload dialog(Link(server_.Url("/pieces.puz")));
    QList<qint64> counts;
    connect(dialog.Transfer(), &CPuzzleTransfer::BytesWrittenChanged, this, [&](qint64 total) {
        counts << total;
        QMetaObject::invokeMethod(&server_, &LocalHttpServer::SendNextPiece, Qt::QueuedConnection);
    });

    QVERIFY(Run(dialog));
    QCOMPARE(counts, (QList<qint64>{700, 1400, 2100, 2800, 3500, 4200, 4900, 5000}));
    QCOMPARE(dialog.BytesText(), QStringLiteral("5000"));
}

void TestPuzzleDownload::stopsWithoutLeavingAFile_data()
{
    QTest::addColumn<bool>("byAbortButton");
    QTest::newRow("Abort") << true;
    QTest::newRow("window closed") << false;
}

// The partly received body is thrown away, and a puzzle of the same name
// that was there before stays as it was.
void TestPuzzleDownload::stopsWithoutLeavingAFile()
{
    QFETCH(bool, byAbortButton);
    QVERIFY(FixtureFiles::Write(Saved("Mar05.puz"), "old puzzle"));
    LocalHttpServer::Reply reply = Ok(puzzle_ + QByteArray(4000, '\0'), {"Content-Disposition: attachment; filename=Mar05.puz"});
    reply.pieceSize = 700;
    reply.holdOpen = true;
    server_.SetReply("/slow.puz", reply);
    ScriptedPrompt prompt;
    CProgressPuzzleDownload dialog(Link(server_.Url("/slow.puz")));
    connect(dialog.Transfer(), &CPuzzleTransfer::BytesWrittenChanged, this, [&] {
        if (byAbortButton)
            QTest::mouseClick(dialog.AbortButton(), Qt::LeftButton);
        else
            dialog.close();
    });

    QVERIFY(!Run(dialog));
    QCOMPARE(prompt.messages.size(), 1);
    QCOMPARE(prompt.messages.first().text, kGeneral);
    QCOMPARE(dialog.BytesText(), QStringLiteral("700"));
    QCOMPARE(FolderEntries(), QStringList{"Mar05.puz"});
    QCOMPARE(FixtureFiles::Read(Saved("Mar05.puz")), QByteArray("old puzzle"));
}

void TestPuzzleDownload::redirectToHttpsStaysHttps()
{
    LocalHttpServer::Reply redirect = Status("302 Found");
    redirect.headers = {"Location: https://127.0.0.1:" + QByteArray::number(server_.Port()) + "/secure.puz"};
    server_.SetReply("/moved.puz", redirect);
    ScriptedPrompt prompt;
    CProgressPuzzleDownload dialog(Link(server_.Url("/moved.puz")));

    QVERIFY(!Run(dialog));
    // The second connection began a TLS handshake (a record of type 22).
    QCOMPARE(server_.Requests().last().firstBytes.left(1), QByteArray("\x16"));
    QCOMPARE(prompt.messages.size(), 1);
    QVERIFY(!prompt.messages.first().text.isEmpty());
    QVERIFY(prompt.messages.first().text != StatusText(-1));
    QCOMPARE(FolderEntries(), QStringList());
}

void TestPuzzleDownload::redirectsEndAfterTen()
{
    LocalHttpServer::Reply loop = Status("302 Found");
    loop.headers = {"Location: /loop.puz"};
    server_.SetReply("/loop.puz", loop);
    LocalHttpServer::Reply toFtp = Status("302 Found");
    toFtp.headers = {"Location: ftp://127.0.0.1/p.puz"};
    server_.SetReply("/ftp.puz", toFtp);
    ScriptedPrompt prompt;
    const qsizetype before = server_.Requests().size();
    CProgressPuzzleDownload looping(Link(server_.Url("/loop.puz")));
    QVERIFY(!Run(looping));
    QCOMPARE(server_.Requests().size() - before, CPuzzleTransfer::kMaxRedirects + 1);
    QCOMPARE(prompt.messages.last().text, DownloadFailureText(DownloadFailure::TooManyRedirects));

    CProgressPuzzleDownload leaving(Link(server_.Url("/ftp.puz")));
    QVERIFY(!Run(leaving));
    QCOMPARE(prompt.messages.size(), 2);
    QCOMPARE(prompt.messages.last().text, DownloadFailureText(DownloadFailure::RedirectScheme, "ftp"));
}

void TestPuzzleDownload::startsOnlyOnce()
{
    server_.SetReply("/once.puz", Ok(puzzle_));
    ScriptedPrompt prompt;
    const qsizetype before = server_.Requests().size();
    CProgressPuzzleDownload dialog(Link(server_.Url("/once.puz")));
    QSignalSpy finished(&dialog, &QDialog::finished);
    dialog.show();
    dialog.resize(dialog.width() + 10, dialog.height());
    for (int i = 0; i < 3; ++i)
        QCoreApplication::postEvent(&dialog, new MessageEvent(UM_START_DOWNLOAD));
    dialog.Transfer()->Start();
    QVERIFY(finished.wait(20000));
    QCoreApplication::postEvent(&dialog, new MessageEvent(UM_START_DOWNLOAD));
    QTest::qWait(100);
    QCOMPARE(server_.Requests().size() - before, 1);
    QVERIFY(prompt.messages.isEmpty());
}

void TestPuzzleDownload::neverReplacesTheOpenPuzzle()
{
    QVERIFY(FixtureFiles::Write(Saved("Mar05.puz"), "open puzzle"));
    settings_->lastPuzzlePath = Saved("Mar05.puz");
    settings_->links.AppendLink(Link(server_.Url("/today.puz")));
    server_.SetReply("/today.puz", Ok(puzzle_, {"Content-Disposition: attachment; filename=\"Mar05.puz\""}));
    ScriptedPrompt prompt;
    CProgressPuzzleDownload dialog(settings_->links.GetLinkCount() - 1);

    QVERIFY(Run(dialog));
    QCOMPARE(dialog.ResultText(), Saved("Mar05_2.puz"));
    QCOMPARE(FixtureFiles::Read(Saved("Mar05_2.puz")), puzzle_);
    QCOMPARE(FixtureFiles::Read(Saved("Mar05.puz")), QByteArray("open puzzle"));
}

GRIDMOOR_TEST_MAIN(TestPuzzleDownload)
#include "tst_puzzle_download.moc"
