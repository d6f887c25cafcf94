#include "customers/CustomerInfo.h"

#include "customers/FindCustomer.h"
#include "customers/PhoneNumber.h"
#include "customers/PhoneRow.h"
#include "widgets/ButtonKey.h"

#include <QAction>
#include <QButtonGroup>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

namespace {

const char *const kPhoneCaptions[3] = {"(        )          -            Home", "(        )          -            Work",
                                       "(        )          -            Cell"};
const char *const kPhoneNames[3] = {"txtPhone", "txtPhone2", "txtPhone3"};

} // namespace

CustomerInfo::CustomerInfo(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("CustomerInfo1"));
    buildButtons();
    buildRecordPanel();
    connectEditing();
    FindCustomer1 = new FindCustomer(this);
    FindCustomer1->hide();
    connect(FindCustomer1, &FindCustomer::Cancel, this, &CustomerInfo::endLookup);
    connect(FindCustomer1, &FindCustomer::SelectCustomer, this, [this](int id) {
        endLookup();
        if (!ConfirmLeave())
            return; // the edited form stays
        m_customerid = id;
        LoadCustomerInfo(id);
    });
    Label7->setText(QString());
    picClient->setEnabled(false);
    cmdSave->setEnabled(false);
    cmdDelete->setEnabled(false);
}

void CustomerInfo::buildButtons()
{
    Picture1 = new QWidget(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    auto *bar = new QHBoxLayout(Picture1);
    bar->setContentsMargins(4, 4, 4, 4);
    const auto button = [this, bar](const char *name, const QString &caption) {
        auto *b = new QPushButton(caption, Picture1);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        bar->addWidget(b);
        return b;
    };
    cmdDelete = button("cmdDelete", QStringLiteral("Delete"));
    cmdLookup = button("cmdLookup", QStringLiteral("Lookup..."));
    cmdSave = button("cmdSave", QStringLiteral("Save"));
    cmdNewCustomer = button("cmdNewCustomer", QStringLiteral("Clear / New"));
    // Finding the customer starts every sale: a key for it, as the ticket
    // commands have.
    BindButtonKey(cmdLookup, Qt::Key_F5);
    cmdLookup->setToolTip(QStringLiteral("Find a customer by name or phone (F5)"));
    bar->addStretch(1);
    connect(cmdDelete, &QPushButton::clicked, this, &CustomerInfo::onDelete);
    connect(cmdLookup, &QPushButton::clicked, this, &CustomerInfo::onLookup);
    connect(cmdSave, &QPushButton::clicked, this, &CustomerInfo::onSave);
    connect(cmdNewCustomer, &QPushButton::clicked, this, &CustomerInfo::onNewCustomer);
}

QLineEdit *CustomerInfo::addBox(const char *name)
{
    auto *box = new QLineEdit(picClient);
    box->setObjectName(QLatin1String(name));
    return box;
}

void CustomerInfo::buildRecordPanel()
{
    picClient = new QWidget(this);
    picClient->setObjectName(QStringLiteral("picClient"));
    auto *grid = new QGridLayout(picClient);
    // Rows kept close, so the whole record down to the e-mail fits the
    // customer pane at its default share of the default window.
    grid->setContentsMargins(6, 2, 6, 3);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    const auto label = [this](const QString &text) { return new QLabel(text, picClient); };

    Label8 = new QLabel(QStringLiteral("Customer Info"), picClient);
    Label8->setObjectName(QStringLiteral("Label8"));
    QFont bold = Label8->font();
    bold.setBold(true);
    Label8->setFont(bold);
    Label7 = new QLabel(QStringLiteral("Updated:"), picClient);
    Label7->setObjectName(QStringLiteral("Label7"));
    grid->addWidget(Label8, 0, 0, 1, 2);
    grid->addWidget(Label7, 0, 2, 1, 4, Qt::AlignRight);

    txtFirstName = addBox("txtFirstName");
    txtLastName = addBox("txtLastName");
    grid->addWidget(label(QStringLiteral("First Name")), 1, 0);
    grid->addWidget(txtFirstName, 1, 1, 1, 2);
    grid->addWidget(label(QStringLiteral("Last Name")), 1, 3);
    grid->addWidget(txtLastName, 1, 4, 1, 2);

    Option1 = new QButtonGroup(this);
    for (int r = 0; r < 3; ++r) {
        phoneRows[r] = new PhoneRow(QLatin1String(kPhoneCaptions[r]), QLatin1String(kPhoneNames[r]), picClient);
        phoneRows[r]->option()->setObjectName(QStringLiteral("Option1_%1").arg(r));
        Option1->addButton(phoneRows[r]->option(), r);
        grid->addWidget(phoneRows[r], 2 + r, 1, 1, 5, Qt::AlignLeft);
    }

    Line1 = new QFrame(picClient);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);
    grid->addWidget(Line1, 5, 0, 1, 6);

    txtAddress1 = addBox("txtAddress1");
    txtAddress2 = addBox("txtAddress2");
    txtCity = addBox("txtCity");
    comboState = new QComboBox(picClient);
    comboState->setObjectName(QStringLiteral("comboState"));
    txtZip = addBox("txtZip");
    txtEmail = addBox("txtEmail");
    grid->addWidget(label(QStringLiteral("Address")), 6, 0);
    grid->addWidget(txtAddress1, 6, 1, 1, 5);
    grid->addWidget(txtAddress2, 7, 1, 1, 5);
    grid->addWidget(label(QStringLiteral("City")), 8, 0);
    grid->addWidget(txtCity, 8, 1, 1, 2);
    grid->addWidget(label(QStringLiteral("State")), 8, 3);
    auto *stateZip = new QHBoxLayout;
    stateZip->setSpacing(6);
    stateZip->addWidget(comboState);
    stateZip->addSpacing(6);
    stateZip->addWidget(label(QStringLiteral("Zip")));
    stateZip->addWidget(txtZip, 1);
    grid->addLayout(stateZip, 8, 4, 1, 2);
    grid->addWidget(label(QStringLiteral("Email")), 9, 0);
    grid->addWidget(txtEmail, 9, 1, 1, 5);
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(5, 1);
    grid->setRowStretch(10, 1);
}

