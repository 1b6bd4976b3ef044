#include "core/puzzle_folders.h"
#include "data/command_ids.h"
#include "data/settings.h"
#include "ui/controls/context_menu_edit.h"
#include "ui/download/dlg_url_corection.h"
#include "ui/download/download_results_dlg.h"
#include "ui/download/url_edit.h"
#include "ui/download/url_list_selector.h"
#include "ui/shell/main_frame.h"

#include "local_http_server.h"
#include "puz_builder.h"
#include "scripted_prompt.h"
#include "test_main.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// The Download Puzzle dialog and the New / Edit Link dialog: the list and
// its selection after each change, what is stored and saved, the download
// that may open the new puzzle, and where the controls go.
class TestLinkDialogs : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void listShowsLinksInOrder();
    void deleteKeepsARowSelected_data();
    void deleteKeepsARowSelected();
    void newLinkIsAddedAndSelected();
    void editWithoutRowsOpensNewLink();
    void okStoresTrimmedFields_data();
    void okStoresTrimmedFields();
    void downloadThenAskToOpen_data();
    void downloadThenAskToOpen();
    void downloadCommandOpensThePuzzle();
    void addressStaysOneLine();
    void controlsDoNotOverlap();
    void returnDownloadsAtAnySize_data();
    void returnDownloadsAtAnySize();
    void editorShowsTodaysAddress_data();
    void editorShowsTodaysAddress();
    void returnOpensASavedResult_data();
    void returnOpensASavedResult();

private:
    void SetLinks(const QStringList& names);
    QStringList Rows(const CURLListSelector& selector) const;
    // Runs action once the next modal dialog shows, on that dialog.
    void WhenModal(std::function<void(QWidget*)> action);

    LocalHttpServer server_;
    CSettings* settings_ = nullptr;
};

namespace {

bool Saved()
{
    return QFile::exists(CSettings::DataFilePath());
}

} // namespace

void TestLinkDialogs::initTestCase()
{
    for (const char* name : {"http_proxy", "https_proxy", "all_proxy", "HTTP_PROXY", "HTTPS_PROXY", "ALL_PROXY"})
        qunsetenv(name);
    QVERIFY(server_.Listen());
    LocalHttpServer::Reply puzzle;
    puzzle.body = PuzBuilder({"CAT", "A.O", "TOP"}).Build();
    puzzle.headers = {"Content-Disposition: attachment; filename=\"Mar05.puz\""};
    server_.SetReply("/Mar05.puz", puzzle);
}

void TestLinkDialogs::init()
{
    settings_ = new CSettings(35, 0xC0C0C0);
    QFile::remove(CSettings::DataFilePath());
    TestHome::RemoveFolder(GetPuzzleFolder());
}

void TestLinkDialogs::cleanup()
{
    delete settings_;
}

void TestLinkDialogs::SetLinks(const QStringList& names)
{
    for (const QString& name : names)
        settings_->links.AppendLink({name, server_.Url("/" + name + ".puz"), {}, {}});
}

QStringList TestLinkDialogs::Rows(const CURLListSelector& selector) const
{
    QStringList rows;
    for (int i = 0; i < selector.List()->count(); ++i)
        rows << selector.List()->item(i)->text();
    return rows;
}

void TestLinkDialogs::WhenModal(std::function<void(QWidget*)> action)
{
    QTimer::singleShot(0, this, [action] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (dialog == nullptr) {
            QApplication::closeAllWindows();
            QFAIL("no modal dialog was shown");
        }
        action(dialog);
    });
}

void TestLinkDialogs::listShowsLinksInOrder()
{
    SetLinks({"Sunday", "Daily", "Sunday", "Anagrams"});
    CURLListSelector selector;
    QCOMPARE(selector.windowTitle(), QStringLiteral("Download Puzzle"));
    QCOMPARE(Rows(selector), (QStringList{"Sunday", "Daily", "Sunday", "Anagrams"}));
    QCOMPARE(selector.List()->currentRow(), 0);
}

