#include "sales/LookupPanel.h"

#include "widgets/VbInput.h"
#include "widgets/vbalGrid.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

LookupPanel::LookupPanel(const QString &name, const QString &caption, const QString &gridName, QWidget *parent)
    : QFrame(parent)
{
    setObjectName(name);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setLineWidth(2);
    setAutoFillBackground(true);
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    txtSearch = new QLineEdit(this);
    txtSearch->setObjectName(QStringLiteral("txtSearch"));
    cmdSearch = new QPushButton(QStringLiteral("Search"), this);
    cmdSearch->setObjectName(QStringLiteral("cmdSearch"));
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    for (QPushButton *b : {cmdSearch, cmdCancel})
        b->setAutoDefault(false);
    lblCaption = new QLabel(caption, this);
    lblCaption->setObjectName(QStringLiteral("lblCaption"));
    m_grid = new vbalGrid(this);
    m_grid->setObjectName(gridName);
    layout->addWidget(txtSearch, 0, 0);
    layout->addWidget(cmdSearch, 0, 1);
    layout->addWidget(cmdCancel, 0, 2);
    layout->addWidget(lblCaption, 1, 0, 1, 3);
    layout->addWidget(m_grid, 2, 0, 1, 3);
    layout->setColumnStretch(0, 1);
    layout->setRowStretch(2, 1);

    connect(cmdSearch, &QPushButton::clicked, this, &LookupPanel::search);
    connect(txtSearch, &QLineEdit::returnPressed, this, &LookupPanel::search);
    connect(cmdCancel, &QPushButton::clicked, this, &LookupPanel::dismiss);
    connect(m_grid, &vbalGrid::DblClick, this, &LookupPanel::Picked);
    connect(m_grid, &vbalGrid::KeyDown, this, [this](int key, int, bool *doDefault) {
        if (key != VbInput::KeyReturn || m_grid->SelectedRow() == 0)
            return;
        *doDefault = false;
        emit Picked(m_grid->SelectedRow(), m_grid->SelectedCol());
    });
    hide();
}

void LookupPanel::open(const QRect &where)
{
    setGeometry(where);
    show();
    raise();
    txtSearch->setFocus(Qt::OtherFocusReason);
    txtSearch->selectAll();
}

void LookupPanel::closeAndClear()
{
    hide();
    m_grid->ClearRows();
    emit Closed();
}

void LookupPanel::dismiss()
{
    hide();
    emit Closed();
}

void LookupPanel::search()
{
    if (m_search)
        m_search(m_grid, txtSearch->text());
    if (m_grid->RowCount() > 0) {
        m_grid->SetSelectedCell(1, m_startColumn);
        m_grid->setFocus(Qt::OtherFocusReason);
    }
}

void LookupPanel::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        dismiss();
        return;
    }
    QFrame::keyPressEvent(event);
}