void CustomerInfo::connectEditing()
{
    const auto edited = [this] {
        if (!m_loading)
            cmdSave->setEnabled(true);
    };
    QList<QLineEdit *> boxes{txtFirstName, txtLastName, txtAddress1, txtAddress2, txtCity, txtZip, txtEmail};
    for (PhoneRow *row : phoneRows) {
        for (int i = 0; i < 3; ++i) {
            QLineEdit *box = row->box(i);
            boxes << box;
            box->installEventFilter(this);
            connect(box, &QLineEdit::textEdited, this, [this, box] { phoneBoxEdited(box); });
        }
    }
    for (QLineEdit *box : boxes)
        connect(box, &QLineEdit::textChanged, this, edited);
    txtFirstName->installEventFilter(this);
    txtLastName->installEventFilter(this);
    // Tab runs through the boxes of a phone row before its option button.
    QWidget *previous = txtLastName;
    for (PhoneRow *row : phoneRows) {
        for (QWidget *w : {static_cast<QWidget *>(row->box(0)), static_cast<QWidget *>(row->box(1)),
                           static_cast<QWidget *>(row->box(2)), static_cast<QWidget *>(row->option())}) {
            setTabOrder(previous, w);
            previous = w;
        }
    }
    setTabOrder(previous, txtAddress1);
    connect(Option1, &QButtonGroup::idClicked, this, edited);
    connect(comboState, &QComboBox::currentIndexChanged, this, edited);
}

// --- Lookup ---

void CustomerInfo::onLookup()
{
    // The list covers the form; what must be settled first is settled now,
    // while what was typed is still in view.
    if (m_leaveCheck && !m_leaveCheck())
        return;
    picClient->hide();
    FindCustomer1->setGeometry(0, 0, width(), height());
    FindCustomer1->show();
    FindCustomer1->raise();
    // RefreshDB reads the first page for what the boxes hold: one query,
    // not a second EditFilter of the same search.
    FindCustomer1->RefreshDB();
    Picture1->hide();
    FindCustomer1->focusLastName();
}

void CustomerInfo::endLookup()
{
    FindCustomer1->hide();
    picClient->show();
    Picture1->show();
}

bool CustomerInfo::IsLookingUp() const
{
    return FindCustomer1->isVisible();
}

// --- Layout ---

QSize CustomerInfo::sizeHint() const
{
    const QSize bar = Picture1->sizeHint();
    const QSize panel = picClient->sizeHint();
    return QSize(qMax(bar.width(), panel.width()), bar.height() + panel.height());
}

