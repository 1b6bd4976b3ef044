#include "ui/controls/clue_view.h"
#include "ui/controls/grid_key_handler.h"
#include "test_main.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QTest>

namespace {

class RecordingHandler : public GridKeyHandler {
public:
    QList<int> keys;
    QString characters;

    void OnKeyDown(int key) override { keys << key; }
    void OnChar(QChar character) override { characters += character; }
};

const QString kClue = QStringLiteral("12 a. Capital of Peru");

// Reaches the edit control's own paste path, which drops and pastes use.
class PasteProbe : public CClueView {
public:
    using CClueView::canInsertFromMimeData;
    using CClueView::insertFromMimeData;
};

QColor ViewportCentre(CColorEdit& edit)
{
    const QImage image = edit.viewport()->grab().toImage();
    return image.pixelColor(image.width() - 3, image.height() - 3);
}

} // namespace

class TestClueView : public QObject {
    Q_OBJECT

private slots:
    void keysGoToTheGrid_data();
    void keysGoToTheGrid();
    void typedTextAndComposedTextGoToTheGrid();
    void selectAllSelectsTheWholeClue();
    void copyTakesTheWholeClueAndDeselects();
    void copyOfAnEmptyViewLeavesTheClipboard();
    void nothingIsPastedIntoTheClue_data();
    void nothingIsPastedIntoTheClue();
    void colorEditUsesSystemColoursUntilSet();
};

void TestClueView::keysGoToTheGrid_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("characters");

    QTest::newRow("letter") << int(Qt::Key_A) << QStringLiteral("a");
    QTest::newRow("space") << int(Qt::Key_Space) << QStringLiteral(" ");
    QTest::newRow("arrow") << int(Qt::Key_Left) << QString();
    QTest::newRow("page down") << int(Qt::Key_PageDown) << QString();
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << QStringLiteral("\b");
    QTest::newRow("enter") << int(Qt::Key_Return) << QStringLiteral("\r");
    QTest::newRow("tab") << int(Qt::Key_Tab) << QStringLiteral("\t");
}

void TestClueView::keysGoToTheGrid()
{
    QFETCH(int, key);
    CClueView view;
    RecordingHandler handler;
    view.SetKeyHandler(&handler);
    view.SetClueText(kClue);

    QTest::keyClick(&view, static_cast<Qt::Key>(key));
    QCOMPARE(handler.keys, QList<int>{key});
    QTEST(handler.characters, "characters");
    QCOMPARE(view.toPlainText(), kClue);
}

void TestClueView::typedTextAndComposedTextGoToTheGrid()
{
    CClueView view;
    RecordingHandler handler;
    view.SetKeyHandler(&handler);
    view.SetClueText(kClue);

    QTest::keyClicks(&view, QStringLiteral("lima"));
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("xy"));
    QCoreApplication::sendEvent(&view, &composed);

    QCOMPARE(handler.characters, QStringLiteral("limaxy"));
    QCOMPARE(view.toPlainText(), kClue);
}

void TestClueView::selectAllSelectsTheWholeClue()
{
    CClueView view;
    view.SetClueText(kClue);
    view.SelectAllClue();
    QCOMPARE(view.textCursor().selectedText(), kClue);
}

void TestClueView::copyTakesTheWholeClueAndDeselects()
{
    CClueView view;
    view.SetClueText(kClue);
    QTextCursor partial = view.textCursor();
    partial.setPosition(3);
    partial.setPosition(6, QTextCursor::KeepAnchor);
    view.setTextCursor(partial);

    view.CopyClue();
    QCOMPARE(QApplication::clipboard()->text(), kClue);
    QVERIFY(!view.textCursor().hasSelection());
    QCOMPARE(view.toPlainText(), kClue);
}

void TestClueView::copyOfAnEmptyViewLeavesTheClipboard()
{
    QApplication::clipboard()->setText(QStringLiteral("before"));
    CClueView view;
    view.CopyClue();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("before"));
}

void TestClueView::nothingIsPastedIntoTheClue_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("middle click") << "middle";
    QTest::newRow("paste request") << "paste";
    QTest::newRow("mime data") << "mime";
}

void TestClueView::nothingIsPastedIntoTheClue()
{
    QFETCH(QString, how);
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->setText(QStringLiteral("down2"));
    if (clipboard->supportsSelection())
        clipboard->setText(QStringLiteral("down2"), QClipboard::Selection);
    PasteProbe view;
    view.resize(200, 60);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.SetClueText(kClue);
    view.SelectAllClue();
    if (how == QLatin1String("middle")) {
        const QPoint end = view.cursorRect(view.textCursor()).center();
        QTest::mouseClick(view.viewport(), Qt::MiddleButton, {}, end);
        QCOMPARE(view.textCursor().selectedText(), kClue);
    } else if (how == QLatin1String("paste")) {
        view.paste();
    } else {
        QVERIFY(!view.canInsertFromMimeData(clipboard->mimeData()));
        view.insertFromMimeData(clipboard->mimeData());
    }
    QCOMPARE(view.toPlainText(), kClue);
    view.CopyClue();
    QCOMPARE(clipboard->text(), kClue);
}

void TestClueView::colorEditUsesSystemColoursUntilSet()
{
    CColorEdit edit;
    edit.resize(100, 60);
    edit.SetTextColor(0x000000FF);
    QVERIFY(!edit.HasBackgroundColor());
    QCOMPARE(ViewportCentre(edit), QApplication::palette().color(QPalette::Base));

    edit.SetBackgroundColor(0x0000FF00);
    QCOMPARE(ViewportCentre(edit), QColor(Qt::green));
    QCOMPARE(edit.palette().color(QPalette::Text), QColor(Qt::red));
}

GRIDMOOR_TEST_MAIN(TestClueView)
#include "tst_clue_view.moc"
