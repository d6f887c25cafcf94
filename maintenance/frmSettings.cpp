#include "maintenance/frmSettings.h"

#include "data/ReceiptNotice.h"
#include "data/UserPrompts.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

frmSettings::frmSettings(QWidget *parent)
    : QDialog(parent)
    , txtNotice(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("frmSettings"));
    setWindowTitle(QStringLiteral("Settings"));
    txtNotice->setObjectName(QStringLiteral("txtNotice"));
    auto *caption = new QLabel(QStringLiteral("Receipt Notice"), this);
    caption->setBuddy(txtNotice);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(txtNotice);
    resize(560, 360);
}

QString frmSettings::noticeText() const
{
    return txtNotice->toPlainText();
}

void frmSettings::setNoticeText(const QString &text)
{
    txtNotice->setPlainText(text);
}

void frmSettings::showEvent(QShowEvent *event)
{
    if (!m_loaded) {
        QString error;
        txtNotice->setPlainText(ReceiptNotice::text(&error, &m_encoding));
        m_readText = txtNotice->toPlainText(); // as the box gives it back
        m_readFailed = !error.isEmpty();
        // A notice that could not be read is never written over with an
        // empty one: the box stays read-only until the window opens again.
        txtNotice->setReadOnly(m_readFailed);
        if (m_readFailed)
            Prompts().message(QStringLiteral("The receipt notice could not be read: %1").arg(error));
        m_loaded = true;
    }
    QDialog::showEvent(event);
}

bool frmSettings::saveNotice()
{
    // Written only when changed here, in the encoding it was read in, so a
    // notice from the old machine stays as it was unless it was edited.
    if (m_readFailed || txtNotice->toPlainText() == m_readText)
        return true;
    QString error;
    if (ReceiptNotice::save(txtNotice->toPlainText(), &error, m_encoding))
        return true;
    return Prompts().askYesNo(QStringLiteral("The receipt notice could not be saved (%1). %2\n\nClose without saving?")
                                  .arg(error, ReceiptNotice::filePath()));
}

void frmSettings::done(int result)
{
    // The close box, Escape and the window's end all come here: save first.
    // When the save fails and the user keeps the window, a close is ignored.
    if (m_loaded && !saveNotice())
        return;
    m_loaded = false;
    QDialog::done(result);
}
