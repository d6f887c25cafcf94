#pragma once

#include "print/PrintFont.h"

#include <QString>
#include <memory>

// How the recorder measures text, in inches. One measure serves every
// surface, so the preview, the PDF and the paper break lines at the same
// places whatever their resolution.
class TextMetrics
{
public:
    virtual ~TextMetrics() = default;

    // Width of one line of text (control characters take no room).
    virtual double width(const QString &text, const PrintFont &font) const = 0;
    // Height of one line: the distance from one printed line to the next.
    virtual double lineHeight(const PrintFont &font) const = 0;
    // Distance from the top of a line to its baseline.
    virtual double ascent(const PrintFont &font) const = 0;
};

// The installed fonts, measured from their outlines at a fixed reference
// size and scaled: no device, no hinting, no screen resolution involved.
class FontTextMetrics final : public TextMetrics
{
public:
    double width(const QString &text, const PrintFont &font) const override;
    double lineHeight(const PrintFont &font) const override;
    double ascent(const PrintFont &font) const override;

    // The one instance the program shares.
    static std::shared_ptr<const TextMetrics> shared();
};

// Fixed metrics for layout tests: every character is charWidth wide and a
// line is lineHeight high at 10 points, both in proportion to the size.
// Bold, italic and the face make no difference.
class FixedTextMetrics final : public TextMetrics
{
public:
    explicit FixedTextMetrics(double charWidthAt10pt = 0.1, double lineHeightAt10pt = 0.2);

    double width(const QString &text, const PrintFont &font) const override;
    double lineHeight(const PrintFont &font) const override;
    double ascent(const PrintFont &font) const override;

private:
    double m_charWidth;
    double m_lineHeight;
};
