// The text members of the page recorder: printing at the cursor, word wrap,
// centring and tabs, page furniture and spacing.
#include "print/clsMultiPgPreview.h"

#include "print/OptionalArgument.h"

#include "data/Clock.h"
#include "print/PrintText.h"

#include <QLocale>

namespace {

// Measured widths are sums of fractions; a text that ends exactly at a
// margin must not count as past it.
constexpr double kEpsilon = 1e-9;

bool isBlankOrControl(QChar c)
{
    return c.unicode() < '!';
}

QString nowText(const QString &format)
{
    return QLocale().toString(Clock::now(), format);
}

} // namespace

PageOp::Text clsMultiPgPreview::textOperation(const QString &text, const PrintFont &font, double width) const
{
    PageOp::Text op;
    op.position = QPointF(m_x, m_y);
    op.text = text;
    op.font = font;
    op.color = m_foreColor;
    op.opaque = !m_fontTransparent;
    op.backColor = m_backColor;
    op.width = width < 0 ? m_metrics->width(text, font) : width;
    op.height = m_metrics->lineHeight(font);
    op.ascent = m_metrics->ascent(font);
    return op;
}

void clsMultiPgPreview::surfacePrint(const QString &text, bool sameLine, double measured)
{
    QString line = text;
    if (std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x20; })) {
        line.clear();
        for (QChar c : text) {
            if (c.unicode() >= 0x20)
                line.append(c);
        }
    }
    const double width = measured >= 0 ? measured : textWidth(line);
    if (!line.isEmpty())
        emitOperation(textOperation(line, m_font, width));
    if (sameLine) {
        m_x += width;
    } else {
        m_x = 0;
        m_y += lineHeight(m_font);
    }
}

void clsMultiPgPreview::pPrint(const QString &printVar, double leftMargin, bool sameLine)
{
    double width = 0;
    if (!printVar.isEmpty()) {
        if (NotGiven(leftMargin))
            leftMargin = m_x;
        width = textWidth(printVar);
        if (PrintText::hasLineBreak(printVar) || leftMargin + width > m_pageWidth + kEpsilon) {
            pMultiline(printVar, leftMargin, m_pageWidth - 0.1, QString(), sameLine, true);
            return;
        }
    }
    if (leftMargin >= 0)
        m_x = leftMargin;
    surfacePrint(printVar, sameLine, width);
}

void clsMultiPgPreview::pMultiline(const QString &printVar, double leftMargin, double rightMargin,
                                   const QString &indentChar, bool sameLine, bool usePageBreaks)
{
    if (NotGiven(leftMargin))
        leftMargin = m_x;
    if (m_pageWidth - 0.1 < leftMargin)
        leftMargin = m_pageWidth - 0.5;
    if (rightMargin < leftMargin)
        rightMargin = m_pageWidth - 0.1;
    const double available = rightMargin - leftMargin;
    if (printVar.isEmpty()) {
        surfacePrint(QString(), sameLine);
        return;
    }
    const bool hasBreaks = PrintText::hasLineBreak(printVar);
    const QString text = hasBreaks ? PrintText::normalizeLineEnds(printVar) : printVar;
    auto lineOf = [hasBreaks](const QString &prefix, const QString &segment) {
        return hasBreaks ? prefix + PrintText::trimBlanks(PrintText::removeCrLf(segment)) : prefix + segment;
    };
    const int length = int(text.size());
    QString prefix;
    int start = 0; // 0-based start of the current segment
    int offset = 0;
    int cut = length;
    for (int i = 0; i < length; ++i) {
        const int pos = i + 1 - offset; // 1-based position inside the segment
        const QChar c = text.at(i);
        if (isBlankOrControl(c))
            cut = pos;
        const double width = textWidth(text.mid(start, pos)) + textWidth(prefix);
        if (width < available - kEpsilon && c != QLatin1Char('\r'))
            continue;
        if (cut > pos) // no blank since the last line: cut inside the word
            cut = std::max(1, pos - int(prefix.size()) - 1);
        m_x = leftMargin;
        surfacePrint(lineOf(prefix, text.mid(start, cut)), false);
        offset += cut;
        start = offset;
        cut = length;
        prefix = indentChar;
        if (usePageBreaks && pEndOfPage(0, true)) {
            pFooter(QString());
            pNewPage();
            pHeader();
        }
    }
    m_x = leftMargin;
    surfacePrint(lineOf(prefix, text.mid(start)), sameLine);
}

void clsMultiPgPreview::pCenterMultiline(const QString &printVar, double leftMargin, double rightMargin,
                                         bool removeCrLf, bool sameLine)
{
    if (NotGiven(rightMargin))
        rightMargin = m_pageWidth;
    const double available = rightMargin - leftMargin;
    if (printVar.isEmpty()) {
        surfacePrint(QString(), false);
        return;
    }
    const bool hasBreaks = PrintText::hasLineBreak(printVar);
    const QString text = hasBreaks ? PrintText::normalizeLineEnds(printVar) : printVar;
    auto printCentred = [&](const QString &segment, bool keepLine) {
        QString line = PrintText::trimBlanks(segment);
        if (hasBreaks)
            line = PrintText::trimBlanks(PrintText::removeCrLf(line));
        m_x = (available - textWidth(line)) / 2 + leftMargin;
        surfacePrint(line, keepLine);
    };
    const int length = int(text.size());
    int start = 0;
    int offset = 0;
    int cut = length;
    for (int i = 0; i < length; ++i) {
        const int pos = i + 1 - offset;
        const QChar c = text.at(i);
        if (isBlankOrControl(c))
            cut = pos;
        const bool lineEnd = c == QLatin1Char('\r') && !removeCrLf;
        if (textWidth(text.mid(start, pos)) < available - kEpsilon && !lineEnd)
            continue;
        if (cut > pos)
            cut = std::max(1, pos - 1);
        printCentred(text.mid(start, cut), false);
        offset += cut;
        start = offset;
        cut = length;
    }
    printCentred(text.mid(start), sameLine);
}

