#pragma once

#include "exchange/Sheet.h"
#include "print/PrintFont.h"

#include <QImage>
#include <QList>
#include <QPageLayout>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <optional>
#include <variant>

// The drawing operations a page is made of, in inches from the top-left
// corner of the printable area. Colours are RGB numbers (PrintColor.h), line
// widths are DrawWidth units (1/600 inch, never thinner than one device
// pixel when drawn).
namespace PageOp {

struct Text
{
    QPointF position; // top-left corner of the text
    QString text;
    PrintFont font;
    int color = 0;
    bool opaque = false; // drawn on its background colour
    int backColor = 0xFFFFFF;
    double width = 0;  // as measured by the recorder
    double height = 0; // one line of the font
    double ascent = 0; // top of the line to the baseline
    int degrees = 0;   // counter-clockwise rotation around the position
};

struct Line
{
    QPointF from;
    QPointF to;
    int drawWidth = 1;
    int color = 0;
};

struct Box
{
    QRectF rect;
    int drawWidth = 1; // 0: filled only, no outline
    int lineColor = 0;
    int fillColor = 0;
    int fillStyle = 1; // 0 solid, 1 transparent, 2 to 7 hatches
};

struct Ellipse
{
    QPointF center;
    double radiusX = 0;
    double radiusY = 0;
    int drawWidth = 1;
    int lineColor = 0;
    int fillColor = 0;
    int fillStyle = 1;
};

struct Picture
{
    QRectF rect;
    QImage image;
};

} // namespace PageOp

using PageOperation = std::variant<PageOp::Text, PageOp::Line, PageOp::Box, PageOp::Ellipse, PageOp::Picture>;

// One page as it was drawn, in drawing order.
struct RecordedPage
{
    QList<PageOperation> operations;

    // The operations of one kind, in drawing order (for readers and tests).
    QList<PageOp::Text> texts() const;
    QList<PageOp::Line> lines() const;
    QList<PageOp::Box> boxes() const;
    QList<PageOp::Ellipse> ellipses() const;
    QList<PageOp::Picture> pictures() const;

    // The texts in drawing order.
    QStringList textStrings() const;
    // The first text containing the given part, or nullptr.
    std::optional<PageOp::Text> findText(const QString &part) const;
};

// A whole document: its page layout (paper, margins, orientation; the
// printable area is the paint rectangle) and its pages.
struct RecordedDocument
{
    QPageLayout layout;
    QString title;
    QList<RecordedPage> pages;
    // A report's figures as tables, made from the same read as its pages, so
    // a spreadsheet saved from the preview holds what the pages show; empty
    // for a document that is no report (an invoice, labels).
    QList<Sheet> sheets;

    // Printable width and height in inches.
    double pageWidth() const;
    double pageHeight() const;

    // Writes the whole document as a vector PDF; the file appears complete
    // or not at all. On failure returns false with the reason in *error.
    bool writePdf(const QString &path, QString *error = nullptr) const;
};

// The page every document uses when no printer tells otherwise: Letter with
// quarter-inch margins (8.0 x 10.5 inches printable upright).
QPageLayout DefaultPageLayout(int orientation);
