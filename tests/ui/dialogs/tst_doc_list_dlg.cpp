#include "ui/dialogs/doc_list_dlg.h"
#include "test_main.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

class TestDocListDlg : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void showsFolderFiltersAndCurrentFile_data();
    void showsFolderFiltersAndCurrentFile();
    void pickFileReturnsChosenPathOrNothing_data();
    void pickFileReturnsChosenPathOrNothing();

private:
    QTemporaryDir folder_;
    const QString filter_ = QStringLiteral("Puzzle (*.puz *.gmd)");
};

void TestDocListDlg::initTestCase()
{
    QVERIFY(folder_.isValid());
    for (const char* name : {"a.puz", "b.gmd", "notes.txt"}) {
        QFile file(folder_.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
}

void TestDocListDlg::showsFolderFiltersAndCurrentFile_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("selected");
    QTest::newRow("current puzzle") << "b.gmd" << "b.gmd";
    QTest::newRow("no current puzzle") << "" << "";
}

void TestDocListDlg::showsFolderFiltersAndCurrentFile()
{
    QFETCH(QString, current);
    QFETCH(QString, selected);
    const QString currentPath = current.isEmpty() ? QString() : folder_.filePath(current);
    CDocListDlg dialog(nullptr, filter_, folder_.path(), currentPath);

    QCOMPARE(dialog.nameFilters(), (QStringList{filter_, "All Files (*)"}));
    QCOMPARE(dialog.selectedNameFilter(), filter_);
    QCOMPARE(QDir(dialog.directory()).canonicalPath(), QDir(folder_.path()).canonicalPath());
    const QStringList files = dialog.selectedFiles();
    QCOMPARE(files.isEmpty() ? QString() : QFileInfo(files.first()).fileName(), selected);
}

void TestDocListDlg::pickFileReturnsChosenPathOrNothing_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("picked");
    QTest::newRow("OK on the current file") << "a.puz" << true << "a.puz";
    QTest::newRow("cancel") << "a.puz" << false << "";
}

void TestDocListDlg::pickFileReturnsChosenPathOrNothing()
{
    QFETCH(QString, current);
    QFETCH(bool, accept);
    QFETCH(QString, picked);

    QTimer::singleShot(0, this, [accept] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr);
        if (accept)
            dialog->accept();
        else
            dialog->reject();
    });
    const QString path = CDocListDlg::PickFile(nullptr, filter_, folder_.path(), folder_.filePath(current));
    const QString expected = picked.isEmpty() ? QString() : QDir(folder_.path()).canonicalPath() + "/" + picked;
    QCOMPARE(path.isEmpty() ? QString() : QFileInfo(path).canonicalFilePath(), expected);
}

GRIDMOOR_TEST_MAIN(TestDocListDlg)
#include "tst_doc_list_dlg.moc"
