#include "print/clsMultiPgPreview.h"

#include "data/UserPrompts.h"
#include "print/PrintPresenter.h"
#include "print/PrintText.h"
#include "print/PrinterAccess.h"

#include <QCoreApplication>

clsMultiPgPreview::clsMultiPgPreview() : m_metrics(FontTextMetrics::shared())
{
    PrintFonts::registerSubstitutions();
}

clsMultiPgPreview::~clsMultiPgPreview()
{
    if (m_docOpen)
        abortDoc();
}

void clsMultiPgPreview::setTextMetrics(std::shared_ptr<const TextMetrics> metrics)
{
    m_metrics = metrics ? std::move(metrics) : FontTextMetrics::shared();
}

// --- document ---

void clsMultiPgPreview::pStartDoc()
{
    if (m_docOpen)
        abortDoc();
    m_pageIndex = 0;
    m_lastError.clear();
    // The preview's own printing uses these as well; a printer that refuses
    // one keeps its own.
    Printer().setOrientation(m_orientation);
    Printer().setColorMode(m_colorMode);
    Printer().setCopies(m_copies);
    const QPageLayout layout = Printer().pageLayout(m_orientation);
    const QRectF printable = layout.paintRect(QPageLayout::Inch);
    m_pageWidth = printable.width();
    m_pageHeight = printable.height();
    m_recording.begin(layout, m_reportTitle);
    m_docOpen = true;
    m_x = 0;
    m_y = 0;
    if (!m_sendToPrinter)
        return;
    QString error;
    m_job = Printer().openJob(&error);
    if (!m_job) {
        m_lastError = error;
        ReportError(error);
        return;
    }
    if (!m_job->begin(layout, m_reportTitle))
        reportJobError(QCoreApplication::translate("clsMultiPgPreview", "The print job could not be started"));
}

void clsMultiPgPreview::pNewPage()
{
    if (!m_docOpen)
        return;
    m_recording.newPage();
    if (m_job && !m_job->newPage())
        reportJobError(QCoreApplication::translate("clsMultiPgPreview", "The next page could not be printed"));
    ++m_pageIndex;
    // A new page starts at the top-left corner, as a fresh sheet does.
    m_x = 0;
    m_y = 0;
}

void clsMultiPgPreview::pEndDoc(int oModal, QObject *ownerForm)
{
    if (!m_docOpen)
        return;
    const bool preview = !m_sendToPrinter;
    finishDoc();
    if (preview)
        Presenter().showPreview(sharedDocument(), oModal == 1, ownerForm);
}

void clsMultiPgPreview::finishDoc()
{
    if (!m_docOpen)
        return;
    m_recording.document()->title = m_reportTitle;
    m_recording.end();
    m_docOpen = false;
    if (!m_sendToPrinter)
        return;
    if (m_job && !m_job->end())
        reportJobError(QCoreApplication::translate("clsMultiPgPreview", "The print job could not be finished"));
    m_job.reset();
    m_sendToPrinter = false;
}

void clsMultiPgPreview::abortDoc()
{
    dropJob();
    m_recording.abort();
    m_docOpen = false;
}

void clsMultiPgPreview::dropJob()
{
    if (m_job)
        m_job->abort();
    m_job.reset();
}

void clsMultiPgPreview::reportJobError(const QString &what)
{
    const QString reason = m_job ? m_job->errorString() : QString();
    m_lastError = reason.isEmpty() ? what + QLatin1Char('.') : what + QStringLiteral(": ") + reason;
    dropJob();
    ReportError(m_lastError);
}

bool clsMultiPgPreview::writePdf(const QString &path, QString *error) const
{
    return document().writePdf(path, error);
}

void clsMultiPgPreview::emitOperation(const PageOperation &operation)
{
    if (!m_docOpen)
        return;
    m_recording.draw(operation);
    if (m_job)
        m_job->draw(operation);
}

void clsMultiPgPreview::emitLine(QPointF from, QPointF to)
{
    emitOperation(PageOp::Line{from, to, m_drawWidth, m_foreColor});
}

// --- measures ---

double clsMultiPgPreview::lineHeight(const PrintFont &font) const
{
    return m_metrics->lineHeight(font);
}

double clsMultiPgPreview::textWidth(const QString &text) const
{
    return m_metrics->width(text, m_font);
}

double clsMultiPgPreview::GetTextWidth(const QString &textString) const
{
    double widest = 0;
    for (const QString &line : PrintText::normalizeLineEnds(textString).split(QLatin1Char('\r')))
        widest = std::max(widest, textWidth(line));
    return widest;
}

double clsMultiPgPreview::GetTextHeight(const QString &textString) const
{
    const qsizetype lines = PrintText::normalizeLineEnds(textString).count(QLatin1Char('\r')) + 1;
    return lines * lineHeight(m_font);
}

QString clsMultiPgPreview::GetRemoveCRLF(const QString &textString)
{
    return PrintText::removeCrLf(textString);
}

QString clsMultiPgPreview::GetStripQuotes(const QString &textString)
{
    return PrintText::stripQuotes(textString);
}

QString clsMultiPgPreview::GetFormalCase(const QString &textString)
{
    return PrintText::formalCase(textString);
}

// --- properties ---

void clsMultiPgPreview::setReportTitle(const QString &title)
{
    m_reportTitle = title;
    if (m_docOpen)
        m_recording.document()->title = title;
}

void clsMultiPgPreview::setFontName(const QString &name)
{
    m_font.name = PrintFonts::isKnown(name) ? name : QStringLiteral("Arial");
}

int clsMultiPgPreview::FontSize() const
{
    return qRound(m_font.size);
}

void clsMultiPgPreview::setFontSize(double points)
{
    m_font.size = std::max(1.0, points);
}

void clsMultiPgPreview::setBackColor(int rgb)
{
    if (rgb == -1) {
        m_fontTransparent = true;
        m_backColor = 0xFFFFFF;
    } else {
        m_fontTransparent = false;
        m_backColor = rgb;
    }
}

void clsMultiPgPreview::setFontTransparent(bool yes)
{
    if (yes)
        setBackColor(-1);
    else
        m_fontTransparent = false;
}

void clsMultiPgPreview::setDrawWidth(int width)
{
    m_drawWidth = std::max(1, width);
}
