#pragma once

#include <functional>

class QPrintDialog;
class QWidget;

// The system's print setup dialog on the program's printer. The page
// properties keep MinPage <= FromPage <= ToPage <= MaxPage (a value below 1
// is kept as 0). Releasing the object remembers the printer in the settings
// ("Options", "Printer").
class clsPrintDialog
{
public:
    static constexpr int PrintSetupFlag = 64;
    static constexpr int HidePrintToFileFlag = 0x100000;

    clsPrintDialog();
    ~clsPrintDialog();
    clsPrintDialog(const clsPrintDialog &) = delete;
    clsPrintDialog &operator=(const clsPrintDialog &) = delete;

    // Shows the dialog; true when the user cancelled it. Flag 64 asks for
    // the setup form (no page range).
    bool ShowPrinter(int flags = PrintSetupFlag);

    int MinPage() const { return m_minPage; }
    void setMinPage(int page);
    int FromPage() const { return m_fromPage; }
    void setFromPage(int page);
    int ToPage() const { return m_toPage; }
    void setToPage(int page);
    int MaxPage() const { return m_maxPage; }
    void setMaxPage(int page);

    int Copies() const { return m_copies; }
    void setCopies(int copies) { m_copies = copies; }
    int MaxCopies() const { return m_maxCopies; }
    void setMaxCopies(int copies) { m_maxCopies = copies; }
    QWidget *Owner_hWnd() const { return m_owner; }
    void setOwner_hWnd(QWidget *owner) { m_owner = owner; }
    bool AllowOrientation() const { return m_allowOrientation; }
    void setAllowOrientation(bool yes) { m_allowOrientation = yes; }
    bool AllowPrintToFile() const { return m_allowPrintToFile; }
    void setAllowPrintToFile(bool yes) { m_allowPrintToFile = yes; }

    // Runs the dialog (tests answer it themselves); returns its result.
    static std::function<int(QPrintDialog &)> execDialog;

private:
    int m_minPage = 0;
    int m_fromPage = 0;
    int m_toPage = 0;
    int m_maxPage = 0;
    int m_copies = 1;
    int m_maxCopies = 1;
    QWidget *m_owner = nullptr;
    bool m_allowOrientation = true;
    bool m_allowPrintToFile = false;
};
