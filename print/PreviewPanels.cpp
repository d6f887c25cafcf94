#include "print/PreviewPanels.h"

#include "data/TextNumber.h"
#include "data/UserPrompts.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QStorageInfo>
#include <QVBoxLayout>

namespace {

int wholeNumber(const QString &text)
{
    return int(TextNumber::Val(text));
}

QValidator *digitsOnly(QObject *parent)
{
    return new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,5}")), parent);
}

void styleAsPanel(QFrame *frame)
{
    frame->setFrameShape(QFrame::Box);
    frame->setAutoFillBackground(true);
    frame->hide();
}

} // namespace

// --- go to ---

PreviewGotoPanel::PreviewGotoPanel(QWidget *parent)
    : QFrame(parent)
    , Label5(new QLabel(QStringLiteral("Goto Page#")))
    , txtGoto(new QLineEdit)
    , cmdGotoOK(new QPushButton(QStringLiteral("OK")))
{
    setObjectName(QStringLiteral("picGoto"));
    Label5->setObjectName(QStringLiteral("Label5"));
    txtGoto->setObjectName(QStringLiteral("txtGoto"));
    cmdGotoOK->setObjectName(QStringLiteral("cmdGotoOK"));
    styleAsPanel(this);
    txtGoto->setValidator(digitsOnly(txtGoto));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label5);
    layout->addWidget(txtGoto);
    layout->addWidget(cmdGotoOK);
    connect(txtGoto, &QLineEdit::textChanged, this, &PreviewGotoPanel::clampToPageCount);
    connect(txtGoto, &QLineEdit::returnPressed, this, &PreviewGotoPanel::confirm);
    connect(cmdGotoOK, &QPushButton::clicked, this, &PreviewGotoPanel::confirm);
}

void PreviewGotoPanel::open(int currentPage, int pageCount)
{
    m_pageCount = std::max(1, pageCount);
    Label5->setText(QStringLiteral("Goto Page#\n(1 to %1)").arg(m_pageCount));
    txtGoto->setText(QString::number(currentPage));
    txtGoto->selectAll();
    show();
    raise();
    txtGoto->setFocus();
}

void PreviewGotoPanel::clampToPageCount()
{
    if (wholeNumber(txtGoto->text()) > m_pageCount)
        txtGoto->setText(QString::number(m_pageCount));
}

void PreviewGotoPanel::confirm()
{
    const int page = wholeNumber(txtGoto->text());
    if (page > 0)
        emit pageChosen(std::min(page, m_pageCount));
}

// --- print options ---

PreviewPrintPanel::PreviewPrintPanel(QWidget *parent)
    : QFrame(parent)
    , Label3(new QLabel(QStringLiteral("Print Options")))
    , m_options(new QButtonGroup(this))
    , txtFrom(new QLineEdit(QStringLiteral("1")))
    , txtTo(new QLineEdit(QStringLiteral("1")))
    , Label2(new QLabel(QStringLiteral("to")))
    , cmdPrint(new QPushButton(QStringLiteral("OK")))
    , lblPrintingPg(new QLabel)
{
    setObjectName(QStringLiteral("picPrintOptions"));
    Label3->setObjectName(QStringLiteral("Label3"));
    txtFrom->setObjectName(QStringLiteral("txtFrom"));
    txtTo->setObjectName(QStringLiteral("txtTo"));
    cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
    lblPrintingPg->setObjectName(QStringLiteral("lblPrintingPg"));
    styleAsPanel(this);
    const char *captions[] = {"Copy page to clipboard", "Print Current Page", "Print Pages",
                              "Copy all pages to a Folder"};
    auto *layout = new QGridLayout(this);
    layout->addWidget(Label3, 0, 0, 1, 4);
    for (int i = 0; i < 4; ++i) {
        optPrint[i] = new QRadioButton(QString::fromLatin1(captions[i]));
        optPrint[i]->setObjectName(QStringLiteral("optPrint_%1").arg(i));
        m_options->addButton(optPrint[i], i);
    }
    layout->addWidget(optPrint[0], 1, 0, 1, 4);
    layout->addWidget(optPrint[1], 2, 0, 1, 4);
    layout->addWidget(optPrint[2], 3, 0);
    layout->addWidget(txtFrom, 3, 1);
    layout->addWidget(Label2, 3, 2);
    layout->addWidget(txtTo, 3, 3);
    layout->addWidget(optPrint[3], 4, 0, 1, 4);
    layout->addWidget(cmdPrint, 5, 0, 1, 4);
    layout->addWidget(lblPrintingPg, 6, 0, 1, 4);
    lblPrintingPg->hide();
    for (QLineEdit *box : {txtFrom, txtTo}) {
        box->setValidator(digitsOnly(box));
        box->setMaximumWidth(60);
        box->installEventFilter(this);
        connect(box, &QLineEdit::textEdited, this, [this, box] { keepWithinDocument(box); });
        connect(box, &QLineEdit::editingFinished, this, [this, box] { keepRangeInOrder(box); });
    }
    connect(cmdPrint, &QPushButton::clicked, this, [this] {
        keepRangeInOrder(txtTo);
        emit actionRequested(printOption());
    });
}

