#pragma once

#include "data/ReceiptNoticeLines.h"

#include <QDialog>

class QPlainTextEdit;

// "Settings": the shop's receipt notice, printed at the foot of every
// invoice. There is no Save button: closing the window saves the notice.
// When it can't be written the window says why and stays open, and the old
// notice stays whole.
class frmSettings : public QDialog
{
    Q_OBJECT
public:
    explicit frmSettings(QWidget *parent = nullptr);

    QString noticeText() const;
    void setNoticeText(const QString &text);

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;

private:
    bool saveNotice();

    QPlainTextEdit *txtNotice = nullptr;
    bool m_loaded = false;
    bool m_readFailed = false;
    QString m_readText; // as read, to tell whether it was changed
    ReceiptNotice::Encoding m_encoding = ReceiptNotice::Encoding::Utf8;
};
