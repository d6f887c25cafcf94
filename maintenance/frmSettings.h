#pragma once

#include "data/ReceiptNoticeLines.h"

#include <QDialog>

class FileChooser;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// "Settings": the shop's letterhead (its name, three lines and logo) and its
// receipt notice, printed at the foot of every invoice. There is no Save
// button: closing the window saves the lines and the notice. When the notice
// can't be written the window says why and stays open, and the old notice
// stays whole. A logo is stored at once when chosen or removed; one that
// can't be stored is said and the old one kept. "Master Code..." changes the
// shop's master code behind the administrator gate, at once.
class frmSettings : public QDialog
{
    Q_OBJECT
public:
    // The chooser asks for the logo's picture (not owned; the file dialogs
    // when null).
    explicit frmSettings(QWidget *parent = nullptr, FileChooser *chooser = nullptr);

    void ChooseLogo();
    void RemoveLogo();
    void ChangeMasterCode();

    QString noticeText() const;
    void setNoticeText(const QString &text);

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;

private:
    bool saveNotice();
    void saveLetterhead();
    void showLogoState();
    FileChooser &chooser();

    FileChooser *m_chooser;
    QLineEdit *txtShopName = nullptr;
    QLineEdit *txtStreet = nullptr;
    QLineEdit *txtCityStateZip = nullptr;
    QLineEdit *txtTelephone = nullptr;
    QLabel *lblLogo = nullptr;
    QPushButton *cmdChooseLogo = nullptr;
    QPushButton *cmdRemoveLogo = nullptr;
    QPushButton *cmdMasterCode = nullptr;
    QPlainTextEdit *txtNotice = nullptr;
    bool m_loaded = false;
    bool m_readFailed = false;
    QString m_readText; // as read, to tell whether it was changed
    ReceiptNotice::Encoding m_encoding = ReceiptNotice::Encoding::Utf8;
};
