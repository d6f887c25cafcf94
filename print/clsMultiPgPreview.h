#pragma once

#include "print/PageOps.h"
#include "print/PageSurface.h"
#include "print/PrintFont.h"
#include "print/TextMetrics.h"

#include <QImage>
#include <QString>
#include <memory>
#include <optional>

class QObject;

// The page recorder every printed document is drawn through. Positions are
// inches from the top-left corner of the printable area; text prints at the
// cursor (CurrentX, CurrentY) in the current font. Every page is recorded as
// drawing operations: in printer mode (SendToPrinter) the same operations go
// straight to a print job as well, in preview mode pEndDoc hands the
// recorded document to the preview. The recording can be written to a PDF
// (writePdf) and read back (document()).
//
// Arguments of -1 mean "not given" and are resolved as each member says.
//
// Documents of the program are drawn through RunReport
// (reports/ReportRun.h), which asks the printer setup and sets the output
// mode. By hand:
//     clsMultiPgPreview rec;
//     rec.setSendToPrinter(false);
//     rec.setOrientation(2);
//     rec.pStartDoc();                     // orientation, colour and copies
//                                          // go to the printer here
//     ... rec.pPrint(...), rec.pBox(...), rec.pNewPage() ...
//     rec.pEndDoc();                       // the preview, or the end of the job
// Making a recorder changes nothing on the printer. Without the print
// windows installed nothing opens: after pEndDoc, rec.writePdf(path) writes
// the document and rec.document() holds every page's operations.
class clsMultiPgPreview
{
public:
    clsMultiPgPreview();
    ~clsMultiPgPreview();
    clsMultiPgPreview(const clsMultiPgPreview &) = delete;
    clsMultiPgPreview &operator=(const clsMultiPgPreview &) = delete;

    // --- document ---
    void pStartDoc();
    // Ends the document: finishes the print job, or shows the preview (modal
    // when oModal is 1).
    void pEndDoc(int oModal = 1, QObject *ownerForm = nullptr);
    // Ends the document as pEndDoc does but shows no preview: for a document
    // that goes to a file.
    void finishDoc();
    void pNewPage();
    // Drops a document that can't be finished: the print job is cancelled
    // and the recorded pages are removed. Destroying a recorder with an
    // unfinished document does the same.
    void abortDoc();

    // The recorded document (pages of drawing operations).
    const RecordedDocument &document() const { return *m_recording.document(); }
    std::shared_ptr<const RecordedDocument> sharedDocument() const { return m_recording.document(); }
    int pageCount() const { return int(document().pages.size()); }
    // Writes the recorded document as a PDF file (complete or not at all).
    bool writePdf(const QString &path, QString *error = nullptr) const;
    // The reason the last print job failed, empty when it did not.
    QString lastError() const { return m_lastError; }
    // The report's figures as tables, kept with the document (set while it
    // is open: between pStartDoc and its end).
    void setSheets(QList<Sheet> sheets) { m_recording.document()->sheets = std::move(sheets); }

    // Measures text; the fonts by default, fixed metrics in layout tests.
    void setTextMetrics(std::shared_ptr<const TextMetrics> metrics);

    // --- text ---
    void pPrint(const QString &printVar = QString(), double leftMargin = -1, bool sameLine = false);
    void pMultiline(const QString &printVar, double leftMargin = -1, double rightMargin = -1,
                    const QString &indentChar = QString(), bool sameLine = false, bool usePageBreaks = true);
    void pCenterMultiline(const QString &printVar, double leftMargin = 0, double rightMargin = -1,
                          bool removeCrLf = true, bool sameLine = false);
    // Returns the column width used (ColWidth -1 resolved).
    double pCenter(const QString &printVar, bool sameLine = false, double colWidth = -1, double leftMargin = 0);
    void pRightJust(const QString &printVar, double rightMargin = -1, bool sameLine = false);
    void pRightTab(const QString &printVar, double xFromRight = 0.1, bool sameLine = false);
    void pPrintedDate(bool printCentered = false, double leftMargin = -1, bool sameLine = false);
    void pFontName(const QString &fontName = QStringLiteral("Times New Roman"));
    void pHalfSpace();
    void pQuarterSpace();
    void p15Space();
    void pPrintRotate(const QString &printVar = QString(), int degree = 0, double leftMargin = -1);

    // --- page furniture ---
    bool pEndOfPage(double less = 0, bool saveRoomForFooter = true);
    void pHeader(const QString &mainTitle = QString(), std::optional<QString> subTitle = std::nullopt,
                 std::optional<bool> italicMain = std::nullopt);
    // Returns the footer text printed (the "Printed: " date text when none
    // was given), for a caller that wants the same text on later pages.
    QString pFooter(const QString &footerText = QString());

    // --- rules and shapes ---
    void pLine(double leftMargin = -1, double rightMargin = -1, int lineWidth = 1, bool includeSpace = true);
    void pDoubleLine(double leftPos = 0, double rightPos = -1, int lineWidth = 1, bool includeSpace = true);
    void pVerticalLine(double leftPos = -1, double topPos = -1, double bottomPos = -1, int lineWidth = 0);
    // FilledBox: 1 outline only, 0 solid fill in ColorFill, 2 to 7 hatches.
    void pBox(double bLeft = -1, double bTop = -1, double bWidth = -1, double bHeight = -1, int colorLine = -1,
              int colorFill = -1, int filledBox = 1);
    // A rectangle filled in the colour, with no outline: exactly as wide as
    // given at any resolution (bar-code bars).
    void pFillBox(double bLeft, double bTop, double bWidth, double bHeight, int color);
    void pCircle(double bLeft, double bTop, double bRadius, int colorLine = -1, int colorFill = -1,
                 int filledCircle = 1, double aspectRatio = 1.0);
    // Returns where the picture went, or nothing when it was skipped (an
    // empty picture, or a file that could not be read).
    std::optional<QRectF> pPrintPicture(const QImage &newPic, double leftMargin = -1, double topMargin = -1,
                                        double pWidth = 0, double pHeight = 0, bool scaleToFit = false,
                                        bool maintainRatio = true);
    std::optional<QRectF> pPrintPicture(const QString &pictureFile, double leftMargin = -1, double topMargin = -1,
                                        double pWidth = 0, double pHeight = 0, bool scaleToFit = false,
                                        bool maintainRatio = true);

