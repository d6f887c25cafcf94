// The drawing members of the page recorder: rules, boxes, circles,
// pictures and fillers.
#include "print/clsMultiPgPreview.h"

#include "print/OptionalArgument.h"

#include "print/PrintColor.h"

namespace {

// Rules are set off from the text around them by this gap (inches).
constexpr double kRuleGap = 0.03;

} // namespace

void clsMultiPgPreview::pLine(double leftMargin, double rightMargin, int lineWidth, bool includeSpace)
{
    const double x = m_x;
    const int width = m_drawWidth;
    if (NotGiven(leftMargin))
        leftMargin = m_x;
    if (includeSpace)
        m_y += kRuleGap;
    if (lineWidth > 0)
        setDrawWidth(lineWidth);
    if (rightMargin <= leftMargin)
        rightMargin = m_pageWidth;
    emitLine(QPointF(leftMargin, m_y), QPointF(rightMargin, m_y));
    m_x = x;
    m_drawWidth = width;
    if (includeSpace)
        m_y += kRuleGap;
}

void clsMultiPgPreview::pDoubleLine(double leftPos, double rightPos, int lineWidth, bool includeSpace)
{
    const double x = m_x;
    const int width = m_drawWidth;
    if (lineWidth > 0)
        setDrawWidth(lineWidth);
    if (rightPos <= leftPos)
        rightPos = m_pageWidth;
    m_y += kRuleGap;
    emitLine(QPointF(leftPos, m_y), QPointF(rightPos, m_y));
    m_y += kRuleGap;
    emitLine(QPointF(leftPos, m_y), QPointF(rightPos, m_y));
    m_y += kRuleGap;
    m_x = x;
    m_drawWidth = width;
    if (includeSpace)
        m_y += kRuleGap;
}

void clsMultiPgPreview::pVerticalLine(double leftPos, double topPos, double bottomPos, int lineWidth)
{
    const int width = m_drawWidth;
    const double x = m_x;
    const double y = m_y;
    if (lineWidth > 0)
        setDrawWidth(lineWidth);
    if (NotGiven(bottomPos)) {
        PrintFont footer = m_font;
        footer.size = 10;
        bottomPos = m_pageHeight - 2 * lineHeight(footer);
    }
    if (NotGiven(leftPos))
        leftPos = m_x;
    else if (leftPos > m_pageWidth)
        leftPos = m_pageWidth - 0.01;
    if (NotGiven(topPos))
        topPos = m_y;
    emitLine(QPointF(leftPos, topPos), QPointF(leftPos, bottomPos));
    m_drawWidth = width;
    m_x = x;
    m_y = y;
}

void clsMultiPgPreview::pBox(double bLeft, double bTop, double bWidth, double bHeight, int colorLine, int colorFill,
                             int filledBox)
{
    if (colorLine == -1)
        colorLine = m_foreColor;
    if (colorFill == -1)
        colorFill = colorLine;
    if (NotGiven(bLeft))
        bLeft = m_x;
    if (NotGiven(bTop))
        bTop = m_y;
    if (NotGiven(bWidth))
        bWidth = m_pageWidth;
    if (NotGiven(bHeight))
        bHeight = GetTextHeight(QStringLiteral("Sample Text"));
    emitOperation(PageOp::Box{QRectF(bLeft, bTop, bWidth, bHeight), m_drawWidth, colorLine, colorFill, filledBox});
}

void clsMultiPgPreview::pFillBox(double bLeft, double bTop, double bWidth, double bHeight, int color)
{
    // A draw width of 0 is the box without a pen.
    emitOperation(PageOp::Box{QRectF(bLeft, bTop, bWidth, bHeight), 0, color, color, 0});
}

void clsMultiPgPreview::pCircle(double bLeft, double bTop, double bRadius, int colorLine, int colorFill,
                                int filledCircle, double aspectRatio)
{
    if (colorLine == -1)
        colorLine = m_foreColor;
    if (colorFill == -1)
        colorFill = colorLine;
    // The radius is the longer axis: across for flat ellipses, up and down
    // for tall ones.
    double rx = bRadius;
    double ry = bRadius;
    if (aspectRatio > 0 && aspectRatio < 1)
        ry = bRadius * aspectRatio;
    else if (aspectRatio > 1)
        rx = bRadius / aspectRatio;
    emitOperation(PageOp::Ellipse{QPointF(bLeft, bTop), rx, ry, m_drawWidth, colorLine, colorFill, filledCircle});
    m_x = bLeft;
    m_y = bTop;
}

