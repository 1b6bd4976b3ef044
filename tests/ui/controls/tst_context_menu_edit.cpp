#include "ui/controls/context_menu_edit.h"
#include "test_main.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>

namespace {

// Answers the menu instead of showing it: counts the menus and picks the
// item with the wanted command, if any.
class AnsweredEdit : public CContextMenuEdit {
public:
    int menusShown = 0;
    int answer = 0;

protected:
    QAction* ExecMenu(QMenu& menu, const QPoint&) override
    {
        ++menusShown;
        for (QAction* action : menu.actions()) {
            if (action->data().toInt() == answer && answer != 0)
                return action;
        }
        return nullptr;
    }
};

void RequestMenu(QWidget* widget)
{
    QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(5, 5), widget->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(widget, &request);
}

QString EnabledItems(QMenu& menu)
{
    QStringList enabled;
    for (const QAction* action : menu.actions()) {
        if (!action->isSeparator() && action->isEnabled())
            enabled << action->text();
    }
    return enabled.join(QLatin1Char(' '));
}

} // namespace

class TestContextMenuEdit : public QObject {
    Q_OBJECT

private slots:
    void grayedItems_data();
    void grayedItems();
    void oneMenuPerPress();
    void chosenClearEmptiesTheWholeField();
    void undoAndSelectAll();
};

void TestContextMenuEdit::grayedItems_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selectionStart");
    QTest::addColumn<int>("selectionLength");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("enabled");

    QTest::newRow("empty, empty clipboard") << QString() << QString() << 0 << 0 << QString() << QString();
    QTest::newRow("empty, text on the clipboard") << QString() << QString() << 0 << 0 << QStringLiteral("x")
                                                  << QStringLiteral("&Paste");
    QTest::newRow("text, nothing selected") << QString() << QStringLiteral("hello") << 0 << 0 << QString()
                                            << QStringLiteral("C&lear &Select All");
    QTest::newRow("part selected") << QString() << QStringLiteral("hello") << 1 << 2 << QString()
                                   << QStringLiteral("Cu&t &Copy C&lear &Select All");
    QTest::newRow("all selected") << QString() << QStringLiteral("hello") << 0 << 5 << QString()
                                  << QStringLiteral("Cu&t &Copy C&lear");
    QTest::newRow("typed: undo") << QStringLiteral("ab") << QString() << 0 << 0 << QString()
                                 << QStringLiteral("&Undo C&lear &Select All");
}

void TestContextMenuEdit::grayedItems()
{
    QFETCH(QString, typed);
    QFETCH(QString, text);
    QFETCH(int, selectionStart);
    QFETCH(int, selectionLength);
    QFETCH(QString, clipboard);

    if (clipboard.isEmpty())
        QApplication::clipboard()->clear();
    else
        QApplication::clipboard()->setText(clipboard);
    CContextMenuEdit edit;
    edit.setText(text);
    QTest::keyClicks(&edit, typed);
    if (selectionLength > 0)
        edit.setSelection(selectionStart, selectionLength);

    const std::unique_ptr<QMenu> menu = edit.BuildContextMenu();
    QTEST(EnabledItems(*menu), "enabled");
}

void TestContextMenuEdit::oneMenuPerPress()
{
    AnsweredEdit edit;
    edit.resize(100, 24);
    RequestMenu(&edit);
    RequestMenu(&edit);
    QCOMPARE(edit.menusShown, 1);

    QTest::mousePress(&edit, Qt::LeftButton, {}, QPoint(5, 5));
    RequestMenu(&edit);
    QCOMPARE(edit.menusShown, 2);
    QTest::mouseRelease(&edit, Qt::LeftButton, {}, QPoint(5, 5));
}

void TestContextMenuEdit::chosenClearEmptiesTheWholeField()
{
    AnsweredEdit edit;
    edit.setText(QStringLiteral("example.org"));
    edit.setSelection(2, 3);
    edit.answer = CContextMenuEdit::kCommandClear;
    RequestMenu(&edit);
    QCOMPARE(edit.text(), QString());
}

void TestContextMenuEdit::undoAndSelectAll()
{
    CContextMenuEdit edit;
    QTest::keyClicks(&edit, QStringLiteral("abc"));
    edit.RunCommand(CContextMenuEdit::kCommandSelectAll);
    QCOMPARE(edit.selectedText(), QStringLiteral("abc"));
    edit.RunCommand(CContextMenuEdit::kCommandCut);
    QCOMPARE(edit.text(), QString());
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("abc"));
    edit.RunCommand(CContextMenuEdit::kCommandUndo);
    QCOMPARE(edit.text(), QStringLiteral("abc"));
    edit.end(false);
    edit.RunCommand(CContextMenuEdit::kCommandPaste);
    QCOMPARE(edit.text(), QStringLiteral("abcabc"));
}

GRIDMOOR_TEST_MAIN(TestContextMenuEdit)
#include "tst_context_menu_edit.moc"
