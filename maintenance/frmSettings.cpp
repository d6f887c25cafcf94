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
        txtNotice->setPlainText(ReceiptNotice::text(&error));
        if (!error.isEmpty())
            Prompts().message(QStringLiteral("The receipt notice could not be read: %1").arg(error));
        m_loaded = true;
    }
    QDialog::showEvent(event);
}

bool frmSettings::saveNotice()
{
    QString error;
    if (ReceiptNotice::save(txtNotice->toPlainText(), &error))
        return true;
    Prompts().message(QStringLiteral("The receipt notice could not be saved (%1). %2")
                          .arg(error, ReceiptNotice::filePath()));
    return false;
}

void frmSettings::done(int result)
{
    // The close box, Escape and the window's end all come here: save first.
    // When the save fails the window stays (a close is then ignored).
    if (m_loaded && !saveNotice())
        return;
    m_loaded = false;
    QDialog::done(result);
}
