// In-place editing and the keyboard and mouse events of vbalGrid.
#include "widgets/vbalGrid.h"

#include "widgets/VbInput.h"
#include "widgets/vbalGridModel.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMetaProperty>
#include <QMouseEvent>
#include <QTableView>

namespace {

// The text of whatever edit box the host placed: its user property (the text
// of a line edit, the current text of a combo box, the value of a spin box).
QString editorText(const QWidget *editor)
{
    const QMetaProperty p = editor->metaObject()->userProperty();
    return p.isValid() ? p.read(editor).toString() : QString();
}

bool isDescendant(const QWidget *w, const QWidget *ancestor)
{
    for (; w; w = w->parentWidget()) {
        if (w == ancestor)
            return true;
    }
    return false;
}

} // namespace

// --- In-place editing ---

void vbalGrid::StartEdit(int row, int col, int keyAscii)
{
    if (!m_editable || !validCell(row, col))
        return;
    if (m_editor)
        EndEdit();
    m_editRow = row;
    m_editCol = col;
    m_editRequested = true;
    bool cancel = false;
    emit RequestEdit(row, col, keyAscii, &cancel);
    m_editRequested = false;
    if (cancel && m_editor)
        finishEdit();
}

void vbalGrid::EditOverCell(QWidget *editor)
{
    if (m_editRequested || m_editor) {
        EditOverCell(editor, m_editRow, m_editCol);
        return;
    }
    const QModelIndex current = m_view->currentIndex();
    if (current.isValid())
        EditOverCell(editor, rowOf(current), current.column() + 1);
}

void vbalGrid::EditOverCell(QWidget *editor, int row, int col)
{
    if (!editor || !validCell(row, col))
        return;
    if (m_editor && m_editor != editor)
        CancelEdit();
    const bool starting = m_editor != editor;
    m_editRow = row;
    m_editCol = col;
    if (starting) {
        EnsureVisible(row);
        // A box of another grid's (or of nobody's) becomes this grid's child;
        // a box of the window that holds the grid stays where it is.
        QWidget *parent = editor->parentWidget();
        if (!parent || (parent != this && !parent->isAncestorOf(this)))
            editor->setParent(this);
        m_editor = editor;
        editor->installEventFilter(this);
    }
    const QRect cell = CellRect(row, col);
    QWidget *host = editor->parentWidget();
    const QPoint topLeft = host->mapFromGlobal(mapToGlobal(cell.topLeft()));
    editor->setGeometry(QRect(topLeft, cell.size()));
    if (starting) {
        editor->show();
        editor->raise();
        editor->setFocus(Qt::OtherFocusReason);
    }
}

void vbalGrid::EndEdit()
{
    if (!m_editor || m_committing)
        return;
    const QPointer<QWidget> editor = m_editor;
    bool stay = false;
    m_committing = true;
    emit CommitEdit(m_editRow, m_editCol, editorText(editor), &stay);
    m_committing = false;
    if (stay && editor && m_editor == editor) {
        editor->setFocus(Qt::OtherFocusReason);
        return;
    }
    finishEdit();
    emit EditCancelled();
    m_view->setFocus(Qt::OtherFocusReason);
}

void vbalGrid::CancelEdit()
{
    if (!m_editor || m_committing)
        return;
    finishEdit();
    emit EditCancelled();
    m_view->setFocus(Qt::OtherFocusReason);
}

void vbalGrid::finishEdit()
{
    QWidget *editor = m_editor;
    m_editor = nullptr;
    if (!editor)
        return;
    editor->removeEventFilter(this);
    editor->hide();
}

// --- Events ---

QPoint vbalGrid::toGrid(const QPoint &viewportPos) const
{
    return m_view->viewport()->mapTo(this, viewportPos);
}

bool vbalGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (m_editor && watched == m_editor)
        return editorEvent(event);
    if (watched == m_view)
        return viewKeyEvent(event);
    if (watched == m_view->viewport())
        return viewportMouseEvent(event);
    return QWidget::eventFilter(watched, event);
}

bool vbalGrid::viewKeyEvent(QEvent *event)
{
    if (event->type() == QEvent::KeyRelease) {
        const auto *ke = static_cast<QKeyEvent *>(event);
        emit KeyUp(VbInput::KeyCode(ke->key()), VbInput::ShiftState(ke->modifiers()));
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *ke = static_cast<QKeyEvent *>(event);
    bool doDefault = true;
    emit KeyDown(VbInput::KeyCode(ke->key()), VbInput::ShiftState(ke->modifiers()), &doDefault);
    if (!doDefault)
        return true;
    const QString text = ke->text();
    const bool plain = !(ke->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    const QModelIndex current = m_view->currentIndex();
    if (plain && !text.isEmpty()
        && (text[0].isPrint() || text[0] == QLatin1Char('\r') || text[0] == QLatin1Char('\x1b')
            || text[0] == QLatin1Char('\b'))) {
        const int ascii = text[0].unicode();
        emit KeyPress(ascii);
        if (m_editable && text[0].isPrint() && current.isValid()) {
            StartEdit(rowOf(current), current.column() + 1, ascii);
            return true;
        }
    }
    if (ke->key() == Qt::Key_F2 && m_editable && current.isValid()) {
        StartEdit(rowOf(current), current.column() + 1, 0);
        return true;
    }
    return false;
}

bool vbalGrid::viewportMouseEvent(QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease && type != QEvent::MouseMove
        && type != QEvent::MouseButtonDblClick)
        return false;
    const auto *me = static_cast<QMouseEvent *>(event);
    const QPoint p = toGrid(me->position().toPoint());
    const int shift = VbInput::ShiftState(me->modifiers());
    switch (type) {
    case QEvent::MouseButtonPress: {
        bool doDefault = true;
        emit MouseDown(VbInput::Button(me->button()), shift, p.x(), p.y(), &doDefault);
        return !doDefault;
    }
    case QEvent::MouseMove:
        emit MouseMove(VbInput::Button(me->buttons()), shift, p.x(), p.y());
        return false;
    case QEvent::MouseButtonRelease:
        emit MouseUp(VbInput::Button(me->button()), shift, p.x(), p.y());
        return false;
    default: {
        int row = 0, col = 0;
        if (me->button() == Qt::LeftButton && CellAt(p.x(), p.y(), &row, &col)) {
            emit DblClick(row, col);
            if (m_editable)
                StartEdit(row, col, 0);
        }
        return false;
    }
    }
}

bool vbalGrid::editorEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            EndEdit();
            return true;
        }
        if (key == Qt::Key_Escape) {
            CancelEdit();
            return true;
        }
        return false;
    }
    case QEvent::FocusOut: {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        // A message box of the host or the box's own popup list does not end the edit.
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason || m_committing)
            return false;
        if (isDescendant(QApplication::focusWidget(), m_editor))
            return false;
        EndEdit();
        return false;
    }
    case QEvent::Hide:
        // The host hid its box itself: the edit is over without a commit.
        if (!m_committing)
            finishEdit();
        return false;
    default:
        return false;
    }
}
