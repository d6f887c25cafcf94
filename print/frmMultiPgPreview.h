#pragma once

#include "print/PageImageStore.h"

#include <QDialog>
#include <functional>
#include <memory>

class PreviewFolderPanel;
class PreviewGotoPanel;
class PreviewPageView;
class PreviewPrintPanel;
class QLabel;
class QPushButton;
class QToolButton;

// The print preview: the recorded pages one at a time, turned with the
// buttons or the keys, fitted whole ("Fit Page"), printed (one page or a
// range), copied to the clipboard or to a folder, saved as a PDF, or, for a
// report, its figures saved as a spreadsheet ("Save as CSV"). It
// works from the recorded document alone and never asks the report to draw
// again. Its title and the orientation the printer is left in after
// printing are the document's, taken when the window is made. Each page is
// drawn from the recording when it is shown, so nothing of it is left on
// disk; closing removes the page folders earlier releases left behind.
class frmMultiPgPreview : public QDialog
{
    Q_OBJECT
public:
    explicit frmMultiPgPreview(std::shared_ptr<const RecordedDocument> document, QWidget *parent = nullptr);
    ~frmMultiPgPreview() override;

    int LastPageIndex() const { return m_store.pageCount() - 1; }
    int CurrentPageIndex() const { return m_current; }

    void showPage(int index);
    void nextPage();
    void previousPage();
    void setFitPage(bool fit);
    // Writes the whole document as a vector PDF; a failure is shown.
    bool saveAsPdf(const QString &path);
    // Writes the report's figures as drawn (a workbook for a name ending in
    // ".xlsx", else a comma-separated file); a failure is shown.
    bool saveAsSheets(const QString &path);
    // Copies every page into a folder as the report title & n & ".bmp".
    bool copyPagesTo(const QString &folder);

    // The dialog that asks where to save the PDF (tests replace it).
    std::function<QString(QWidget *parent, const QString &suggestion)> choosePdfPath;
    // The dialog that asks where to save the spreadsheet (tests replace it).
    std::function<QString(QWidget *parent, const QString &suggestion)> chooseSheetPath;

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QWidget *buildToolStrip();
    void connectPanels();
    void refreshPageStatus();
    void hidePanels();
    void placeBeside(QWidget *panel, QWidget *button);
    void openGoto();
    void openPrintOptions();
    void runPrintOption(int option);
    void printPageRange(int first, int last, bool asRange);
    void copyPageToClipboard();
    void finishCopy(const QString &folder);
    void askForPdfPath();
    void askForSheetPath();
    QString suggestedPath(const QString &extension) const;
    QString reportTitle() const;

    PageImageStore m_store;
    QString m_title;
    int m_orientation;
    int m_current = 0;

    PreviewPageView *m_view;
    QWidget *Picture2;
    QPushButton *cmdFullPage;
    QPushButton *cmdGoTo;
    QToolButton *cmdPrevPage; // Command1(0)
    QToolButton *cmdNextPage; // Command1(1)
    QLabel *Label1;
    QPushButton *cmd_print;
    QPushButton *cmdSavePdf;
    QPushButton *cmdSaveSheets;
    QPushButton *cmd_quit;
    PreviewGotoPanel *picGoto;
    PreviewPrintPanel *picPrintOptions;
    PreviewFolderPanel *picGetFolder;
};
