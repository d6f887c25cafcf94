#pragma once

#include "print/PrinterSetupModel.h"

#include <QDialog>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

// "Printer Setup", shown before every report: the printer and its
// settings, then Preview, Print or Cancel. The rules live in
// PrinterSetupModel; the window shows them and passes the clicks on.
class frmPrinterSetUp : public QDialog
{
    Q_OBJECT
public:
    // For a document of the orientation (1 upright, 2 landscape).
    explicit frmPrinterSetUp(int orientation, QWidget *parent = nullptr);

    PrinterSetupModel &model() { return m_model; }
    // Cancel until Preview or Print is chosen.
    PrintSetupChoice choice() const { return m_model.choice(); }

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QGroupBox *buildOptionGroup(QGroupBox *group, QButtonGroup *buttons, const QStringList &captions,
                                const QString &namePrefix, QLabel *picture);
    QGroupBox *buildCopies();
    void buildButtons(class QBoxLayout *layout);
    void connectControls();
    void loadChoices();
    void showModel();
    void showPictures();
    void copiesEdited(const QString &text);
    void openProperties();

    PrinterSetupModel m_model;
    bool m_loaded = false;
    bool m_showing = false;

    QComboBox *cboPrinter;
    QLineEdit *txtDriver;
    QLineEdit *txtPort;
    QGroupBox *fraOrientation;
    QButtonGroup *optOrien;
    QLabel *imgPrinterOrien;
    QGroupBox *fraDuplex;
    QButtonGroup *optDuplex;
    QLabel *imgPrinterDuplex;
    QGroupBox *fraQuality;
    QButtonGroup *optQuality;
    QLabel *imgPrinterQuality;
    QGroupBox *fraColor;
    QButtonGroup *optColor;
    QGroupBox *fraCopies;
    QLineEdit *txtCopies;
    QScrollBar *VScroll;
    QLabel *imgCopies;
    QPushButton *cmdPrintProperties;
    QPushButton *cmdPreview;
    QPushButton *cmdPrint;
    QPushButton *cmdQuit;
};
