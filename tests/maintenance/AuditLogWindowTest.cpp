// The audit log as the owner reads it: the window's range and filters, and
// the printed log.
#include "data/AuditLog.h"
#include "data/Clock.h"
#include "maintenance/frmAuditLog.h"
#include "reports/AuditReport.h"
#include "tests/support/PdfReader.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/support/TestDatabase.h"

#include <QComboBox>
#include <QDateEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class AuditLogWindowTest : public ::testing::TestWithParam<Engine>
{
protected:
    void SetUp() override
    {
        TESSALY_USE_FRESH_DATABASE(GetParam());
        record(QStringLiteral("2026-11-20 10:00:00"), QStringLiteral("Old Hand (#9)"), AuditLog::kReopen,
               QStringLiteral("ticket 1"));
        record(QStringLiteral("2026-12-02 09:15:00"), QStringLiteral("Ann Admin (#3)"), AuditLog::kReopen,
               QStringLiteral("ticket 42"));
        record(QStringLiteral("2026-12-02 09:17:00"), QStringLiteral("Ann Admin (#3)"), AuditLog::kLineRemoved,
               QStringLiteral("ticket 42"), QStringLiteral("before: salesitem partnumber=AMP-1 | price=120"));
        record(QStringLiteral("2026-12-05 16:40:00"), QString(), AuditLog::kPinRefused, QString());
        record(QStringLiteral("2026-12-07 08:05:00"), AuditLog::kMaster, AuditLog::kTimeRowChanged,
               QStringLiteral("employee 3"));
        Clock::setFixed(QDateTime(QDate(2026, 12, 8), QTime(12, 0)));
    }
    void TearDown() override { Clock::setFixed(std::nullopt); }
    static void record(const QString &at, const QString &who, const QString &action, const QString &subject,
                       const QString &details = QString())
    {
        Clock::setFixed(QDateTime::fromString(at, QStringLiteral("yyyy-MM-dd HH:mm:ss")));
        ASSERT_TRUE(AuditLog::RecordAs(who, action, subject, details));
    }
    RecordingPrompts prompts;
    QTemporaryDir dir;
};

TEST_P(AuditLogWindowTest, TheWindowShowsTheRangeAndNarrowsToAnActionOrAPerson)
{
    frmAuditLog window;
    window.findChild<QDateEdit *>(QStringLiteral("dtpFrom"))->setDate(QDate(2026, 12, 1));
    EXPECT_EQ(window.shownEntries(), 4) << "the entry of November is outside the range";
    window.findChild<QComboBox *>(QStringLiteral("cboAction"))->setCurrentText(AuditLog::kReopen);
    EXPECT_EQ(window.shownEntries(), 1);
    window.findChild<QComboBox *>(QStringLiteral("cboAction"))->setCurrentIndex(0);
    window.findChild<QComboBox *>(QStringLiteral("cboWho"))->setCurrentText(QStringLiteral("Ann Admin (#3)"));
    EXPECT_EQ(window.shownEntries(), 2);
}

// The action filter offers what the program writes down, and nothing it
// never does.
TEST_P(AuditLogWindowTest, TheActionFilterOffersTheActionsTheProgramRecords)
{
    frmAuditLog window;
    auto *actions = window.findChild<QComboBox *>(QStringLiteral("cboAction"));
    ASSERT_NE(actions, nullptr);
    EXPECT_EQ(actions->itemText(0), QStringLiteral("(all)"));
    for (const QString &recorded : {AuditLog::kReopen, AuditLog::kTicketDelete, AuditLog::kCleanup, AuditLog::kRestore,
                                    AuditLog::kImport, AuditLog::kPinRefused, AuditLog::kGateOpened})
        EXPECT_GE(actions->findText(recorded), 1) << recorded.toStdString();
}

TEST_P(AuditLogWindowTest, ThePrintedLogIsNewestFirstWithTheDetailsUnderTheirEntry)
{
    const QString path = dir.filePath(QStringLiteral("audit.pdf"));
    const ReportResult result = PrintAuditLog(QDate(2026, 12, 1), QDate(2026, 12, 8), QString(), QString(),
                                              ReportOutput::pdf(path));
    ASSERT_TRUE(result.done()) << result.error.toStdString();
    const QString text = PdfReader::text(path);
    EXPECT_TRUE(text.contains(QStringLiteral("Audit Log 12/01/2026 to 12/08/2026"))) << text.toStdString();
    const qsizetype timeRow = text.indexOf(QStringLiteral("time row changed"));
    const qsizetype refused = text.indexOf(QStringLiteral("PIN refused"));
    const qsizetype removed = text.indexOf(QStringLiteral("line removed"));
    const qsizetype details = text.indexOf(QStringLiteral("partnumber=AMP-1"));
    const qsizetype reopen = text.indexOf(QStringLiteral("re-open"));
    EXPECT_TRUE(timeRow >= 0 && timeRow < refused && refused < removed && removed < details && details < reopen)
        << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("Old Hand"))) << "November is outside the range";
    EXPECT_FALSE(text.contains(QStringLiteral("Only "))) << "the whole log says no filter";

    const QString filtered = dir.filePath(QStringLiteral("refused.pdf"));
    ASSERT_TRUE(PrintAuditLog(QDate(2026, 12, 1), QDate(2026, 12, 8), AuditLog::kPinRefused, QString(),
                              ReportOutput::pdf(filtered))
                    .done());
    EXPECT_TRUE(PdfReader::text(filtered).contains(QStringLiteral("Only the action \"PIN refused\".")))
        << PdfReader::text(filtered).toStdString();
}

TEST_P(AuditLogWindowTest, ARangeWithoutEntriesSaysSoAndPrintsNothing)
{
    const QString path = dir.filePath(QStringLiteral("none.pdf"));
    const ReportResult result = PrintAuditLog(QDate(2026, 10, 1), QDate(2026, 10, 31), QString(), QString(),
                                              ReportOutput::pdf(path));
    EXPECT_EQ(result.status, ReportResult::Status::NoDocument);
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("No audit entries from 10/1/2026 to 10/31/2026")});
    EXPECT_FALSE(QFileInfo::exists(path));
}

INSTANTIATE_TEST_SUITE_P(Engines, AuditLogWindowTest, ::testing::ValuesIn(TestDatabase::Engines()),
                         [](const auto &info) { return TestDatabase::EngineName(info.param); });

} // namespace
