// The import and export windows as the owner meets them: a file's columns
// and first rows shown and checked before anything is written, then taken
// in whole; an export written as a workbook and recorded.
#include "data/AuditLog.h"
#include "exchange/frmExport.h"
#include "exchange/frmImport.h"
#include "maintenance/FileChooser.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/support/SeedData.h"
#include "tests/support/TestDatabase.h"
#include "widgets/vbalGrid.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class ChosenFile final : public FileChooser
{
public:
    std::optional<QString> fileToSave(QWidget *, const QString &, const QString &) override { return file; }
    std::optional<QString> fileToOpen(QWidget *, const QString &, const QString &) override
    {
        asked = true;
        return file;
    }
    std::optional<QString> file;
    bool asked = false;
};

class ExchangeWindowsTest : public ::testing::TestWithParam<Engine>
{
protected:
    void SetUp() override { TESSALY_USE_FRESH_DATABASE(GetParam()); }

    QString file(const QByteArray &bytes)
    {
        const QString path = dir.filePath(QStringLiteral("customers.csv"));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        return path;
    }
    template <typename T> static T *child(QWidget &w, const char *name)
    {
        return w.findChild<T *>(QLatin1String(name));
    }
    static int entries(const QString &action)
    {
        const auto found = AuditLog::Entries(QDate(2000, 1, 1), QDate(2100, 1, 1), action);
        return found ? int(found->size()) : -1;
    }

    QTemporaryDir dir;
    RecordingPrompts prompts;
    ChosenFile chooser;
};

TEST_P(ExchangeWindowsTest, AFileIsShownAndCheckedBeforeTheImportTakesItIn)
{
    chooser.file = file("First Name,Last Name,Phone,Shoe size\r\n"
                        "Ann,Smith,(512) 555-0123,7\r\n"
                        "Bob,\"Jones, Jr.\",512.555.0199,11\r\n");
    frmImport window(nullptr, &chooser);
    window.ChooseFile();

    auto *grid = child<vbalGrid>(window, "grdColumns");
    ASSERT_EQ(grid->RowCount(), 4) << "one row per column of the file";
    EXPECT_EQ(grid->CellValue(3, 1), QStringLiteral("Phone"));
    EXPECT_EQ(grid->CellValue(3, 2), QStringLiteral("phone1"));
    EXPECT_EQ(grid->CellValue(3, 3), QStringLiteral("(512) 555-0123"));
    EXPECT_EQ(grid->CellValue(2, 4), QStringLiteral("Jones, Jr."));
    EXPECT_EQ(grid->CellValue(4, 2), QStringLiteral("(ignored)"));
    const QString checked = child<QPlainTextEdit>(window, "txtOutcome")->toPlainText();
    EXPECT_TRUE(checked.contains(QStringLiteral("Checked, nothing written yet: 2 to add"))) << checked.toStdString();
    EXPECT_EQ(SeedData::count(QStringLiteral("customer")), 0);

    ASSERT_TRUE(child<QPushButton>(window, "cmdImport")->isEnabled());
    child<QPushButton>(window, "cmdImport")->click();
    EXPECT_EQ(SeedData::count(QStringLiteral("customer")), 2);
    EXPECT_EQ(prompts.messages,
              QStringList{QStringLiteral("Imported: 2 added, 0 updated, 0 skipped as already there.")});
    EXPECT_FALSE(child<QPushButton>(window, "cmdImport")->isEnabled()) << "the same file is not taken twice";
    EXPECT_EQ(entries(AuditLog::kImport), 1);
}

TEST_P(ExchangeWindowsTest, AFileWithABadRowCannotBeImportedAndSaysWhere)
{
    const QString typed = file("First Name,Last Name,State\r\nAnn,Smith,TX\r\nBob,Jones,Texas\r\n");
    frmImport window(nullptr, &chooser);
    window.show();
    // The name typed and Enter: the file is checked, no file dialog opens.
    auto *box = child<QLineEdit>(window, "txtFile");
    box->setText(typed);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_FALSE(chooser.asked);
    EXPECT_FALSE(child<QPushButton>(window, "cmdImport")->isEnabled());
    const QString outcome = child<QPlainTextEdit>(window, "txtOutcome")->toPlainText();
    EXPECT_TRUE(outcome.contains(QStringLiteral("line 3, State:"))) << outcome.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("customers.errors.csv")))) << "checking writes nothing";
    EXPECT_EQ(SeedData::count(QStringLiteral("customer")), 0);
}

TEST_P(ExchangeWindowsTest, TheExportWritesAWorkbookAndTheLogRecordsIt)
{
    SeedData::customer(QStringLiteral("Ann"), QStringLiteral("Smith"));
    chooser.file = dir.filePath(QStringLiteral("list.xlsx"));
    frmExport window(nullptr, &chooser);
    window.ExportData();
    QFile book(*chooser.file);
    ASSERT_TRUE(book.open(QIODevice::ReadOnly));
    EXPECT_EQ(book.read(2), QByteArray("PK")) << "a workbook is a zip file, not comma-separated text";
    EXPECT_EQ(child<QLabel>(window, "lblOutcome")->text(),
              QStringLiteral("1 rows written to %1.").arg(QDir::toNativeSeparators(*chooser.file)));
    EXPECT_EQ(entries(AuditLog::kExport), 1);

    // A range that ends before it starts is said, and nothing is asked.
    auto *what = child<QComboBox>(window, "cboWhat");
    what->setCurrentIndex(what->findText(QStringLiteral("Closed tickets")));
    child<QDateEdit>(window, "dtpFrom")->setDate(QDate(2026, 12, 1));
    child<QDateEdit>(window, "dtpTo")->setDate(QDate(2026, 11, 1));
    chooser.file = std::nullopt;
    window.ExportData();
    EXPECT_EQ(prompts.messages.value(0), QStringLiteral("The first day comes after the last; choose the days again."));
}

INSTANTIATE_TEST_SUITE_P(Engines, ExchangeWindowsTest, ::testing::ValuesIn(TestDatabase::Engines()),
                         [](const auto &info) { return TestDatabase::EngineName(info.param); });

} // namespace
