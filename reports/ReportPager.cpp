#include "reports/ReportPager.h"

#include "print/clsMultiPgPreview.h"

#include <QRegularExpression>
#include <cmath>

void SetRecorderFont(clsMultiPgPreview &rec, const PrintFont &font)
{
    rec.setFontName(font.name);
    rec.setFontSize(font.size);
    rec.setFontBold(font.bold);
    rec.setFontItalic(font.italic);
    rec.setFontUnderline(font.underline);
    rec.setFontStrikethru(font.strikethru);
}

ReportPager::ReportPager(clsMultiPgPreview &rec, std::function<void(int)> heading, double bottomMargin)
    : m_rec(rec)
    , m_heading(std::move(heading))
    , m_bottomMargin(bottomMargin)
{ }

double ReportPager::bottom() const
{
    return m_rec.GetPaperHeight() - m_bottomMargin;
}

bool ReportPager::fits(double height) const
{
    return m_rec.CurrentY() + height <= bottom() + 1e-9;
}

bool ReportPager::ensureRoom(double height)
{
    if (fits(height))
        return false;
    newPage();
    return true;
}

double ReportPager::lines(double n) const
{
    return n * m_rec.GetTextHeight(QStringLiteral("Sample Text"));
}

double ReportPager::wrappedHeight(const QString &text, double x, double rightMargin) const
{
    const double available = std::max(0.5, rightMargin - x);
    double count = 0;
    for (const QString &segment : QString(text)
                                      .replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                                      .split(QRegularExpression(QStringLiteral("[\r\n]")))) {
        const double width = m_rec.GetTextWidth(segment);
        // Word wrap can leave a line shorter than the room: one to spare.
        count += width <= available ? 1 : std::ceil(width / available) + 1;
    }
    return lines(std::max(1.0, count));
}

void ReportPager::printWrapped(const QString &text, double x, double rightMargin)
{
    ensureRoom(wrappedHeight(text, x, rightMargin));
    const bool long_ = text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'))
        || x + m_rec.GetTextWidth(text) > rightMargin;
    if (long_)
        m_rec.pMultiline(text, x, rightMargin, QString(), false, false);
    else
        m_rec.pPrint(text, x, false);
}

void ReportPager::newPage()
{
    const PrintFont font = m_rec.font();
    m_rec.pNewPage();
    ++m_page;
    if (m_heading)
        m_heading(m_page);
    SetRecorderFont(m_rec, font);
}

void PrintContinuationTitle(clsMultiPgPreview &rec, const QString &title, int page, double left, double fromRight)
{
    rec.setFontName(QStringLiteral("Arial"));
    rec.setFontSize(10);
    rec.setFontBold(true);
    rec.setFontItalic(false);
    rec.setCurrentY(0.3);
    rec.pPrint(title, left, true);
    rec.pRightTab(QStringLiteral("Page %1").arg(page), fromRight, false);
}
