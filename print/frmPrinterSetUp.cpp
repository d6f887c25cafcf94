#include "print/frmPrinterSetUp.h"

#include "print/PrinterAccess.h"
#include "print/PrinterSetupPictures.h"
#include "print/clsPrintDialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

frmPrinterSetUp::frmPrinterSetUp(int orientation, QWidget *parent)
    : QDialog(parent)
    , m_model(Printer(), orientation)
    , cboPrinter(new QComboBox)
    , txtDriver(new QLineEdit)
    , txtPort(new QLineEdit)
    , fraOrientation(new QGroupBox(QStringLiteral("Orientation")))
    , optOrien(new QButtonGroup(this))
    , imgPrinterOrien(new QLabel)
    , fraDuplex(new QGroupBox(QStringLiteral("Duplix")))
    , optDuplex(new QButtonGroup(this))
    , imgPrinterDuplex(new QLabel)
    , fraQuality(new QGroupBox(QStringLiteral("Quality")))
    , optQuality(new QButtonGroup(this))
    , imgPrinterQuality(new QLabel)
    , fraColor(new QGroupBox(QStringLiteral("Color")))
    , optColor(new QButtonGroup(this))
{
    setObjectName(QStringLiteral("frmPrinterSetUp"));
    setWindowTitle(QStringLiteral("Printer Setup"));
    cboPrinter->setObjectName(QStringLiteral("cboPrinter"));
    txtDriver->setObjectName(QStringLiteral("txtDriver"));
    txtPort->setObjectName(QStringLiteral("txtPort"));
    txtDriver->setReadOnly(true);
    txtPort->setReadOnly(true);
    cboPrinter->setMinimumWidth(260);

    auto *names = new QFormLayout;
    names->addRow(QStringLiteral("Printer:"), cboPrinter);
    names->addRow(QStringLiteral("Driver:"), txtDriver);
    names->addRow(QStringLiteral("Port:"), txtPort);

    auto *groups = new QGridLayout;
    groups->addWidget(buildOptionGroup(fraOrientation, optOrien,
                                       {QStringLiteral("Portrait"), QStringLiteral("Landscape")},
                                       QStringLiteral("optOrien"), imgPrinterOrien),
                      0, 0);
    groups->addWidget(buildOptionGroup(fraDuplex, optDuplex,
                                       {QStringLiteral("Single Sided"), QStringLiteral("Double Sided Tablet"),
                                        QStringLiteral("Double Sided Book")},
                                       QStringLiteral("optDuplex"), imgPrinterDuplex),
                      0, 1);
    groups->addWidget(buildOptionGroup(fraQuality, optQuality,
                                       {QStringLiteral("Draft"), QStringLiteral("Normal"), QStringLiteral("Best")},
                                       QStringLiteral("optQuality"), imgPrinterQuality),
                      1, 0);
    groups->addWidget(buildOptionGroup(fraColor, optColor, {QStringLiteral("Color"), QStringLiteral("Grayscale")},
                                       QStringLiteral("optColor"), nullptr),
                      1, 1);
    groups->addWidget(buildCopies(), 2, 0);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(names);
    layout->addLayout(groups);
    buildButtons(layout);
    connectControls();
}

QGroupBox *frmPrinterSetUp::buildOptionGroup(QGroupBox *group, QButtonGroup *buttons, const QStringList &captions,
                                             const QString &namePrefix, QLabel *picture)
{
    group->setObjectName(QStringLiteral("fra") + namePrefix.mid(3));
    auto *row = new QHBoxLayout(group);
    auto *column = new QVBoxLayout;
    for (int i = 0; i < captions.size(); ++i) {
        auto *option = new QRadioButton(captions.at(i));
        option->setObjectName(namePrefix + QLatin1Char('_') + QString::number(i));
        buttons->addButton(option, i);
        column->addWidget(option);
    }
    row->addLayout(column, 1);
    if (picture) {
        picture->setFixedSize(48, 48);
        row->addWidget(picture);
    }
    return group;
}

QGroupBox *frmPrinterSetUp::buildCopies()
{
    fraCopies = new QGroupBox(QStringLiteral("Copies"));
    fraCopies->setObjectName(QStringLiteral("fraCopies"));
    txtCopies = new QLineEdit;
    txtCopies->setObjectName(QStringLiteral("txtCopies"));
    txtCopies->setMaximumWidth(60);
    txtCopies->installEventFilter(this);
    VScroll = new QScrollBar(Qt::Vertical);
    VScroll->setObjectName(QStringLiteral("VScroll"));
    VScroll->setRange(1, 999);
    VScroll->setInvertedAppearance(true);
    VScroll->setInvertedControls(true);
    VScroll->setFixedHeight(txtCopies->sizeHint().height());
    imgCopies = new QLabel;
    imgCopies->setObjectName(QStringLiteral("imgCopies"));
    imgCopies->setPixmap(PrinterSetupPictures::copies());
    auto *row = new QHBoxLayout(fraCopies);
    row->addWidget(txtCopies);
    row->addWidget(VScroll);
    row->addStretch(1);
    row->addWidget(imgCopies);
    return fraCopies;
}