std::optional<QRectF> clsMultiPgPreview::picturePlacement(const QImage &picture, double left, double top, double width,
                                                          double height, bool scaleToFit, bool maintainRatio) const
{
    if (picture.isNull() || picture.width() <= 0 || picture.height() <= 0)
        return std::nullopt;
    if (width == 0)
        width = height;
    if (height == 0)
        height = width;
    if (width == 0 && height == 0)
        scaleToFit = true;
    const double ratio = double(picture.height()) / picture.width();
    const double boxWidth = scaleToFit ? m_pageWidth : width;
    const double boxHeight = scaleToFit ? m_pageHeight : height;
    if (boxWidth <= 0 || boxHeight <= 0)
        return std::nullopt;
    if (!maintainRatio) {
        const double x = NotGiven(left) ? 0 : left;
        const double y = NotGiven(top) ? (m_pageHeight - boxHeight) / 2 : top;
        return QRectF(x, y, boxWidth, boxHeight);
    }
    if (boxHeight / boxWidth <= ratio) {
        const double w = boxHeight / ratio;
        const double x = NotGiven(left) ? (m_pageWidth - w) / 2 : left;
        const double y = NotGiven(top) ? 0 : top;
        return QRectF(x, y, w, boxHeight);
    }
    const double h = boxWidth * ratio;
    const double x = NotGiven(left) ? 0 : left;
    const double y = NotGiven(top) ? (m_pageHeight - h) / 2 : top;
    return QRectF(x, y, boxWidth, h);
}

std::optional<QRectF> clsMultiPgPreview::pPrintPicture(const QImage &newPic, double leftMargin, double topMargin,
                                                       double pWidth, double pHeight, bool scaleToFit,
                                                       bool maintainRatio)
{
    const std::optional<QRectF> place = picturePlacement(newPic, leftMargin, topMargin, pWidth, pHeight, scaleToFit,
                                                         maintainRatio);
    if (place)
        emitOperation(PageOp::Picture{*place, newPic});
    return place;
}

std::optional<QRectF> clsMultiPgPreview::pPrintPicture(const QString &pictureFile, double leftMargin, double topMargin,
                                                       double pWidth, double pHeight, bool scaleToFit,
                                                       bool maintainRatio)
{
    return pPrintPicture(QImage(pictureFile), leftMargin, topMargin, pWidth, pHeight, scaleToFit, maintainRatio);
}

void clsMultiPgPreview::fillTo(double rightMargin, const QString &filler)
{
    while (m_x < rightMargin) {
        const double before = m_x;
        const double line = m_y;
        pPrint(filler, -1, true);
        // A filler that no longer moves forward on its line (it reached the
        // edge of the page) ends the filling.
        if (m_x <= before || m_y != line)
            break;
    }
}

void clsMultiPgPreview::pSpaces(double rightMargin, double leftMargin, bool useSymbol)
{
    const QString name = m_font.name;
    const int color = m_foreColor;
    if (!NotGiven(leftMargin))
        m_x = leftMargin;
    if (NotGiven(rightMargin))
        rightMargin = m_pageWidth;
    QString filler = QStringLiteral(" ");
    if (useSymbol) {
        m_font.name = QStringLiteral("Symbol");
        filler = QString(QChar(0x2234)); // the Symbol face's "\": three dots
        m_foreColor = PrintColor::Green;
    }
    fillTo(rightMargin, filler);
    m_font.name = name;
    m_foreColor = color;
}

void clsMultiPgPreview::pDots(double rightMargin, double leftMargin)
{
    if (leftMargin > 0)
        m_x = leftMargin;
    fillTo(rightMargin, QStringLiteral("."));
}

void clsMultiPgPreview::pBullet(double leftMargin)
{
    if (NotGiven(leftMargin))
        leftMargin = m_x;
    const PrintFont saved = m_font;
    m_font.name = QStringLiteral("Symbol");
    m_font.bold = m_font.italic = m_font.underline = m_font.strikethru = false;
    pPrint(QString(QChar(0x2022)) + QStringLiteral("  "), leftMargin, true);
    m_font.name = saved.name;
    m_font.bold = saved.bold;
    m_font.italic = saved.italic;
    m_font.underline = saved.underline;
    m_font.strikethru = saved.strikethru;
}

void clsMultiPgPreview::pCancled()
{
    setFontSize(12);
    m_font.bold = true;
    m_foreColor = PrintColor::Red;
    pPrint();
    pPrint(QStringLiteral("**** PRINTING CANCLED ****"), 0.5, false);
}
