#pragma once

#include "print/PrintPresenter.h"

#include <QString>
#include <QStringList>
#include <algorithm>

class PrinterAccess;

// The rules of the printer setup window, with no window: which printer is
// chosen, the options read from and written to it, the copies, and what
// Preview, Print and Cancel do to the printer and the settings ("Options":
// "Printer", "Copies") and answer to the report.
class PrinterSetupModel
{
public:
    // For a document of the orientation (1 upright, 2 landscape); the choice
    // is Cancel until Preview or Print is chosen.
    PrinterSetupModel(PrinterAccess &printer, int orientation);

    // Reads the saved choices and selects the saved printer (or the current
    // one when the saved one is gone).
    void load();

    QStringList printerNames() const { return m_names; }
    int selectedIndex() const { return m_names.indexOf(m_selectedName); }
    QString selectedPrinterName() const { return m_selectedName; }
    QString driverName() const { return m_driver; }
    QString portName() const { return m_port; }
    void choosePrinter(const QString &name);

    // Option indexes as the window shows them.
    int orientationOption() const { return m_orientationOption; }
    void setOrientationOption(int option);
    int duplexOption() const { return m_duplexOption; }
    void setDuplexOption(int option) { m_duplexOption = std::clamp(option, 0, 2); }
    int qualityOption() const { return m_qualityOption; }
    void setQualityOption(int option);
    int colorOption() const { return m_colorOption; }
    void setColorOption(int option) { m_colorOption = option == 1 ? 1 : 0; }

    QString copiesText() const { return m_copiesText; }
    // Keeps the text within 1 to 999; returns the text kept.
    QString setCopiesText(const QString &text);
    int copies() const;

    // After the printer's own dialog: shows the printer and the settings it
    // chose.
    void readBackFromPrinter();

    void preview();
    // False, with the user told, when there is no printer to print on.
    bool print();
    void cancel();
    // What the report is told: Cancel, or Preview or Print with the
    // orientation, colour mode and copies chosen.
    PrintSetupChoice choice() const { return m_choice; }

    // The printer's duplex value for an option at an orientation (1
    // upright, 2 landscape), and the option that gives a value back.
    static int duplexValue(int option, int orientation);
    static int duplexOptionFor(int value, int orientation);
    static int qualityValue(int option);
    static int qualityOptionFor(int value);
    static QString clampCopies(const QString &text);

private:
    void readOptionsFromPrinter();
    void apply(bool toPrinter);

    PrinterAccess &m_printer;
    int m_documentOrientation;
    PrintSetupChoice m_choice;
    QStringList m_names;
    QString m_selectedName;
    QString m_driver;
    QString m_port;
    int m_orientationOption = 0;
    int m_duplexOption = 0;
    int m_qualityOption = 1;
    int m_colorOption = 0;
    QString m_copiesText = QStringLiteral("1");
};
