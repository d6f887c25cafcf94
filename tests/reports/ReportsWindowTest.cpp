// The reports window: its lists counted from today, and its Run buttons
// starting the reports with the date chosen or typed.
#include "tests/reports/ReportFixtures.h"

#include "data/Clock.h"
#include "data/Database.h"
#include "data/DateText.h"
#include "reports/frmReports.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/support/SeedData.h"
#include "tests/support/TestDatabase.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QStringList itemsOf(const QComboBox *list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}

QPushButton *button(QWidget &window, const char *name)
{
    auto *b = window.findChild<QPushButton *>(QString::fromLatin1(name));
    EXPECT_NE(b, nullptr) << name;
    return b;
}

// All texts of the last previewed document.
QStringList previewTexts(const CapturingPresenter &presenter)
{
    QStringList texts;
    for (const PageOp::Text &t : presenter.lastTexts())
        texts << t.text;
    return texts;
}

TEST(ReportsWindowLists, OnThe31stOfMarchTheListsRunBackFromTodayAndTheMonthsFirst)
{
    frmReports window;
    window.FillLists(QDate(2026, 3, 31)); // a Tuesday
    const QStringList months = itemsOf(window.monthList());
    ASSERT_EQ(months.size(), 13);
    EXPECT_EQ(months.mid(0, 3),
              (QStringList{QStringLiteral("03/01/2026"), QStringLiteral("02/01/2026"), QStringLiteral("01/01/2026")}));
    EXPECT_EQ(months.last(), QStringLiteral("03/01/2025"));
    const QStringList weeks = itemsOf(window.weekList());
    ASSERT_EQ(weeks.size(), 8);
    EXPECT_EQ(weeks.first(), QStringLiteral("03/29/2026"));
    EXPECT_EQ(weeks.last(), QStringLiteral("02/08/2026"));
    for (const QComboBox *days : {window.dateList(), window.dailyList()}) {
        const QStringList items = itemsOf(days);
        ASSERT_EQ(items.size(), 61);
        EXPECT_EQ(items.first(), QStringLiteral("03/31/2026"));
        EXPECT_EQ(items[1], QStringLiteral("03/30/2026"));
        EXPECT_EQ(items.last(), QStringLiteral("01/30/2026"));
    }
    for (const QComboBox *list : window.findChildren<QComboBox *>())
        EXPECT_EQ(list->currentIndex(), 0) << list->objectName().toStdString();
}

TEST(ReportsWindowLists, OpenedOnASundayTheWeekListStartsToday)
{
    Clock::setFixed(QDateTime(QDate(2026, 3, 29), QTime(8, 0)));
    frmReports window;
    window.show();
    Clock::setFixed(std::nullopt);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Reports"));
    EXPECT_EQ(window.weekList()->currentText(), QStringLiteral("03/29/2026"));
    EXPECT_EQ(window.weekList()->itemText(1), QStringLiteral("03/22/2026"));
    EXPECT_EQ(window.dailyList()->currentText(), QStringLiteral("03/29/2026"));
    EXPECT_EQ(window.monthList()->currentText(), QStringLiteral("03/01/2026"));
    // The lists hold the dates themselves, not only their text.
    EXPECT_EQ(window.weekList()->currentData().toDate(), QDate(2026, 3, 29));

    if (const QByteArray shots = qgetenv("TESSALY_SHOT_DIR"); !shots.isEmpty())
        window.grab().save(QString::fromLocal8Bit(shots) + QStringLiteral("/frmReports.png"));
}

class ReportsWindowTest : public ::testing::TestWithParam<Engine>
{
protected:
    void SetUp() override
    {
        TESSALY_USE_FRESH_DATABASE(GetParam());
        ReportFixtures::provideLetterheadFiles();
        Clock::setFixed(QDateTime(QDate(2026, 3, 31), QTime(17, 0)));
        const int customer = SeedData::customer(QStringLiteral("Alan"), QStringLiteral("Smith"));
        ticket = SeedData::ticket(customer, QStringLiteral("Close"),
                                  DateText::toDb(QDateTime(QDate(2026, 3, 30), QTime(9, 0))));
        Database::Execute(QStringLiteral("update sales set Closedate = ? where id = ?"),
                          {DateText::toDb(QDateTime(QDate(2026, 3, 30), QTime(10, 0))), ticket});
        SeedData::equipmentLine(ticket, QStringLiteral("SD-150"), 109.99, 1);
        window.show();
    }
    void TearDown() override { Clock::setFixed(std::nullopt); }

    void type(QComboBox *list, const QString &text)
    {
        list->lineEdit()->selectAll();
        QTest::keyClicks(list->lineEdit(), text);
    }

    int ticket = 0;
    RecordingPrompts prompts;
    CapturingPresenter presenter;
    frmReports window;
};

TEST_P(ReportsWindowTest, EachRunButtonStartsItsReportForTheChosenDate)
{
    button(window, "Command1")->click(); // the week of Sunday 03/29
    EXPECT_EQ(presenter.setups, 1);
    EXPECT_TRUE(previewTexts(presenter).contains(QStringLiteral("Weekly Sales Summary for Week of 3/29/2026")));

    button(window, "cmdRunMonth")->click();
    EXPECT_TRUE(previewTexts(presenter).contains(QStringLiteral("Monthly Sales Summary for March 2026")));

    window.dailyList()->setCurrentIndex(1); // 03/30
    button(window, "Command2")->click();
    EXPECT_TRUE(previewTexts(presenter).contains(QStringLiteral("Daily Sales Summary for 03/30/2026")));
    EXPECT_TRUE(previewTexts(presenter).contains(QString::number(ticket)));

    window.dateList()->setCurrentIndex(1);
    button(window, "cmdRun")->click();
    EXPECT_TRUE(previewTexts(presenter).contains(QStringLiteral("Daily Product Sales for 03/30/2026")));
    EXPECT_EQ(presenter.previews.size(), 4);
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.lastMessage().toStdString();

    // Today has no sales: the reports say so and show nothing.
    window.dailyList()->setCurrentIndex(0);
    button(window, "Command2")->click();
    window.dateList()->setCurrentIndex(0);
    button(window, "cmdRun")->click();
    EXPECT_EQ(prompts.messages, QStringList(2, QStringLiteral("No sales found for 3/31/2026")));
    EXPECT_EQ(presenter.previews.size(), 4);
}

TEST_P(ReportsWindowTest, ATypedDateIsReadAsMonthDayYearAndAnythingElseIsReported)
{
    type(window.dailyList(), QStringLiteral("3/30/2026"));
    QTest::keyClick(window.dailyList()->lineEdit(), Qt::Key_Return);
    EXPECT_TRUE(previewTexts(presenter).contains(QStringLiteral("Daily Sales Summary for 03/30/2026")));
    EXPECT_EQ(window.dailyList()->count(), 61);

    type(window.monthList(), QStringLiteral("March"));
    button(window, "cmdRunMonth")->click();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].startsWith(QStringLiteral("Report- Sales Summary: \"March\"")));
    type(window.dateList(), QStringLiteral("31/03/2026"));
    button(window, "cmdRun")->click();
    ASSERT_EQ(prompts.messages.size(), 2);
    EXPECT_TRUE(prompts.messages[1].startsWith(QStringLiteral("Print Daily Product: ")));
    EXPECT_EQ(presenter.setups, 1);
}

INSTANTIATE_TEST_SUITE_P(Engines, ReportsWindowTest, ::testing::ValuesIn(TestDatabase::Engines()),
                         [](const auto &info) { return TestDatabase::EngineName(info.param); });

} // namespace