void TestLinkDialogs::deleteKeepsARowSelected_data()
{
    QTest::addColumn<QStringList>("links");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("selected");
    QTest::newRow("last row") << QStringList{"A", "B", "C"} << 2 << true << QStringList{"A", "B"} << 1;
    QTest::newRow("middle row") << QStringList{"A", "B", "C"} << 1 << true << QStringList{"A", "C"} << 1;
    QTest::newRow("only row") << QStringList{"A"} << 0 << true << QStringList() << -1;
    QTest::newRow("answered No") << QStringList{"A", "B"} << 1 << false << QStringList{"A", "B"} << 1;
}

void TestLinkDialogs::deleteKeepsARowSelected()
{
    QFETCH(QStringList, links);
    QFETCH(int, row);
    QFETCH(bool, yes);
    QFETCH(QStringList, rows);
    QFETCH(int, selected);
    SetLinks(links);
    CURLListSelector selector;
    selector.List()->setCurrentRow(row);
    ScriptedPrompt prompt(yes ? UserPrompt::Answer::Yes : UserPrompt::Answer::No);

    QTest::mouseClick(selector.DeleteButton(), Qt::LeftButton);

    QCOMPARE(prompt.messages.size(), 1);
    QCOMPARE(prompt.messages.first().text, QStringLiteral("Delete link?"));
    QCOMPARE(prompt.messages.first().caption, QStringLiteral("Delete link"));
    QCOMPARE(Rows(selector), rows);
    QCOMPARE(settings_->links.GetLinkCount(), rows.size());
    QCOMPARE(selector.List()->selectedItems().isEmpty() ? -1 : selector.List()->currentRow(), selected);
    QCOMPARE(Saved(), yes);
}

void TestLinkDialogs::newLinkIsAddedAndSelected()
{
    SetLinks({"A", "B"});
    CURLListSelector selector;
    WhenModal([](QWidget* dialog) {
        auto* editor = qobject_cast<CDlgURLCorection*>(dialog);
        QVERIFY(editor != nullptr);
        QCOMPARE(editor->windowTitle(), QStringLiteral("New Link"));
        editor->NameEdit()->setText("C");
        editor->UrlEdit()->SetText("example.com/c.puz");
        editor->accept();
    });
    QTest::mouseClick(selector.NewButton(), Qt::LeftButton);
    QCOMPARE(Rows(selector), (QStringList{"A", "B", "C"}));
    QCOMPARE(selector.List()->currentRow(), 2);
    QVERIFY(Saved());
}

void TestLinkDialogs::editWithoutRowsOpensNewLink()
{
    CURLListSelector selector;
    QString title;
    WhenModal([&](QWidget* dialog) {
        title = dialog->windowTitle();
        qobject_cast<QDialog*>(dialog)->reject();
    });
    QTest::mouseClick(selector.EditButton(), Qt::LeftButton);
    QCOMPARE(title, QStringLiteral("New Link"));
    QCOMPARE(settings_->links.GetLinkCount(), 0);
    QVERIFY(!Saved());
}

void TestLinkDialogs::okStoresTrimmedFields_data()
{
    QTest::addColumn<bool>("edit");
    QTest::addColumn<QStringList>("typed"); // name, url, login, password
    QTest::addColumn<int>("result");        // -1: refused, the dialog stays open
    QTest::addColumn<QStringList>("stored");
    const QStringList old{"Daily", "example.com/d.puz", "ann", "pw"};
    QTest::newRow("new, trimmed") << false << QStringList{" Sun ", " example.com/s.puz \n", " bo ", " pw "}
                                  << int(QDialog::Accepted) << QStringList{"Sun", "example.com/s.puz", " bo ", " pw "};
    QTest::newRow("name of blanks") << false << QStringList{"   ", "example.com/s.puz", "", ""} << -1 << QStringList();
    QTest::newRow("blank address") << true << QStringList{"Daily", "  ", "", ""} << -1 << old;
    QTest::newRow("edit unchanged") << true << old << int(QDialog::Rejected) << old;
    QTest::newRow("edit surrounding blanks only") << true << QStringList{" Daily ", "example.com/d.puz ", "ann", "pw"}
                                                  << int(QDialog::Rejected) << old;
    QTest::newRow("edit password") << true << QStringList{"Daily", "example.com/d.puz", "ann", "PW"}
                                   << int(QDialog::Accepted) << QStringList{"Daily", "example.com/d.puz", "ann", "PW"};
}

