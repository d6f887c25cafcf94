#include "reports/frmReports.h"

#include "data/Clock.h"
#include "data/DateText.h"
#include "reports/ProductReports.h"
#include "reports/ReportDateLists.h"
#include "reports/SalesSummary.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

void fillDateList(QComboBox *list, const QList<QDate> &dates)
{
    list->clear();
    for (const QDate &day : dates)
        list->addItem(DateText::mmddyyyy(day), day);
    list->setCurrentIndex(0);
}

// The date picked from the list; nullopt when the text was typed (or
// changed) by hand, which the report then reads as mm/dd/yyyy.
std::optional<QDate> listedDate(const QComboBox *list)
{
    const int index = list->currentIndex();
    if (index < 0 || list->itemText(index) != list->currentText())
        return std::nullopt;
    return list->itemData(index).toDate();
}

} // namespace

frmReports::frmReports(QWidget *parent)
    : QDialog(parent)
    , lblProduct(new QLabel(QStringLiteral("Daily Product Statistics"), this))
    , cmbDate(newDateList("cmbDate"))
    , cmdRun(newRunButton("cmdRun"))
    , Line1(new QFrame(this))
    , lblDaily(new QLabel(QStringLiteral("Daily Sales Summary"), this))
    , cmbDate2(newDateList("cmbDate2"))
    , Command2(newRunButton("Command2"))
    , lblWeekly(new QLabel(QStringLiteral("Weekly Sales Summary"), this))
    , cmbWeek(newDateList("cmbWeek"))
    , Command1(newRunButton("Command1"))
    , lblMonthly(new QLabel(QStringLiteral("Monthly Sales Summary"), this))
    , cmbMonth(newDateList("cmbMonth"))
    , cmdRunMonth(newRunButton("cmdRunMonth"))
{
    setObjectName(QStringLiteral("frmReports"));
    setWindowTitle(QStringLiteral("Reports"));
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);
    buildLayout();
    connect(cmdRun, &QPushButton::clicked, this, &frmReports::runProductStatistics);
    connect(Command2, &QPushButton::clicked, this, [this] { runSummary(cmbDate2, QStringLiteral("Daily")); });
    connect(Command1, &QPushButton::clicked, this, [this] { runSummary(cmbWeek, QStringLiteral("Weekly")); });
    connect(cmdRunMonth, &QPushButton::clicked, this, [this] { runSummary(cmbMonth, QStringLiteral("Monthly")); });
}

QComboBox *frmReports::newDateList(const char *name)
{
    auto *list = new QComboBox(this);
    list->setObjectName(QString::fromLatin1(name));
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setMinimumContentsLength(10);
    return list;
}

QPushButton *frmReports::newRunButton(const char *name)
{
    auto *button = new QPushButton(QStringLiteral("Run"), this);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

void frmReports::buildLayout()
{
    auto *grid = new QGridLayout(this);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(10);
    QFont caption = lblProduct->font();
    caption.setBold(true);
    const QList<std::tuple<QLabel *, QComboBox *, QPushButton *>> sections = {
        {lblProduct, cmbDate, cmdRun},
        {lblDaily, cmbDate2, Command2},
        {lblWeekly, cmbWeek, Command1},
        {lblMonthly, cmbMonth, cmdRunMonth},
    };
    int row = 0;
    for (const auto &[label, list, button] : sections) {
        label->setFont(caption);
        // Enter in a list runs its report, as its button does.
        m_runOnEnter.insert(list->lineEdit(), button);
        list->lineEdit()->installEventFilter(this);
        grid->addWidget(label, row, 0, 1, 2);
        grid->addWidget(list, row + 1, 0);
        grid->addWidget(button, row + 1, 1);
        row += 2;
        // The product report stands apart from the sales summaries.
        if (label == lblProduct)
            grid->addWidget(Line1, row++, 0, 1, 2);
    }
    grid->setColumnStretch(0, 1);
    grid->setSizeConstraint(QLayout::SetFixedSize);
}

bool frmReports::eventFilter(QObject *watched, QEvent *event)
{
    // The key is taken here: left to the list, it would come back to the
    // box a second time and run the report twice.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        QPushButton *run = m_runOnEnter.value(watched);
        if (run && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            run->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmReports::showEvent(QShowEvent *event)
{
    if (!m_loaded)
        FillLists(Clock::today());
    QDialog::showEvent(event);
}

void frmReports::FillLists(const QDate &today)
{
    m_loaded = true;
    fillDateList(cmbDate, ReportDateLists::days(today));
    fillDateList(cmbDate2, ReportDateLists::days(today));
    fillDateList(cmbWeek, ReportDateLists::weeks(today));
    fillDateList(cmbMonth, ReportDateLists::months(today));
}

void frmReports::runProductStatistics()
{
    if (const std::optional<QDate> day = listedDate(cmbDate))
        PrintProductSales(*day, false);
    else
        PrintProductSales(cmbDate->currentText(), false);
}

void frmReports::runSummary(QComboBox *list, const QString &period)
{
    if (const std::optional<QDate> start = listedDate(list))
        PrintSalesSummary(*start, *SummaryPeriodFromText(period));
    else
        PrintSalesSummary(list->currentText(), period);
}
