#include "print/PrinterSetupModel.h"

#include "data/Settings.h"
#include "data/TextNumber.h"
#include "data/UserPrompts.h"
#include "print/PrinterAccess.h"

#include <cmath>

namespace {

const QString kSection = QStringLiteral("Options");
const QString kPrinterKey = QStringLiteral("Printer");
const QString kCopiesKey = QStringLiteral("Copies");

} // namespace

PrinterSetupModel::PrinterSetupModel(PrinterAccess &printer, int orientation)
    : m_printer(printer)
    , m_documentOrientation(orientation)
{ }

int PrinterSetupModel::duplexValue(int option, int orientation)
{
    const bool upright = orientation != 2;
    switch (option) {
    case 1:
        return upright ? 3 : 2;
    case 2:
        return upright ? 2 : 3;
    default:
        return 1;
    }
}

int PrinterSetupModel::duplexOptionFor(int value, int orientation)
{
    for (int option = 0; option < 3; ++option) {
        if (duplexValue(option, orientation) == value)
            return option;
    }
    return 0;
}

int PrinterSetupModel::qualityValue(int option)
{
    return option == 0 ? -1 : option == 1 ? -3 : -4;
}

int PrinterSetupModel::qualityOptionFor(int value)
{
    return value == -1 ? 0 : value == -4 ? 2 : 1;
}

QString PrinterSetupModel::clampCopies(const QString &text)
{
    const double value = TextNumber::Val(text);
    if (value > 999)
        return QStringLiteral("999");
    if (value < 1)
        return QStringLiteral("1");
    const QString typed = text.trimmed();
    for (QChar c : typed) {
        if (!c.isDigit())
            return QString::number(int(value));
    }
    return typed;
}

void PrinterSetupModel::load()
{
    m_selectedName = Settings::get(kSection, kPrinterKey, QStringLiteral("None"));
    m_copiesText = clampCopies(Settings::get(kSection, kCopiesKey, QStringLiteral("1")));
    m_names = m_printer.printerNames();
    QString choice;
    if (m_names.contains(m_selectedName))
        choice = m_selectedName;
    else if (m_names.contains(m_printer.currentName()))
        choice = m_printer.currentName();
    if (!choice.isEmpty())
        choosePrinter(choice);
    m_printer.setOrientation(m_documentOrientation);
    m_orientationOption = m_printer.orientation() == 2 ? 1 : 0;
    m_qualityOption = qualityOptionFor(m_printer.quality());
}

void PrinterSetupModel::choosePrinter(const QString &name)
{
    if (!m_printer.selectPrinter(name))
        return;
    m_driver = m_printer.driverName();
    m_port = m_printer.portName();
    m_selectedName = name;
    m_printer.setOrientation(m_documentOrientation);
    readOptionsFromPrinter();
}

void PrinterSetupModel::readOptionsFromPrinter()
{
    const int orientation = m_printer.orientation();
    m_orientationOption = orientation == 2 ? 1 : 0;
    m_duplexOption = duplexOptionFor(m_printer.duplex(), orientation);
    m_colorOption = m_printer.colorMode() == 1 ? 1 : 0;
}

void PrinterSetupModel::readBackFromPrinter()
{
    m_names = m_printer.printerNames();
    const QString current = m_printer.currentName();
    if (m_names.contains(current)) {
        m_selectedName = current;
        m_driver = m_printer.driverName();
        m_port = m_printer.portName();
    }
    readOptionsFromPrinter();
}

void PrinterSetupModel::setOrientationOption(int option)
{
    m_orientationOption = option == 1 ? 1 : 0;
    if (!m_printer.setOrientation(m_orientationOption + 1)) {
        m_orientationOption = 0;
        m_printer.setOrientation(1);
    }
}

void PrinterSetupModel::setQualityOption(int option)
{
    m_qualityOption = std::clamp(option, 0, 2);
    m_printer.setQuality(qualityValue(m_qualityOption));
}

QString PrinterSetupModel::setCopiesText(const QString &text)
{
    m_copiesText = clampCopies(text);
    return m_copiesText;
}

int PrinterSetupModel::copies() const
{
    return int(std::trunc(TextNumber::Val(m_copiesText)));
}

void PrinterSetupModel::apply(bool toPrinter)
{
    const int orientation = m_printer.orientation();
    m_printer.setDuplex(duplexValue(m_duplexOption, orientation));
    const int colorMode = m_colorOption == 1 ? 1 : 2;
    m_printer.setColorMode(colorMode);
    m_printer.setCopies(copies());
    Settings::save(kSection, kPrinterKey, m_selectedName);
    Settings::save(kSection, kCopiesKey, m_copiesText);
    m_choice.action = toPrinter ? PrintSetupChoice::Action::Print : PrintSetupChoice::Action::Preview;
    m_choice.orientation = orientation;
    m_choice.colorMode = colorMode;
    m_choice.copies = copies();
}

void PrinterSetupModel::preview()
{
    apply(false);
}

bool PrinterSetupModel::print()
{
    if (!m_printer.printerAvailable()) {
        Prompts().message(PrinterAccess::noPrinterMessage(), QStringLiteral("Printer Setup"));
        return false;
    }
    apply(true);
    return true;
}

void PrinterSetupModel::cancel()
{
    m_choice = PrintSetupChoice();
}