void TestLinkDialogs::okStoresTrimmedFields()
{
    QFETCH(bool, edit);
    QFETCH(QStringList, typed);
    QFETCH(int, result);
    QFETCH(QStringList, stored);
    settings_->links.AppendLink({"Daily", "example.com/d.puz", "ann", "pw"});
    CDlgURLCorection editor(edit ? 0 : -1);
    QCOMPARE(editor.windowTitle(), edit ? QStringLiteral("Edit Link") : QStringLiteral("New Link"));
    QCOMPARE(editor.PasswordEdit()->echoMode(), QLineEdit::Password);
    editor.show();
    editor.NameEdit()->setText(typed.at(0));
    editor.UrlEdit()->setPlainText(typed.at(1));
    editor.LoginEdit()->setText(typed.at(2));
    editor.PasswordEdit()->setText(typed.at(3));
    editor.PasswordEdit()->setFocus();
    ScriptedPrompt prompt;

    editor.accept();

    const int last = settings_->links.GetLinkCount() - 1;
    if (result < 0) {
        QVERIFY(editor.isVisible());
        QCOMPARE(prompt.messages.size(), 1);
        QCOMPARE(prompt.messages.first().text, QStringLiteral("One or more required fields are blank"));
        QCOMPARE(prompt.messages.first().caption, QStringLiteral("Blank fields"));
        QCOMPARE(editor.focusWidget(), editor.NameEdit());
        QCOMPARE(last, 0);
        QVERIFY(!Saved());
        return;
    }
    QCOMPARE(editor.result(), result);
    QVERIFY(prompt.messages.isEmpty());
    const URLEntry& link = settings_->links.GetLink(last);
    QCOMPARE((QStringList{link.name, link.url, link.login, link.password}), stored);
    QCOMPARE(settings_->links.GetLinkCount(), edit ? 1 : 2);
    QCOMPARE(Saved(), result == QDialog::Accepted);
}

void TestLinkDialogs::downloadThenAskToOpen_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<int>("finished"); // the selector's result, -1 while it stays open
    QTest::addColumn<QStringList>("captions");
    QTest::newRow("Yes opens") << "/Mar05.puz" << true << int(QDialog::Accepted) << QStringList{"Download Successful"};
    QTest::newRow("No stays") << "/Mar05.puz" << false << -1 << QStringList{"Download Successful"};
    QTest::newRow("failure stays") << "/missing.puz" << true << -1 << QStringList{"Download Error"};
}

void TestLinkDialogs::downloadThenAskToOpen()
{
    QFETCH(QString, target);
    QFETCH(bool, yes);
    QFETCH(int, finished);
    QFETCH(QStringList, captions);
    settings_->links.AppendLink({"Other", "example.com/x.puz", {}, {}});
    settings_->links.AppendLink({"Daily", server_.Url(target), {}, {}});
    CURLListSelector selector;
    selector.show();
    selector.List()->setCurrentRow(1);
    ScriptedPrompt prompt(yes ? UserPrompt::Answer::Yes : UserPrompt::Answer::No);

    QTest::mouseClick(selector.DownloadButton(), Qt::LeftButton);

    QCOMPARE(prompt.Captions(), captions);
    QCOMPARE(selector.isVisible(), finished < 0);
    QCOMPARE(selector.List()->currentRow(), 1);
    if (finished >= 0) {
        QCOMPARE(selector.result(), finished);
        QCOMPARE(selector.DownloadedPath(), GetPuzzleFolder() + "/Mar05.puz");
    }
}

