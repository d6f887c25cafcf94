#include "print/TextMetrics.h"

#include <QFontMetricsF>
#include <QHash>

namespace {

// Glyph outlines are measured at this pixel size; without hinting the
// advances scale linearly, so the reference only sets the precision.
constexpr int kReferencePixels = 1000;

QString printable(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c.unicode() >= 0x20)
            out.append(c);
    }
    return out;
}

// Scale from reference pixels to inches for a size in points.
double toInches(double referencePixels, double points)
{
    return referencePixels / kReferencePixels * points / 72.0;
}

const QFontMetricsF &referenceMetrics(const PrintFont &font)
{
    static QHash<QString, QFontMetricsF *> cache;
    const QString key = font.name.toLower() + QLatin1Char('|') + QLatin1Char(font.bold ? 'b' : '-')
                        + QLatin1Char(font.italic ? 'i' : '-');
    auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return **it;
    QFont f = PrintFonts::toQFont(font);
    f.setUnderline(false);
    f.setStrikeOut(false);
    f.setPixelSize(kReferencePixels);
    return **cache.insert(key, new QFontMetricsF(f));
}

} // namespace

double FontTextMetrics::width(const QString &text, const PrintFont &font) const
{
    const QString line = printable(text);
    if (line.isEmpty())
        return 0;
    return toInches(referenceMetrics(font).horizontalAdvance(line), font.size);
}

double FontTextMetrics::lineHeight(const PrintFont &font) const
{
    return toInches(referenceMetrics(font).lineSpacing(), font.size);
}

double FontTextMetrics::ascent(const PrintFont &font) const
{
    return toInches(referenceMetrics(font).ascent(), font.size);
}

std::shared_ptr<const TextMetrics> FontTextMetrics::shared()
{
    static const std::shared_ptr<const TextMetrics> metrics = std::make_shared<FontTextMetrics>();
    return metrics;
}

FixedTextMetrics::FixedTextMetrics(double charWidthAt10pt, double lineHeightAt10pt)
    : m_charWidth(charWidthAt10pt)
    , m_lineHeight(lineHeightAt10pt)
{
}

double FixedTextMetrics::width(const QString &text, const PrintFont &font) const
{
    return printable(text).size() * m_charWidth * font.size / 10.0;
}

double FixedTextMetrics::lineHeight(const PrintFont &font) const
{
    return m_lineHeight * font.size / 10.0;
}

double FixedTextMetrics::ascent(const PrintFont &font) const
{
    return lineHeight(font) * 0.8;
}