double clsMultiPgPreview::pCenter(const QString &printVar, bool sameLine, double colWidth, double leftMargin)
{
    if (NotGiven(colWidth))
        colWidth = m_pageWidth - leftMargin;
    const double width = textWidth(printVar);
    if (width <= m_pageWidth + kEpsilon) {
        m_x = (colWidth - width) / 2 + leftMargin;
        pPrint(printVar, -1, sameLine);
    } else {
        pCenterMultiline(printVar, leftMargin, colWidth + leftMargin, true, sameLine);
    }
    return colWidth;
}

void clsMultiPgPreview::pRightJust(const QString &printVar, double rightMargin, bool sameLine)
{
    const double width = textWidth(printVar);
    if (NotGiven(rightMargin))
        rightMargin = m_x + width;
    m_x = rightMargin - width;
    surfacePrint(printVar, sameLine, width);
}

void clsMultiPgPreview::pRightTab(const QString &printVar, double xFromRight, bool sameLine)
{
    const double width = textWidth(printVar);
    m_x = m_pageWidth - (width + xFromRight);
    surfacePrint(printVar, sameLine, width);
}

void clsMultiPgPreview::pPrintedDate(bool printCentered, double leftMargin, bool sameLine)
{
    const PrintFont saved = m_font;
    m_font.size = 9;
    m_font.bold = m_font.italic = m_font.underline = m_font.strikethru = false;
    const QString text = QStringLiteral("Printed: ") + nowText(QStringLiteral("ddd. MMM. d, yyyy @ h:mm AP"));
    if (printCentered)
        pCenter(text, sameLine, -1, 0);
    else
        pPrint(text, leftMargin, sameLine);
    m_font = saved;
}

void clsMultiPgPreview::pFontName(const QString &fontName)
{
    m_font.name = fontName;
}

bool clsMultiPgPreview::pEndOfPage(double less, bool saveRoomForFooter)
{
    const double line = lineHeight(m_font);
    double footerRoom = line;
    if (saveRoomForFooter) {
        PrintFont footer = m_font;
        footer.size = 10;
        footerRoom = 2 * lineHeight(footer);
    }
    return m_y + line + footerRoom + less >= m_pageHeight - kEpsilon;
}

void clsMultiPgPreview::pHeader(const QString &mainTitle, std::optional<QString> subTitle,
                                std::optional<bool> italicMain)
{
    if (mainTitle.isEmpty() && m_reportTitle.isEmpty())
        return;
    const PrintFont saved = m_font;
    m_y = 0;
    m_x = 0;
    if (!mainTitle.isEmpty())
        setReportTitle(mainTitle);
    if (subTitle)
        m_reportSubTitle = *subTitle;
    if (italicMain)
        m_italicTitle = *italicMain;
    pFontName(QStringLiteral("Times New Roman"));
    m_font.size = 16;
    m_font.bold = true;
    m_font.italic = m_italicTitle;
    pCenter(m_reportTitle, false, -1, 0);
    m_font.size = 11;
    m_font.bold = false;
    m_font.italic = false;
    if (!m_reportSubTitle.isEmpty())
        pCenter(m_reportSubTitle, false, -1, 0);
    pDoubleLine(0, -1, 1, true);
    pHalfSpace();
    m_font = saved;
}

QString clsMultiPgPreview::pFooter(const QString &footerText)
{
    const double margin = 0.5;
    const PrintFont saved = m_font;
    pFontName(QStringLiteral("Times New Roman"));
    m_font.size = 10;
    m_font.bold = m_font.italic = m_font.underline = m_font.strikethru = false;
    m_y = m_pageHeight - 2 * GetTextHeight(QStringLiteral("Sample Text"));
    pLine(0, -1, 6, true);
    QString text = footerText;
    if (text.isEmpty())
        text = QStringLiteral("Printed: ") + nowText(QStringLiteral("ddd. MMMM d, yyyy @ h:mm AP"));
    pPrint(text, margin, true);
    pRightJust(QStringLiteral("Pg. ") + QString::number(GetPage()), m_pageWidth - margin, false);
    m_font = saved;
    return text;
}

void clsMultiPgPreview::pHalfSpace()
{
    const double size = m_font.size;
    setFontSize(std::max(1, FontSize() / 2));
    surfacePrint(QString(), false);
    m_font.size = size;
}

void clsMultiPgPreview::pQuarterSpace()
{
    const double size = m_font.size;
    setFontSize(std::max(1, FontSize() / 4));
    surfacePrint(QString(), false);
    m_font.size = size;
}

void clsMultiPgPreview::p15Space()
{
    const double size = m_font.size;
    surfacePrint(QString(), false);
    setFontSize(FontSize() / 2);
    surfacePrint(QString(), false);
    m_font.size = size;
}

void clsMultiPgPreview::pPrintRotate(const QString &printVar, int degree, double leftMargin)
{
    if (printVar.isEmpty())
        return;
    degree = std::clamp(degree, 0, 359);
    if (!NotGiven(leftMargin))
        m_x = leftMargin;
    PrintFont plain;
    plain.name = m_font.name;
    plain.size = m_font.size;
    PageOp::Text op = textOperation(printVar, plain);
    op.degrees = degree;
    op.opaque = false;
    emitOperation(op);
}