void TestLinkDialogs::downloadCommandOpensThePuzzle()
{
    settings_->links.AppendLink({"Daily", server_.Url("/Mar05.puz"), {}, {}});
    ScriptedPrompt prompt(UserPrompt::Answer::Yes);
    CMainFrame frame;
    frame.resize(480, 600);
    frame.show();
    WhenModal([](QWidget* dialog) {
        auto* selector = qobject_cast<CURLListSelector*>(dialog);
        QVERIFY(selector != nullptr);
        QCOMPARE(selector->size(), QSize(480, 600));
        selector->OnDownload();
    });

    frame.OnCommand(ID_DOWNLOAD);

    QCOMPARE(frame.Puzzle().GetPath(), GetPuzzleFolder() + "/Mar05.puz");
    QVERIFY(frame.Puzzle().IsLoaded());
    QCOMPARE(settings_->lastPuzzlePath, GetPuzzleFolder() + "/Mar05.puz");
}

void TestLinkDialogs::addressStaysOneLine()
{
    CUrlEdit edit;
    edit.show();
    QTest::keyClicks(&edit, "example.com");
    QTest::keyClick(&edit, Qt::Key_Return);
    QApplication::clipboard()->setText("/a\n/b.puz\r\n");
    edit.RunCommand(CContextMenuEdit::kCommandPaste);
    QCOMPARE(edit.Text(), QStringLiteral("example.com/a/b.puz"));
    QCOMPARE(edit.toPlainText(), edit.Text());
    edit.RunCommand(CContextMenuEdit::kCommandClear);
    QVERIFY(edit.Text().isEmpty());
}

// At the main window's default size: the buttons side by side below the
// list, the link editor's fields one below the other, all inside the dialog
// and none as narrow as to cut its text.
void TestLinkDialogs::controlsDoNotOverlap()
{
    SetLinks({"A", "B"});
    CURLListSelector selector;
    selector.show();
    QCOMPARE(selector.size(), QSize(480, 600));
    const QList<QWidget*> row{selector.DownloadButton(), selector.NewButton(), selector.EditButton(),
                              selector.DeleteButton()};
    for (int i = 0; i < row.size(); ++i) {
        QVERIFY(row[i]->width() >= row[i]->sizeHint().width());
        QVERIFY(row[i]->geometry().top() > selector.List()->geometry().bottom());
        QVERIFY(row[i]->geometry().bottom() < selector.SoftKeys()->geometry().top());
        if (i > 0)
            QVERIFY(row[i]->geometry().left() > row[i - 1]->geometry().right());
    }
    QVERIFY(selector.rect().contains(selector.DeleteButton()->geometry()));

    CDlgURLCorection editor(-1, &selector);
    editor.show();
    QCOMPARE(editor.size(), QSize(480, 600));
    const QList<QWidget*> column{editor.NameEdit(), editor.UrlEdit(), editor.LoginEdit(), editor.SoftKeys()};
    for (int i = 1; i < column.size(); ++i)
        QVERIFY(column[i]->geometry().top() > column[i - 1]->geometry().bottom());
    QVERIFY(editor.UrlEdit()->height() > 3 * editor.NameEdit()->height());
    QCOMPARE(editor.PasswordEdit()->y(), editor.LoginEdit()->y());
    QVERIFY(editor.PasswordEdit()->x() > editor.LoginEdit()->geometry().right());
    QVERIFY(editor.rect().contains(editor.PasswordEdit()->geometry()));
}

// Squeezed below its least size the dialog keeps its buttons apart, and
// after New or Edit, Return still downloads the selected link.
void TestLinkDialogs::returnDownloadsAtAnySize_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("pressed");
    QTest::newRow("9 narrow") << QSize(200, 150) << QString();
    QTest::newRow("9 after New") << QSize(480, 600) << "New";
    QTest::newRow("9 after Edit") << QSize(480, 600) << "Edit";
}

