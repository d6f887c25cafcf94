#pragma once

#include "print/PrintFont.h"

#include <QString>
#include <functional>

class clsMultiPgPreview;

// Page breaks for reports that list rows: the recorder's pPrint never
// breaks a page, so before each row (or block of rows that belong together)
// the report asks for room, and when the rest of the page is too short a
// new page is started and the report's own continuation heading drawn on it.
class ReportPager
{
public:
    // heading draws the top of a continuation page, given its page number
    // (2, 3, …); the font in use before it is put back afterwards.
    ReportPager(clsMultiPgPreview &rec, std::function<void(int page)> heading, double bottomMargin = 0.35);

    // The lowest CurrentY a row may end at.
    double bottom() const;
    // Whether height inches from CurrentY still fit on this page.
    bool fits(double height) const;
    // Starts a new page when height doesn't fit; true when it did.
    bool ensureRoom(double height);
    // The height of n lines of the current font.
    double lines(double n) const;
    // The height a text takes printed from x to the right margin by
    // printWrapped (at least one line).
    double wrappedHeight(const QString &text, double x, double rightMargin) const;
    // Prints a text that may be long or hold line breaks, wrapped between x
    // and rightMargin, after making room for all of its lines.
    void printWrapped(const QString &text, double x, double rightMargin);

    void newPage();
    int page() const { return m_page; }

private:
    clsMultiPgPreview &m_rec;
    std::function<void(int)> m_heading;
    double m_bottomMargin;
    int m_page = 1;
};

// The top line of a continuation page: the report's title at left and
// "Page n" right-aligned fromRight inches from the left edge, in bold Arial
// 10 at 0.3 inches from the top of the page.
void PrintContinuationTitle(clsMultiPgPreview &rec, const QString &title, int page, double left, double fromRight);

// Puts a remembered font back on the recorder.
void SetRecorderFont(clsMultiPgPreview &rec, const PrintFont &font);
