#include "timeclock/EmployeeButtonColumn.h"

#include "timeclock/ClockTexts.h"
#include "timeclock/EmployeePictures.h"
#include "timeclock/EmployeeStore.h"

#include <QFileInfo>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
constexpr QSize kButtonPicture{160, 120};
constexpr int kButtonWidth = 176;
const char kEmployeeIdProperty[] = "employeeId";
const QString kChosenStyle = QStringLiteral("QToolButton { background-color: rgb(255, 0, 0); }");
} // namespace

EmployeeButtonColumn::EmployeeButtonColumn(QWidget *parent) : QScrollArea(parent), Picture2(new QWidget)
{
    setObjectName(QStringLiteral("VScroll1"));
    Picture2->setObjectName(QStringLiteral("Picture2"));
    auto *column = new QVBoxLayout(Picture2);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    column->addStretch(1);
    setWidget(Picture2);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFixedWidth(kButtonWidth + verticalScrollBar()->sizeHint().width() + 2 * frameWidth());
}

int EmployeeButtonColumn::LoadEmployeeButtons(bool withOpenRows)
{
    qDeleteAll(m_buttons);
    m_buttons.clear();
    const std::optional<Recordset> rs = EmployeeStore::Listed(withOpenRows);
    if (!rs)
        return 0;
    auto *column = static_cast<QVBoxLayout *>(Picture2->layout());
    for (int r = 0; r < rs->rowCount(); ++r) {
        const int id = rs->value(r, QStringLiteral("id")).toInt();
        const QString caption = ClockTexts::ButtonCaption(rs->text(r, QStringLiteral("lastname")),
                                                          rs->text(r, QStringLiteral("firstname")));
        QToolButton *b = newButton(r, id, caption);
        column->insertWidget(r, b);
        m_buttons.append(b);
    }
    // One step of the scroll bar moves one button.
    if (!m_buttons.isEmpty())
        verticalScrollBar()->setSingleStep(m_buttons.first()->sizeHint().height() + column->spacing());
    return TotalEmployee();
}

QToolButton *EmployeeButtonColumn::newButton(int index, int employeeId, const QString &caption)
{
    auto *b = new QToolButton(Picture2);
    b->setObjectName(QStringLiteral("cmdEmployee_%1").arg(index));
    b->setProperty(kEmployeeIdProperty, employeeId);
    b->setText(caption);
    b->setToolTip(caption);
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setIconSize(kButtonPicture);
    b->setFixedWidth(kButtonWidth);
    b->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    // A picture that can't be read leaves the button without one.
    const QImage picture = EmployeePictures::Load(EmployeePictures::PictureToShow(employeeId), kButtonPicture);
    if (!picture.isNull())
        b->setIcon(QIcon(QPixmap::fromImage(picture)));
    connect(b, &QToolButton::clicked, this, [this, employeeId] { emit employeeClicked(employeeId); });
    return b;
}

int EmployeeButtonColumn::employeeIdAt(int index) const
{
    const QToolButton *b = button(index);
    return b ? b->property(kEmployeeIdProperty).toInt() : 0;
}

void EmployeeButtonColumn::markChosen(int employeeId)
{
    for (QToolButton *b : std::as_const(m_buttons))
        b->setStyleSheet(b->property(kEmployeeIdProperty).toInt() == employeeId ? kChosenStyle : QString());
}