void PreviewPrintPanel::open(int pageCount)
{
    m_pageCount = std::max(1, pageCount);
    txtTo->setText(QString::number(m_pageCount));
    keepRangeInOrder(txtTo);
    setPrintOption(PrintPages);
    setBusy(false);
    show();
    raise();
}

int PreviewPrintPanel::printOption() const
{
    return m_options->checkedId() < 0 ? PrintPages : m_options->checkedId();
}

void PreviewPrintPanel::setPrintOption(int option)
{
    optPrint[std::clamp(option, 0, 3)]->setChecked(true);
}

int PreviewPrintPanel::fromPage() const
{
    return wholeNumber(txtFrom->text());
}

int PreviewPrintPanel::toPage() const
{
    return wholeNumber(txtTo->text());
}

void PreviewPrintPanel::setBusy(bool busy)
{
    setEnabled(!busy);
    lblPrintingPg->setVisible(busy);
    cmdPrint->setVisible(!busy);
    if (!busy)
        lblPrintingPg->clear();
}

void PreviewPrintPanel::setProgress(const QString &text)
{
    lblPrintingPg->setText(text);
    lblPrintingPg->repaint();
}

// Both page numbers stay within the document as they are typed.
void PreviewPrintPanel::keepWithinDocument(QLineEdit *box)
{
    const int page = wholeNumber(box->text());
    if (box->text().isEmpty())
        return;
    if (page > m_pageCount)
        box->setText(QString::number(m_pageCount));
    else if (page < 1)
        box->setText(QStringLiteral("1"));
}

// From never passes To: lowering To raises it back to From, raising From
// lowers it to To.
void PreviewPrintPanel::keepRangeInOrder(QLineEdit *changed)
{
    for (QLineEdit *box : {txtFrom, txtTo}) {
        if (wholeNumber(box->text()) < 1)
            box->setText(QStringLiteral("1"));
        keepWithinDocument(box);
    }
    if (fromPage() <= toPage())
        return;
    if (changed == txtTo)
        txtTo->setText(txtFrom->text());
    else
        txtFrom->setText(txtTo->text());
}

