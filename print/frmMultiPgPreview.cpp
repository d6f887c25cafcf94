#include "print/frmMultiPgPreview.h"

#include "data/UserPrompts.h"
#include "exchange/SheetFile.h"
#include "print/PreviewFolder.h"
#include "print/PreviewPageView.h"
#include "print/PreviewPanels.h"
#include "print/PrinterAccess.h"
#include "widgets/WaitPointer.h"
#include "widgets/WindowPlacement.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QToolButton>
#include <QVBoxLayout>
#include <numeric>

namespace {

const QString kTitle = QStringLiteral("Print Preview");

QString defaultPdfPath(QWidget *parent, const QString &suggestion)
{
    QString path = QFileDialog::getSaveFileName(parent, QStringLiteral("Save as PDF"), suggestion,
                                                QStringLiteral("PDF files (*.pdf)"));
    if (!path.isEmpty() && !path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    return path;
}

QString defaultSheetPath(QWidget *parent, const QString &suggestion)
{
    QString chosen;
    const QString path = QFileDialog::getSaveFileName(parent, QStringLiteral("Save as CSV"), suggestion,
                                                      SheetFile::SaveFilters(), &chosen);
    return SheetFile::WithExtension(path, chosen);
}

// The file name a document's title suggests: "Customer Invoice #A0009" saves
// as "Customer Invoice A0009", a date's slashes become dashes, and what no
// file name holds on the shop's systems is left out. An untitled document,
// or a title of nothing but such marks, is "PPview".
QString pdfBaseName(const QString &title)
{
    QString name;
    for (const QChar c : title) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':'))
            name += QLatin1Char('-');
        else if (c.category() == QChar::Other_Control || QStringLiteral("#*?\"<>|").contains(c))
            continue;
        else
            name += c;
    }
    name = name.simplified();
    while (name.startsWith(QLatin1Char('.')) || name.startsWith(QLatin1Char('-')))
        name = name.mid(1).trimmed();
    while (name.endsWith(QLatin1Char('.')))
        name.chop(1);
    return name.isEmpty() ? QStringLiteral("PPview") : name;
}

} // namespace

frmMultiPgPreview::frmMultiPgPreview(std::shared_ptr<const RecordedDocument> document, QWidget *parent)
    : QDialog(parent)
    , choosePdfPath(defaultPdfPath)
    , chooseSheetPath(defaultSheetPath)
    , m_store(std::move(document))
    , m_title(m_store.document().title)
    , m_orientation(m_store.document().layout.orientation() == QPageLayout::Landscape ? 2 : 1)
    , m_view(new PreviewPageView)
    , picGoto(new PreviewGotoPanel(this))
    , picPrintOptions(new PreviewPrintPanel(this))
    , picGetFolder(new PreviewFolderPanel(this))
{
    setObjectName(QStringLiteral("frmMultiPgPreview"));
    setWindowTitle(reportTitle().isEmpty() ? kTitle : kTitle + QStringLiteral(" - ") + reportTitle());
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view, 1);
    layout->addWidget(buildToolStrip());
    connectPanels();
    // Its own (not maximised) size too fits a small or scaled screen.
    resize(1000, 800);
    WindowPlacement::FitOnScreen(this);
}

frmMultiPgPreview::~frmMultiPgPreview() = default;