    // --- fillers ---
    void pSpaces(double rightMargin = -1, double leftMargin = -1, bool useSymbol = false);
    void pDots(double rightMargin, double leftMargin = 0);
    void pBullet(double leftMargin = -1);
    void pCancled();

    // --- measures ---
    int GetPage() const { return m_pageIndex + 1; }
    double GetPaperWidth() const { return m_pageWidth; }
    double GetPaperHeight() const { return m_pageHeight; }
    double GetTextWidth(const QString &textString) const;
    double GetTextHeight(const QString &textString = QStringLiteral("Sample Text")) const;

    // --- text helpers ---
    static QString GetRemoveCRLF(const QString &textString);
    static QString GetStripQuotes(const QString &textString);
    static QString GetFormalCase(const QString &textString);

    // --- properties ---
    bool SendToPrinter() const { return m_sendToPrinter; }
    void setSendToPrinter(bool yes) { m_sendToPrinter = yes; }
    // Orientation, colour mode and copies are the recorder's until
    // pStartDoc hands them to the printer.
    int Orientation() const { return m_orientation; }
    void setOrientation(int orientation) { m_orientation = orientation; }
    int ColorMode() const { return m_colorMode; }
    void setColorMode(int mode) { m_colorMode = mode & 0xFF; }
    int PrintCopies() const { return m_copies; }
    void setPrintCopies(int copies) { m_copies = copies; }
    QString ReportTitle() const { return m_reportTitle; }
    void setReportTitle(const QString &title);
    QString ReportSubTitle() const { return m_reportSubTitle; }
    void setReportSubTitle(const QString &subTitle) { m_reportSubTitle = subTitle; }
    bool ItalicTitle() const { return m_italicTitle; }
    void setItalicTitle(bool yes) { m_italicTitle = yes; }

    double CurrentX() const { return m_x; }
    void setCurrentX(double x) { m_x = x; }
    double CurrentY() const { return m_y; }
    void setCurrentY(double y) { m_y = y; }

    QString FontName() const { return m_font.name; }
    // A name no installed face answers to becomes "Arial".
    void setFontName(const QString &name);
    int FontSize() const;
    void setFontSize(double points);
    bool FontBold() const { return m_font.bold; }
    void setFontBold(bool yes) { m_font.bold = yes; }
    bool FontItalic() const { return m_font.italic; }
    void setFontItalic(bool yes) { m_font.italic = yes; }
    bool FontUnderline() const { return m_font.underline; }
    void setFontUnderline(bool yes) { m_font.underline = yes; }
    bool FontStrikethru() const { return m_font.strikethru; }
    void setFontStrikethru(bool yes) { m_font.strikethru = yes; }
    const PrintFont &font() const { return m_font; }

    int ForeColor() const { return m_foreColor; }
    void setForeColor(int rgb) { m_foreColor = rgb; }
    // -1 draws text transparently (background white); any other colour
    // draws text on that colour.
    int BackColor() const { return m_backColor; }
    void setBackColor(int rgb);
    bool FontTransparent() const { return m_fontTransparent; }
    void setFontTransparent(bool yes);
    // Line width in 1/600 inch, the same on paper, PDF and preview.
    int DrawWidth() const { return m_drawWidth; }
    void setDrawWidth(int width);

private:
    // The text primitive: draws at the cursor; the same-line form moves
    // CurrentX past the text, otherwise the cursor goes to the next line.
    // A width already measured may be passed in.
    void surfacePrint(const QString &text, bool sameLine, double measured = -1);
    void emitOperation(const PageOperation &operation);
    void emitLine(QPointF from, QPointF to);
    double lineHeight(const PrintFont &font) const;
    double textWidth(const QString &text) const;
    PageOp::Text textOperation(const QString &text, const PrintFont &font, double width = -1) const;
    void reportJobError(const QString &what);
    void dropJob();
    std::optional<QRectF> picturePlacement(const QImage &picture, double left, double top, double width, double height,
                                           bool scaleToFit, bool maintainRatio) const;
    // Prints the filler in the same-line form until CurrentX reaches the
    // right margin (or stops moving).
    void fillTo(double rightMargin, const QString &filler);

    std::shared_ptr<const TextMetrics> m_metrics;
    RecordingSurface m_recording;
    std::unique_ptr<PageSurface> m_job;
    QString m_lastError;
    bool m_docOpen = false;

    bool m_sendToPrinter = true;
    int m_orientation = 1;
    int m_colorMode = 2;
    int m_copies = 1;
    QString m_reportTitle;
    QString m_reportSubTitle;
    bool m_italicTitle = true;
    int m_pageIndex = 0;
    double m_pageWidth = 0;
    double m_pageHeight = 0;

    double m_x = 0;
    double m_y = 0;
    PrintFont m_font;
    int m_foreColor = 0;
    int m_backColor = 0xFFFFFF;
    bool m_fontTransparent = true;
    int m_drawWidth = 1;
};