void CustomerInfo::resizeEvent(QResizeEvent *)
{
    const int barHeight = Picture1->sizeHint().height();
    Picture1->setGeometry(0, 0, width(), barHeight);
    // The panel keeps its own height, so HideAddress cuts the address rows off
    // instead of squeezing them.
    picClient->setGeometry(0, barHeight, qMax(width(), picClient->minimumSizeHint().width()),
                           qMax(picClient->sizeHint().height(), height() - barHeight));
    FindCustomer1->setGeometry(0, 0, width(), height());
}

void CustomerInfo::HideAddress()
{
    m_fullHeight = height();
    const int end = Line1->mapTo(this, QPoint(0, Line1->height())).y();
    setMaximumHeight(end);
    resize(width(), end);
}

void CustomerInfo::ShowAddress()
{
    setMaximumHeight(QWIDGETSIZE_MAX);
    if (m_fullHeight > 0)
        resize(width(), m_fullHeight);
}

// --- Keyboard movement ---

void CustomerInfo::focusBox(QLineEdit *box)
{
    if (!box)
        return;
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
}

QLineEdit *CustomerInfo::nextPhoneBox(const QLineEdit *box) const
{
    for (int row = 0; row < 3; ++row) {
        for (int i = 0; i < 3; ++i) {
            if (phoneRows[row]->box(i) != box)
                continue;
            if (i < 2)
                return phoneRows[row]->box(i + 1);
            return row < 2 ? phoneRows[row + 1]->box(0) : nullptr;
        }
    }
    return nullptr;
}

bool CustomerInfo::moveFromPhoneBox(QLineEdit *box)
{
    QLineEdit *next = nextPhoneBox(box);
    if (!next)
        return false;
    focusBox(next);
    return true;
}

// A box that the user has just filled hands the focus on.
void CustomerInfo::phoneBoxEdited(QLineEdit *box)
{
    if (box->text().size() == box->maxLength() && box->cursorPosition() == box->text().size())
        moveFromPhoneBox(box);
}

// A number pasted whole ("(512) 555-0123") is split over the row's three
// boxes, as typing it runs through them; the area code box alone would keep
// only "(51".
bool CustomerInfo::pasteIntoPhoneBox(QLineEdit *box, const QString &text)
{
    const auto parts = PhoneNumber::SplitWritten(text);
    if (!parts)
        return false;
    for (PhoneRow *row : phoneRows) {
        if (row->box(0) != box && row->box(1) != box && row->box(2) != box)
            continue;
        for (int i = 0; i < 3; ++i)
            row->box(i)->setText((*parts)[size_t(i)]);
        // On as after the last digit typed: to the next row, or the end of
        // the line number in the last one.
        if (!moveFromPhoneBox(row->box(2))) {
            row->box(2)->setFocus(Qt::OtherFocusReason);
            row->box(2)->end(false);
        }
        return true;
    }
    return false;
}

// The box's own menu, its Paste splitting a whole number as the keys do.
bool CustomerInfo::showPhoneBoxMenu(QLineEdit *box, const QPoint &globalPos)
{
    QMenu *menu = box->createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (QAction *paste = menu->findChild<QAction *>(QStringLiteral("edit-paste"))) {
        disconnect(paste, &QAction::triggered, nullptr, nullptr);
        connect(paste, &QAction::triggered, box, [this, box] {
            if (!pasteIntoPhoneBox(box, QGuiApplication::clipboard()->text()))
                box->paste();
        });
    }
    menu->popup(globalPos);
    return true;
}

bool CustomerInfo::eventFilter(QObject *watched, QEvent *event)
{
    auto *phoneBox = qobject_cast<QLineEdit *>(watched);
    if (phoneBox == txtFirstName || phoneBox == txtLastName)
        phoneBox = nullptr;
    if (phoneBox && event->type() == QEvent::ContextMenu)
        return showPhoneBoxMenu(phoneBox, static_cast<QContextMenuEvent *>(event)->globalPos());
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto *ke = static_cast<QKeyEvent *>(event);
    if (phoneBox && ke->matches(QKeySequence::Paste) && !phoneBox->isReadOnly()
        && pasteIntoPhoneBox(phoneBox, QGuiApplication::clipboard()->text()))
        return true;
    const bool forward = ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter || ke->key() == Qt::Key_Down;
    if (!forward || ke->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return QWidget::eventFilter(watched, event);
    if (watched == txtFirstName) {
        focusBox(txtLastName);
        return true;
    }
    if (watched == txtLastName) {
        focusBox(phoneRows[0]->box(0));
        return true;
    }
    if (auto *box = qobject_cast<QLineEdit *>(watched)) {
        moveFromPhoneBox(box);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