QWidget *frmMultiPgPreview::buildToolStrip()
{
    Picture2 = new QWidget;
    Picture2->setObjectName(QStringLiteral("Picture2"));
    cmdFullPage = new QPushButton(QStringLiteral("Fit Page"));
    cmdFullPage->setObjectName(QStringLiteral("cmdFullPage"));
    cmdFullPage->setCheckable(true);
    cmdGoTo = new QPushButton(QStringLiteral("&Goto"));
    cmdGoTo->setObjectName(QStringLiteral("cmdGoTo"));
    cmdGoTo->setToolTip(QStringLiteral("Goto Page"));
    cmdPrevPage = new QToolButton;
    cmdPrevPage->setObjectName(QStringLiteral("Command1_0"));
    cmdPrevPage->setArrowType(Qt::UpArrow);
    cmdPrevPage->setToolTip(QStringLiteral("Prev. Page"));
    cmdNextPage = new QToolButton;
    cmdNextPage->setObjectName(QStringLiteral("Command1_1"));
    cmdNextPage->setArrowType(Qt::DownArrow);
    cmdNextPage->setToolTip(QStringLiteral("Next Page"));
    Label1 = new QLabel;
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    cmd_print = new QPushButton(QStringLiteral("Print"));
    cmd_print->setObjectName(QStringLiteral("cmd_print"));
    cmd_print->setToolTip(QStringLiteral("Print Options"));
    cmdSavePdf = new QPushButton(QStringLiteral("Save as PDF"));
    cmdSavePdf->setObjectName(QStringLiteral("cmdSavePdf"));
    cmdSavePdf->setToolTip(QStringLiteral("Save the whole document as a PDF file"));
    cmdSaveSheets = new QPushButton(QStringLiteral("Save as CSV"));
    cmdSaveSheets->setObjectName(QStringLiteral("cmdSaveSheets"));
    cmdSaveSheets->setToolTip(QStringLiteral("Save the report's figures as a spreadsheet (CSV or Excel workbook)"));
    // Only a report has figures to save; an invoice or labels do not.
    if (m_store.document().sheets.isEmpty())
        cmdSaveSheets->hide();
    cmd_quit = new QPushButton(QStringLiteral("Exit"));
    cmd_quit->setObjectName(QStringLiteral("cmd_quit"));
    cmd_quit->setToolTip(QStringLiteral("Close"));

    auto *strip = new QVBoxLayout(Picture2);
    strip->addWidget(cmdFullPage);
    strip->addWidget(cmdGoTo);
    auto *turn = new QHBoxLayout;
    turn->addWidget(cmdPrevPage);
    turn->addWidget(cmdNextPage);
    strip->addLayout(turn);
    strip->addWidget(Label1);
    strip->addSpacing(12);
    strip->addWidget(cmd_print);
    strip->addWidget(cmdSavePdf);
    strip->addWidget(cmdSaveSheets);
    strip->addStretch(1);
    strip->addWidget(cmd_quit);

    connect(cmdFullPage, &QPushButton::toggled, this, &frmMultiPgPreview::setFitPage);
    connect(cmdGoTo, &QPushButton::clicked, this, &frmMultiPgPreview::openGoto);
    connect(cmdPrevPage, &QToolButton::clicked, this, &frmMultiPgPreview::previousPage);
    connect(cmdNextPage, &QToolButton::clicked, this, &frmMultiPgPreview::nextPage);
    connect(cmd_print, &QPushButton::clicked, this, &frmMultiPgPreview::openPrintOptions);
    connect(cmdSavePdf, &QPushButton::clicked, this, &frmMultiPgPreview::askForPdfPath);
    connect(cmdSaveSheets, &QPushButton::clicked, this, &frmMultiPgPreview::askForSheetPath);
    connect(cmd_quit, &QPushButton::clicked, this, &frmMultiPgPreview::close);
    return Picture2;
}

void frmMultiPgPreview::connectPanels()
{
    connect(m_view, &PreviewPageView::nextPageRequested, this, &frmMultiPgPreview::nextPage);
    connect(m_view, &PreviewPageView::previousPageRequested, this, &frmMultiPgPreview::previousPage);
    connect(m_view, &PreviewPageView::firstPageRequested, this, [this] { showPage(0); });
    connect(m_view, &PreviewPageView::lastPageRequested, this, [this] { showPage(LastPageIndex()); });
    connect(m_view, &PreviewPageView::goToRequested, this, &frmMultiPgPreview::openGoto);
    connect(m_view, &PreviewPageView::clicked, this, &frmMultiPgPreview::hidePanels);
    connect(picGoto, &PreviewGotoPanel::pageChosen, this, [this](int page) {
        hidePanels();
        m_view->setFocus();
        showPage(page - 1);
    });
    connect(picPrintOptions, &PreviewPrintPanel::actionRequested, this, &frmMultiPgPreview::runPrintOption);
    connect(picGetFolder, &PreviewFolderPanel::folderChosen, this, &frmMultiPgPreview::finishCopy);
    connect(picGetFolder, &PreviewFolderPanel::cancelled, this, [this] {
        picGetFolder->hide();
        picPrintOptions->setBusy(false);
        picPrintOptions->hide();
    });
}