void frmPrinterSetUp::buildButtons(QBoxLayout *layout)
{
    cmdPrintProperties = new QPushButton(QStringLiteral("Properties..."));
    cmdPrintProperties->setObjectName(QStringLiteral("cmdPrintProperties"));
    cmdPreview = new QPushButton(QStringLiteral("Preview"));
    cmdPreview->setObjectName(QStringLiteral("cmdPreview"));
    cmdPrint = new QPushButton(QStringLiteral("Print"));
    cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
    cmdQuit = new QPushButton(QStringLiteral("Cancel"));
    cmdQuit->setObjectName(QStringLiteral("cmdQuit"));
    cmdPreview->setDefault(true);
    auto *row = new QHBoxLayout;
    row->addWidget(cmdPrintProperties);
    row->addStretch(1);
    row->addWidget(cmdPreview);
    row->addWidget(cmdPrint);
    row->addWidget(cmdQuit);
    layout->addLayout(row);
}

void frmPrinterSetUp::connectControls()
{
    connect(cboPrinter, &QComboBox::activated, this, [this](int index) {
        m_model.choosePrinter(cboPrinter->itemText(index));
        showModel();
    });
    connect(optOrien, &QButtonGroup::idClicked, this, [this](int id) {
        m_model.setOrientationOption(id);
        showModel();
    });
    connect(optDuplex, &QButtonGroup::idClicked, this, [this](int id) {
        m_model.setDuplexOption(id);
        showPictures();
    });
    connect(optQuality, &QButtonGroup::idClicked, this, [this](int id) {
        m_model.setQualityOption(id);
        showPictures();
    });
    connect(optColor, &QButtonGroup::idClicked, this, [this](int id) { m_model.setColorOption(id); });
    connect(txtCopies, &QLineEdit::textChanged, this, &frmPrinterSetUp::copiesEdited);
    connect(VScroll, &QScrollBar::valueChanged, this, [this](int value) {
        if (!m_showing)
            txtCopies->setText(QString::number(std::abs(value)));
    });
    connect(cmdPrintProperties, &QPushButton::clicked, this, &frmPrinterSetUp::openProperties);
    connect(cmdPreview, &QPushButton::clicked, this, [this] {
        m_model.preview();
        accept();
    });
    connect(cmdPrint, &QPushButton::clicked, this, [this] {
        if (m_model.print())
            accept();
    });
    connect(cmdQuit, &QPushButton::clicked, this, &frmPrinterSetUp::reject);
    connect(this, &QDialog::rejected, this, [this] { m_model.cancel(); });
}

void frmPrinterSetUp::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_loaded)
        loadChoices();
}

void frmPrinterSetUp::loadChoices()
{
    m_loaded = true;
    m_model.load();
    const QSignalBlocker block(cboPrinter);
    cboPrinter->clear();
    cboPrinter->addItems(m_model.printerNames());
    if (m_model.printerNames().isEmpty())
        cboPrinter->setPlaceholderText(QStringLiteral("(no printer installed)"));
    showModel();
}

void frmPrinterSetUp::showModel()
{
    m_showing = true;
    cboPrinter->setCurrentIndex(m_model.selectedIndex());
    txtDriver->setText(m_model.driverName());
    txtPort->setText(m_model.portName());
    optOrien->button(m_model.orientationOption())->setChecked(true);
    optDuplex->button(m_model.duplexOption())->setChecked(true);
    optQuality->button(m_model.qualityOption())->setChecked(true);
    optColor->button(m_model.colorOption())->setChecked(true);
    txtCopies->setText(m_model.copiesText());
    VScroll->setValue(m_model.copies());
    m_showing = false;
    showPictures();
}

void frmPrinterSetUp::showPictures()
{
    const bool landscape = m_model.orientationOption() == 1;
    imgPrinterOrien->setPixmap(PrinterSetupPictures::orientation(landscape));
    imgPrinterDuplex->setPixmap(PrinterSetupPictures::duplex(m_model.duplexOption(), landscape));
    imgPrinterQuality->setPixmap(PrinterSetupPictures::quality(m_model.qualityOption()));
}

void frmPrinterSetUp::copiesEdited(const QString &text)
{
    const QString kept = m_model.setCopiesText(text);
    if (kept != text) {
        const QSignalBlocker block(txtCopies);
        txtCopies->setText(kept);
        txtCopies->selectAll(); // the next digit replaces the number put in
    }
    const QSignalBlocker block(VScroll);
    VScroll->setValue(m_model.copies());
}

// Digits only; Enter moves on to the next control.
bool frmPrinterSetUp::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtCopies && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            focusNextChild();
            return true;
        }
        const bool editing = key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete
            || key->key() == Qt::Key_Left || key->key() == Qt::Key_Right || key->key() == Qt::Key_Home
            || key->key() == Qt::Key_End || key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        const QString text = key->text();
        const bool digit = text.size() == 1 && text.at(0) >= QLatin1Char('0') && text.at(0) <= QLatin1Char('9');
        if (!digit && !editing && !(key->modifiers() & Qt::ControlModifier))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmPrinterSetUp::openProperties()
{
    {
        clsPrintDialog dialog;
        dialog.setAllowOrientation(fraOrientation->isVisible());
        dialog.setAllowPrintToFile(false);
        dialog.setOwner_hWnd(this);
        dialog.ShowPrinter(clsPrintDialog::PrintSetupFlag);
    }
    m_model.readBackFromPrinter();
    const QSignalBlocker block(cboPrinter);
    cboPrinter->clear();
    cboPrinter->addItems(m_model.printerNames());
    showModel();
}
