#include "maintenance/frmSettings.h"

#include "data/ReceiptNotice.h"
#include "data/UserPrompts.h"
#include "gate/MasterCodeEntry.h"
#include "maintenance/FileChooser.h"
#include "reports/ShopLetterhead.h"

#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit *lineBox(QWidget *owner, const char *name)
{
    auto *box = new QLineEdit(owner);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

// A button that Enter in a text box never presses.
QPushButton *button(QWidget *owner, const QString &caption, const char *name)
{
    auto *b = new QPushButton(caption, owner);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

frmSettings::frmSettings(QWidget *parent, FileChooser *chooser)
    : QDialog(parent)
    , m_chooser(chooser)
    , txtShopName(lineBox(this, "txtShopName"))
    , txtStreet(lineBox(this, "txtStreet"))
    , txtCityStateZip(lineBox(this, "txtCityStateZip"))
    , txtTelephone(lineBox(this, "txtTelephone"))
    , lblLogo(new QLabel(this))
    , cmdChooseLogo(button(this, QStringLiteral("Choose &Logo..."), "cmdChooseLogo"))
    , cmdRemoveLogo(button(this, QStringLiteral("&Remove Logo"), "cmdRemoveLogo"))
    , cmdMasterCode(button(this, QStringLiteral("&Master Code..."), "cmdMasterCode"))
    , txtNotice(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("frmSettings"));
    setWindowTitle(QStringLiteral("Settings"));
    lblLogo->setObjectName(QStringLiteral("lblLogo"));
    lblLogo->setFixedSize(160, 40);
    lblLogo->setFrameShape(QFrame::StyledPanel);
    lblLogo->setAlignment(Qt::AlignCenter);
    txtNotice->setObjectName(QStringLiteral("txtNotice"));

    auto *letterhead = new QFormLayout;
    letterhead->addRow(QStringLiteral("Shop &Name"), txtShopName);
    letterhead->addRow(QStringLiteral("&Street"), txtStreet);
    letterhead->addRow(QStringLiteral("&City/State/ZIP"), txtCityStateZip);
    letterhead->addRow(QStringLiteral("&Telephone"), txtTelephone);
    auto *logoRow = new QHBoxLayout;
    logoRow->addWidget(lblLogo);
    logoRow->addWidget(cmdChooseLogo);
    logoRow->addWidget(cmdRemoveLogo);
    logoRow->addStretch();
    letterhead->addRow(QStringLiteral("Logo"), logoRow);
    auto *gateRow = new QHBoxLayout;
    gateRow->addWidget(cmdMasterCode);
    gateRow->addStretch();
    letterhead->addRow(QStringLiteral("Administrator"), gateRow);

    auto *caption = new QLabel(QStringLiteral("Receipt Notice"), this);
    caption->setBuddy(txtNotice);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(letterhead);
    layout->addSpacing(8);
    layout->addWidget(caption);
    layout->addWidget(txtNotice);
    connect(cmdChooseLogo, &QPushButton::clicked, this, &frmSettings::ChooseLogo);
    connect(cmdRemoveLogo, &QPushButton::clicked, this, &frmSettings::RemoveLogo);
    connect(cmdMasterCode, &QPushButton::clicked, this, &frmSettings::ChangeMasterCode);
    resize(560, 480);
}

FileChooser &frmSettings::chooser()
{
    return ChooserOr(m_chooser);
}

void frmSettings::showLogoState()
{
    const bool has = ShopLetterhead::hasLogo();
    cmdRemoveLogo->setEnabled(has);
    if (!has) {
        lblLogo->setPixmap(QPixmap());
        lblLogo->setText(QStringLiteral("No logo"));
        return;
    }
    QImageReader reader(ShopLetterhead::logoPath());
    reader.setDecideFormatFromContent(true);
    const QImage picture = reader.read();
    if (picture.isNull()) {
        lblLogo->setPixmap(QPixmap());
        lblLogo->setText(QStringLiteral("logo.jpg (unreadable)"));
        return;
    }
    lblLogo->setPixmap(QPixmap::fromImage(
        picture.scaled(lblLogo->size() - QSize(4, 4), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void frmSettings::ChooseLogo()
{
    const std::optional<QString> file = chooser().pictureToOpen(this, QStringLiteral("Choose Logo"), QDir::homePath());
    if (!file)
        return;
    QString error;
    if (!ShopLetterhead::saveLogo(*file, &error))
        Prompts().message(QStringLiteral("The logo was not changed: %1").arg(error));
    showLogoState();
}

void frmSettings::RemoveLogo()
{
    if (!ShopLetterhead::hasLogo())
        return;
    QString error;
    if (!ShopLetterhead::removeLogo(&error))
        Prompts().message(QStringLiteral("The logo was not removed: %1").arg(error));
    showLogoState();
}

void frmSettings::ChangeMasterCode()
{
    MasterCodeEntry::Run();
}

void frmSettings::saveLetterhead()
{
    if (txtShopName->text().trimmed() == ShopLetterhead::name()
        && txtStreet->text().trimmed() == ShopLetterhead::street()
        && txtCityStateZip->text().trimmed() == ShopLetterhead::cityStateZip()
        && txtTelephone->text().trimmed() == ShopLetterhead::telephone())
        return;
    ShopLetterhead::save(txtShopName->text(), txtStreet->text(), txtCityStateZip->text(), txtTelephone->text());
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
        txtShopName->setText(ShopLetterhead::name());
        txtStreet->setText(ShopLetterhead::street());
        txtCityStateZip->setText(ShopLetterhead::cityStateZip());
        txtTelephone->setText(ShopLetterhead::telephone());
        showLogoState();
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
    if (m_loaded)
        saveLetterhead();
    m_loaded = false;
    QDialog::done(result);
}