QString frmMultiPgPreview::reportTitle() const
{
    return m_title;
}

// --- pages ---

void frmMultiPgPreview::showPage(int index)
{
    if (m_store.pageCount() == 0)
        return;
    m_current = std::clamp(index, 0, LastPageIndex());
    m_view->setPage(m_store.page(m_current), m_store.dotsPerInch());
    picPrintOptions->hide();
    picGoto->hide();
    picGetFolder->hide();
    refreshPageStatus();
}

void frmMultiPgPreview::nextPage()
{
    showPage(std::min(m_current + 1, LastPageIndex()));
}

void frmMultiPgPreview::previousPage()
{
    showPage(std::max(m_current - 1, 0));
}

void frmMultiPgPreview::refreshPageStatus()
{
    Label1->setText(QStringLiteral("%1\n-- of --\n%2").arg(m_current + 1).arg(LastPageIndex() + 1));
}

void frmMultiPgPreview::setFitPage(bool fit)
{
    if (cmdFullPage->isChecked() != fit)
        cmdFullPage->setChecked(fit); // comes back here through toggled
    m_view->setFitPage(fit);
    picGoto->hide();
    m_view->setFocus();
}

// --- panels ---

void frmMultiPgPreview::hidePanels()
{
    if (!picPrintOptions->isEnabled())
        return; // an action is running
    picPrintOptions->hide();
    picGetFolder->hide();
    picGoto->hide();
}

void frmMultiPgPreview::placeBeside(QWidget *panel, QWidget *button)
{
    panel->adjustSize();
    const QPoint at = button->mapTo(this, QPoint(0, 0));
    const int left = width() - (Picture2->width() + panel->width() + 8);
    const int top = std::clamp(at.y(), 0, std::max(0, height() - panel->height()));
    panel->move(std::max(0, left), top);
}

void frmMultiPgPreview::openGoto()
{
    picPrintOptions->hide();
    picGetFolder->hide();
    picGoto->open(m_current + 1, LastPageIndex() + 1);
    placeBeside(picGoto, cmdGoTo);
}

void frmMultiPgPreview::openPrintOptions()
{
    picGoto->hide();
    picGetFolder->hide();
    picPrintOptions->open(LastPageIndex() + 1);
    placeBeside(picPrintOptions, cmd_print);
}

void frmMultiPgPreview::runPrintOption(int option)
{
    if (option == PreviewPrintPanel::CopyToFolder) {
        picPrintOptions->hide();
        placeBeside(picGetFolder, cmd_print);
        picGetFolder->show();
        picGetFolder->raise();
        return;
    }
    picPrintOptions->setBusy(true);
    if (option == PreviewPrintPanel::CopyToClipboard)
        copyPageToClipboard();
    else if (option == PreviewPrintPanel::PrintCurrentPage)
        printPageRange(m_current, m_current, false);
    else
        printPageRange(picPrintOptions->fromPage() - 1, picPrintOptions->toPage() - 1, true);
    picPrintOptions->setBusy(false);
    picPrintOptions->hide();
    m_view->setFocus();
}

void frmMultiPgPreview::copyPageToClipboard()
{
    QApplication::clipboard()->setImage(m_store.page(m_current));
}