bool PreviewPrintPanel::eventFilter(QObject *watched, QEvent *event)
{
    auto *box = qobject_cast<QLineEdit *>(watched);
    if (box && event->type() == QEvent::FocusIn)
        QMetaObject::invokeMethod(box, &QLineEdit::selectAll, Qt::QueuedConnection);
    if (box && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            box->setText(QString::number(wholeNumber(box->text()) + (key == Qt::Key_Up ? 1 : -1)));
            keepRangeInOrder(box);
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

// --- folder ---

PreviewFolderPanel::PreviewFolderPanel(QWidget *parent)
    : QFrame(parent)
    , Label4(new QLabel(QStringLiteral(" Select a Directory: ")))
    , Drive1(new QComboBox)
    , lblPath(new QLabel)
    , Dir1(new QListWidget)
    , cmdNewFolder(new QPushButton(QStringLiteral("New Folder")))
    , cmdUpOne(new QPushButton(QStringLiteral("Back Up")))
    , cmdOpen(new QPushButton(QStringLiteral("Copy Here")))
    , cmdQuit(new QPushButton(QStringLiteral("Cancel")))
{
    setObjectName(QStringLiteral("picGetFolder"));
    Drive1->setObjectName(QStringLiteral("Drive1"));
    Dir1->setObjectName(QStringLiteral("Dir1"));
    cmdNewFolder->setObjectName(QStringLiteral("cmdNewFolder"));
    cmdUpOne->setObjectName(QStringLiteral("cmdUpOne"));
    cmdOpen->setObjectName(QStringLiteral("cmdOpen"));
    cmdQuit->setObjectName(QStringLiteral("cmdQuit"));
    styleAsPanel(this);
    lblPath->setWordWrap(true);
    auto *layout = new QGridLayout(this);
    layout->addWidget(Label4, 0, 0, 1, 2);
    layout->addWidget(Drive1, 1, 0, 1, 2);
    layout->addWidget(lblPath, 2, 0, 1, 2);
    layout->addWidget(Dir1, 3, 0, 1, 2);
    layout->addWidget(cmdNewFolder, 4, 0);
    layout->addWidget(cmdUpOne, 4, 1);
    layout->addWidget(cmdOpen, 5, 0);
    layout->addWidget(cmdQuit, 5, 1);
    setMinimumSize(280, 360);
    fillDrives();
    connect(Drive1, &QComboBox::activated, this, [this](int i) { setPath(Drive1->itemData(i).toString()); });
    connect(Dir1, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { setPath(QDir(m_path).filePath(item->text())); });
    connect(cmdUpOne, &QPushButton::clicked, this, [this] {
        QDir up(m_path);
        if (up.cdUp())
            setPath(up.absolutePath());
    });
    connect(cmdNewFolder, &QPushButton::clicked, this, &PreviewFolderPanel::newFolder);
    connect(cmdOpen, &QPushButton::clicked, this, [this] { emit folderChosen(m_path); });
    connect(cmdQuit, &QPushButton::clicked, this, &PreviewFolderPanel::cancelled);
    setPath(QDir::homePath());
}

void PreviewFolderPanel::fillDrives()
{
    Drive1->addItem(QDir::homePath(), QDir::homePath());
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady() && !volume.isReadOnly() && Drive1->findData(volume.rootPath()) < 0)
            Drive1->addItem(volume.rootPath(), volume.rootPath());
    }
}

void PreviewFolderPanel::setPath(const QString &path)
{
    m_path = QDir(path).absolutePath();
    refresh();
}

void PreviewFolderPanel::refresh()
{
    lblPath->setText(QDir::toNativeSeparators(m_path));
    Dir1->clear();
    Dir1->addItems(QDir(m_path).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase));
}

void PreviewFolderPanel::newFolder()
{
    const std::optional<QString> typed = Prompts().inputText(
        QStringLiteral("Enter Folder Name"), QStringLiteral("New Folder"), QStringLiteral("New Folder"));
    const QString name = typed ? typed->trimmed() : QString();
    if (name.isEmpty())
        return;
    if (name.contains(QLatin1Char('/')) || name == QStringLiteral(".") || name == QStringLiteral("..")) {
        Prompts().message(QStringLiteral("A folder name can't hold \"/\"."), QStringLiteral("New Folder"));
        return;
    }
    QDir here(m_path);
    if (!here.exists(name) && !here.mkdir(name)) {
        Prompts().message(
            QStringLiteral("The folder \"%1\" could not be made in %2.").arg(name, QDir::toNativeSeparators(m_path)),
            QStringLiteral("New Folder"));
        return;
    }
    setPath(here.filePath(name));
}
