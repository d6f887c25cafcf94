#include "print/TextMetrics.h"

#include <QFontMetricsF>
#include <QHash>
#include <algorithm>
#include <iterator>

namespace {

// Glyph outlines are measured at this pixel size; without hinting the
// advances scale linearly, so the reference only sets the precision.
constexpr int kReferencePixels = 1000;

// Scale from reference pixels to inches for a size in points.
double toInches(double referencePixels, double points)
{
    return referencePixels / kReferencePixels * points / 72.0;
}

// One face (name, bold, italic) at the reference size, with the advance of
// every character met so far. Text is drawn without kerning, so a line is
// exactly as wide as the sum of its characters, on every device.
struct Face
{
    explicit Face(const QFont &font) : metrics(font), lineSpacing(metrics.lineSpacing()), ascent(metrics.ascent())
    {
        std::fill(std::begin(ascii), std::end(ascii), -1.0);
    }

    double advance(char32_t codePoint)
    {
        if (codePoint < 128 && ascii[codePoint] >= 0)
            return ascii[codePoint];
        auto it = advances.constFind(codePoint);
        if (it != advances.constEnd())
            return *it;
        const double width = metrics.horizontalAdvance(QString::fromUcs4(&codePoint, 1));
        if (codePoint < 128)
            ascii[codePoint] = width;
        else
            advances.insert(codePoint, width);
        return width;
    }

    QFontMetricsF metrics;
    double lineSpacing;
    double ascent;
    QHash<char32_t, double> advances;
    double ascii[128] = {};
};

Face &face(const PrintFont &font)
{
    // Reports print line after line in one font: remember the last face.
    static PrintFont lastFont;
    static Face *lastFace = nullptr;
    if (lastFace && font.bold == lastFont.bold && font.italic == lastFont.italic && font.name == lastFont.name)
        return *lastFace;
    // Kept for the whole run and never destroyed: font metrics must not be
    // torn down after the application's font database is gone.
    static auto *const faces = new QHash<QString, Face *>;
    const QString key = font.name.toLower() + QLatin1Char('|') + QLatin1Char(font.bold ? 'b' : '-')
        + QLatin1Char(font.italic ? 'i' : '-');
    auto it = faces->constFind(key);
    if (it == faces->constEnd()) {
        QFont f = PrintFonts::toQFont(font);
        f.setUnderline(false);
        f.setStrikeOut(false);
        f.setPixelSize(kReferencePixels);
        it = faces->insert(key, new Face(f));
    }
    lastFont = font;
    lastFace = *it;
    return *lastFace;
}

} // namespace

double FontTextMetrics::width(const QString &text, const PrintFont &font) const
{
    if (text.isEmpty())
        return 0;
    Face &f = face(font);
    double total = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.unicode() < 0x20)
            continue;
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            total += f.advance(QChar::surrogateToUcs4(c, text.at(i + 1)));
            ++i;
        } else {
            total += f.advance(c.unicode());
        }
    }
    return toInches(total, font.size);
}

double FontTextMetrics::lineHeight(const PrintFont &font) const
{
    return toInches(face(font).lineSpacing, font.size);
}

double FontTextMetrics::ascent(const PrintFont &font) const
{
    return toInches(face(font).ascent, font.size);
}

std::shared_ptr<const TextMetrics> FontTextMetrics::shared()
{
    static const std::shared_ptr<const TextMetrics> metrics = std::make_shared<FontTextMetrics>();
    return metrics;
}

FixedTextMetrics::FixedTextMetrics(double charWidthAt10pt, double lineHeightAt10pt)
    : m_charWidth(charWidthAt10pt)
    , m_lineHeight(lineHeightAt10pt)
{ }

double FixedTextMetrics::width(const QString &text, const PrintFont &font) const
{
    qsizetype characters = 0;
    for (QChar c : text)
        characters += c.unicode() >= 0x20 ? 1 : 0;
    return characters * m_charWidth * font.size / 10.0;
}

double FixedTextMetrics::lineHeight(const PrintFont &font) const
{
    return m_lineHeight * font.size / 10.0;
}

double FixedTextMetrics::ascent(const PrintFont &font) const
{
    return lineHeight(font) * 0.8;
}