// The pages go to the printer as one job, drawn from the recording (so
// paper gets the full resolution, not the preview image).
void frmMultiPgPreview::printPageRange(int first, int last, bool asRange)
{
    QString error;
    std::unique_ptr<PageSurface> job = Printer().openJob(&error);
    if (!job) {
        Prompts().message(error, kTitle);
        return;
    }
    QList<int> pages;
    for (int i = std::max(0, first); i <= std::min(last, LastPageIndex()); ++i)
        pages.append(i);
    const WaitPointer busy;
    const bool ok = ReplayPages(m_store.document(), pages, *job, &error, [&](int index) {
        picPrintOptions->setProgress(asRange ? QStringLiteral("Printing page %1 of %2").arg(index + 1).arg(last + 1)
                                             : QStringLiteral("Printing page %1").arg(index + 1));
    });
    Printer().setOrientation(m_orientation);
    if (!ok)
        Prompts().message(QStringLiteral("The pages could not be printed: %1").arg(error), kTitle);
}

bool frmMultiPgPreview::copyPagesTo(const QString &folder)
{
    QString error;
    const WaitPointer busy;
    const bool ok = m_store.copyAllTo(folder, reportTitle(), &error, [this](int index) {
        picPrintOptions->setProgress(QStringLiteral("Copying page %1").arg(index + 1));
    });
    if (!ok)
        Prompts().message(error, kTitle);
    return ok;
}

void frmMultiPgPreview::finishCopy(const QString &folder)
{
    picGetFolder->hide();
    placeBeside(picPrintOptions, cmd_print);
    picPrintOptions->show();
    picPrintOptions->setBusy(true);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    copyPagesTo(folder);
    picPrintOptions->setBusy(false);
    picPrintOptions->hide();
}

// --- PDF ---

// The documents folder and the name the title suggests.
QString frmMultiPgPreview::suggestedPath(const QString &extension) const
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(folder.isEmpty() ? QDir::homePath() : folder).filePath(pdfBaseName(reportTitle()) + extension);
}

void frmMultiPgPreview::askForPdfPath()
{
    hidePanels();
    const QString path = choosePdfPath(this, suggestedPath(QStringLiteral(".pdf")));
    if (!path.isEmpty())
        saveAsPdf(path);
}

void frmMultiPgPreview::askForSheetPath()
{
    hidePanels();
    const QString path = chooseSheetPath(this, suggestedPath(QStringLiteral(".csv")));
    if (!path.isEmpty())
        saveAsSheets(path);
}

// The sheets were made when the document was drawn, so the file holds the
// figures shown even when the shop's data has changed since.
bool frmMultiPgPreview::saveAsSheets(const QString &path)
{
    QString error;
    const WaitPointer busy;
    if (SheetFile::Write(path, m_store.document().sheets, &error))
        return true;
    Prompts().message(QStringLiteral("The spreadsheet could not be saved: %1").arg(error), kTitle);
    return false;
}

bool frmMultiPgPreview::saveAsPdf(const QString &path)
{
    QString error;
    const WaitPointer busy;
    if (m_store.document().writePdf(path, &error))
        return true;
    Prompts().message(QStringLiteral("The PDF could not be saved: %1").arg(error), kTitle);
    return false;
}

// --- window ---

void frmMultiPgPreview::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_view->shownPixmap().isNull())
        showPage(m_current);
    refreshPageStatus();
    m_view->setFocus();
}

void frmMultiPgPreview::done(int result)
{
    if (!picPrintOptions->isEnabled())
        return; // a print or copy is still running
    PreviewFolder::removeLeftovers();
    QDialog::done(result);
}

void frmMultiPgPreview::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_G && !(event->modifiers() & Qt::ControlModifier)) {
        openGoto();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmMultiPgPreview::mousePressEvent(QMouseEvent *event)
{
    hidePanels();
    QDialog::mousePressEvent(event);
}

void frmMultiPgPreview::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    if (picGoto->isVisible())
        placeBeside(picGoto, cmdGoTo);
    if (picPrintOptions->isVisible())
        placeBeside(picPrintOptions, cmd_print);
    if (picGetFolder->isVisible())
        placeBeside(picGetFolder, cmd_print);
}
