#include "core/message_event.h"
#include "core/puzzle_folders.h"
#include "data/download_messages.h"
#include "data/settings.h"
#include "ui/download/progress_puzzle_download.h"
#include "ui/download/puzzle_transfer.h"

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
    QCOMPARE(dialog.ResultText(), Saved("Mar05_.puz"));
    QCOMPARE(FixtureFiles::Read(Saved("Mar05_.puz")), puzzle_);
    QCOMPARE(FixtureFiles::Read(Saved("Mar05.puz")), QByteArray("open puzzle"));
}

GRIDMOOR_TEST_MAIN(TestPuzzleDownload)
#include "tst_puzzle_download.moc"