void TestLinkDialogs::returnDownloadsAtAnySize()
{
    QFETCH(QSize, size);
    QFETCH(QString, pressed);
    settings_->links.AppendLink({"Daily", server_.Url("/Mar05.puz"), {}, {}});
    CURLListSelector selector;
    selector.show();
    selector.resize(size);
    QVERIFY(QTest::qWaitForWindowActive(&selector));
    const QList<QPushButton*> row{selector.DownloadButton(), selector.NewButton(), selector.EditButton(),
                                  selector.DeleteButton(), selector.DownloadAllButton()};
    for (QPushButton* button : row) {
        if (button != row.first() && button->text() == pressed) {
            WhenModal([](QWidget* dialog) { qobject_cast<QDialog*>(dialog)->reject(); });
            QTest::mouseClick(button, Qt::LeftButton);
        }
        const QRect place(button->mapTo(&selector, QPoint()), button->size());
        QVERIFY2(selector.rect().contains(place), qPrintable(button->text()));
        for (QPushButton* other : row.mid(row.indexOf(button) + 1))
            QVERIFY(!place.intersects(QRect(other->mapTo(&selector, QPoint()), other->size())));
    }
    ScriptedPrompt prompt(UserPrompt::Answer::No);
    QTest::keyClick(selector.focusWidget(), Qt::Key_Return);
    QCOMPARE(prompt.Captions(), QStringList{"Download Successful"});
}

void TestLinkDialogs::editorShowsTodaysAddress_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown"); // a part of the line under the address
    QTest::addColumn<bool>("saved");
    QTest::newRow("dated") << "x.com/{yyyy}.puz" << QDate::currentDate().toString("'http://x.com/'yyyy'.puz'") << true;
    QTest::newRow("unknown field") << "x.com/{mm}.puz" << "{mm}" << false;
    QTest::newRow("nothing typed") << "" << "Date fields: {yyyy}" << false;
}

void TestLinkDialogs::editorShowsTodaysAddress()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(bool, saved);
    CDlgURLCorection editor(-1);
    editor.show();
    editor.NameEdit()->setText("Daily");
    editor.UrlEdit()->SetText(typed);
    QVERIFY2(editor.AddressTodayLabel()->text().contains(shown) || editor.AddressTodayLabel()->toolTip().contains(shown),
             qPrintable(editor.AddressTodayLabel()->text()));
    QVERIFY(editor.AddressTodayLabel()->geometry().top() > editor.UrlEdit()->geometry().bottom());
    ScriptedPrompt prompt;
    editor.accept();
    QCOMPARE(settings_->links.GetLinkCount(), saved ? 1 : 0);
    QCOMPARE(prompt.messages.size(), saved ? 0 : 1);
}

void TestLinkDialogs::returnOpensASavedResult_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("opened");
    QTest::newRow("first puzzle is current") << -1 << "/p/Mar05.puz";
    QTest::newRow("already there") << 2 << "/p/Old.puz";
    QTest::newRow("a failure opens nothing") << 0 << "";
}

void TestLinkDialogs::returnOpensASavedResult()
{
    QFETCH(int, row);
    QFETCH(QString, opened);
    using Kind = DownloadOutcome::Kind;
    CDownloadResultsDlg results({{"A", Kind::Failed, {}, "Error 404 - Requested URL not found"},
                                 {"B", Kind::Saved, "/p/Mar05.puz", {}},
                                 {"C", Kind::AlreadyThere, "/p/Old.puz", {}}});
    results.show();
    QCOMPARE(results.List()->item(2)->text(), QStringLiteral("C\nAlready there: Old.puz"));
    if (row >= 0)
        results.List()->setCurrentRow(row);
    QTest::keyClick(results.List(), Qt::Key_Return);
    QCOMPARE(results.ChosenPath(), opened);
    QCOMPARE(results.isVisible(), opened.isEmpty());
}

GRIDMOOR_TEST_MAIN(TestLinkDialogs)
#include "tst_link_dialogs.moc"
