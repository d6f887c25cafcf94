#pragma once

#include <QFrame>

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

// The small panels of the preview window that float beside its tool strip.

// "Goto Page#": a page number, never more than the page count.
class PreviewGotoPanel : public QFrame
{
    Q_OBJECT
public:
    explicit PreviewGotoPanel(QWidget *parent = nullptr);

    void open(int currentPage, int pageCount);

signals:
    void pageChosen(int page); // 1-based

private:
    void clampToPageCount();
    void confirm();

    QLabel *Label5;
    QLineEdit *txtGoto;
    QPushButton *cmdGotoOK;
    int m_pageCount = 1;
};

// "Print Options": the four choices, the page range and the progress text.
class PreviewPrintPanel : public QFrame
{
    Q_OBJECT
public:
    enum Option { CopyToClipboard = 0, PrintCurrentPage = 1, PrintPages = 2, CopyToFolder = 3 };

    explicit PreviewPrintPanel(QWidget *parent = nullptr);

    // Opens on "Print Pages" with the range ending at the last page.
    void open(int pageCount);
    int printOption() const;
    void setPrintOption(int option);
    int fromPage() const;
    int toPage() const;

    // While an action runs: the panel is disabled and shows its progress.
    void setBusy(bool busy);
    void setProgress(const QString &text);

signals:
    void actionRequested(int option);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void keepRangeInOrder(QLineEdit *changed);
    void keepWithinDocument(QLineEdit *box);

    QLabel *Label3;
    QButtonGroup *m_options;
    QRadioButton *optPrint[4];
    QLineEdit *txtFrom;
    QLineEdit *txtTo;
    QLabel *Label2;
    QPushButton *cmdPrint;
    QLabel *lblPrintingPg;
    int m_pageCount = 1;
};

// " Select a Directory: ": a folder to copy the pages into.
class PreviewFolderPanel : public QFrame
{
    Q_OBJECT
public:
    explicit PreviewFolderPanel(QWidget *parent = nullptr);

    QString path() const { return m_path; }
    void setPath(const QString &path);

signals:
    void folderChosen(const QString &path);
    void cancelled();

private:
    void fillDrives();
    void refresh();
    void newFolder();

    QLabel *Label4;
    QComboBox *Drive1;
    QLabel *lblPath;
    QListWidget *Dir1;
    QPushButton *cmdNewFolder;
    QPushButton *cmdUpOne;
    QPushButton *cmdOpen;
    QPushButton *cmdQuit;
    QString m_path;
};
