#include "ui/print/print_dialogs.h"
#include "ui/shell/program_module.h"
#include "fixture_files.h"
#include "test_main.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

bool IsPrintDialogs(QObject* root)
{
    return qobject_cast<PrintDialogs*>(root) != nullptr;
}

} // namespace

// The program's modules are found by the interface they give: the printing
// module is loaded for printing, any other file is refused with its path and
// the reason.
class TestProgramModule : public QObject {
    Q_OBJECT

private slots:
    void loadsOnlyTheWantedModule_data();
    void loadsOnlyTheWantedModule();
};

void TestProgramModule::loadsOnlyTheWantedModule_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("loads");
    QTest::addColumn<QString>("reason");
    QTest::newRow("printing module") << QStringLiteral(GRIDMOOR_PRINT_MODULE) << true << QString();
    QTest::newRow("another module") << QStringLiteral(GRIDMOOR_HTTP_MODULE) << false
                                    << QStringLiteral("not the printing module");
    QTest::newRow("missing") << QStringLiteral("missing/libgridmoor_print.so") << false << QString();
    QTest::newRow("no library") << QStringLiteral("not-a-library.so") << false << QString();
}

void TestProgramModule::loadsOnlyTheWantedModule()
{
    QFETCH(QString, file);
    QFETCH(bool, loads);
    QFETCH(QString, reason);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QVERIFY(FixtureFiles::Write(folder.filePath(QStringLiteral("not-a-library.so")), "text, not a library\n"));
    const QString path = QFileInfo(file).isAbsolute() ? file : folder.filePath(file);

    QString error;
    QObject* root = ProgramModule::Load(path, QStringLiteral("the printing module"), IsPrintDialogs, &error);

    QCOMPARE(root != nullptr, loads);
    QCOMPARE(error.isEmpty(), loads);
    if (!loads) {
        QVERIFY2(error.startsWith(path + QStringLiteral(": ")), qPrintable(error));
        QVERIFY2(error.size() > path.size() + 2 && error.endsWith(reason), qPrintable(error));
    }
}

GRIDMOOR_TEST_MAIN(TestProgramModule)
#include "tst_program_module.moc"
