// The printer setup rules without the window: copies, duplex both ways,
// and what Preview and Print leave behind.
#include "tests/print/FakePrinter.h"

#include "data/Settings.h"
#include "print/PrinterSetupModel.h"
#include "print/clsMultiPgPreview.h"
#include "tests/support/RecordingPrompts.h"

#include <gtest/gtest.h>

namespace {

void forgetSettings()
{
    Settings::remove(QStringLiteral("Options"), QStringLiteral("Printer"));
    Settings::remove(QStringLiteral("Options"), QStringLiteral("Copies"));
}

class PrinterSetup : public ::testing::Test
{
protected:
    void SetUp() override { forgetSettings(); }
    void TearDown() override { forgetSettings(); }
};

} // namespace

TEST(PrinterSetupRules, CopiesStayBetweenOneAndNineHundredNinetyNine)
{
    EXPECT_EQ(PrinterSetupModel::clampCopies(QStringLiteral("1500")), QStringLiteral("999"));
    EXPECT_EQ(PrinterSetupModel::clampCopies(QString()), QStringLiteral("1"));
    EXPECT_EQ(PrinterSetupModel::clampCopies(QStringLiteral("0")), QStringLiteral("1"));
    EXPECT_EQ(PrinterSetupModel::clampCopies(QStringLiteral("12")), QStringLiteral("12"));
    EXPECT_EQ(PrinterSetupModel::clampCopies(QStringLiteral("3x")), QStringLiteral("3"));
}

TEST(PrinterSetupRules, DuplexIsReadBackWithTheInverseOfItsMapping)
{
    EXPECT_EQ(PrinterSetupModel::duplexValue(0, 1), 1);
    EXPECT_EQ(PrinterSetupModel::duplexValue(1, 2), 2);
    EXPECT_EQ(PrinterSetupModel::duplexValue(1, 1), 3);
    EXPECT_EQ(PrinterSetupModel::duplexValue(2, 1), 2);
    EXPECT_EQ(PrinterSetupModel::duplexValue(2, 2), 3);
    for (int orientation : {1, 2}) {
        for (int option = 0; option < 3; ++option) {
            EXPECT_EQ(
                PrinterSetupModel::duplexOptionFor(PrinterSetupModel::duplexValue(option, orientation), orientation),
                option);
        }
    }
}

TEST_F(PrinterSetup, OpeningAndPressingPrintChangesNothingOnThePrinter)
{
    for (int orientation : {1, 2}) {
        for (int duplex : {1, 2, 3}) {
            FakePrinter printer({QStringLiteral("Office")});
            printer.setDuplex(duplex);
            printer.setColorMode(1);
            PrinterSetupModel setup(printer, orientation);
            setup.load();
            ASSERT_TRUE(setup.print());
            EXPECT_EQ(printer.duplex(), duplex) << orientation;
            EXPECT_EQ(printer.orientation(), orientation);
            EXPECT_EQ(printer.colorMode(), 1);
            EXPECT_EQ(setup.choice().colorMode, 1);
            EXPECT_EQ(setup.choice().action, PrintSetupChoice::Action::Print);
            EXPECT_EQ(setup.choice().orientation, orientation);
        }
    }
}

TEST_F(PrinterSetup, PreviewWritesBothSettingsAndAnswersWithThem)
{
    FakePrinter printer({QStringLiteral("Office"), QStringLiteral("Garage")});
    PrinterSetupModel setup(printer, 1);
    setup.load();
    setup.choosePrinter(QStringLiteral("Garage"));
    EXPECT_EQ(setup.driverName(), QStringLiteral("Garage driver"));
    setup.setCopiesText(QStringLiteral("1500"));
    setup.setOrientationOption(1);
    setup.setDuplexOption(1);
    setup.preview();
    EXPECT_EQ(setup.choice().action, PrintSetupChoice::Action::Preview);
    EXPECT_EQ(setup.choice().orientation, 2);
    EXPECT_EQ(setup.choice().copies, 999);
    EXPECT_EQ(printer.duplex(), 2);
    EXPECT_EQ(printer.copies(), 999);
    EXPECT_EQ(Settings::get(QStringLiteral("Options"), QStringLiteral("Printer")), QStringLiteral("Garage"));
    EXPECT_EQ(Settings::get(QStringLiteral("Options"), QStringLiteral("Copies")), QStringLiteral("999"));
}

TEST_F(PrinterSetup, SavedChoicesComeBackAndAMissingPrinterFallsBackToTheCurrentOne)
{
    FakePrinter printer({QStringLiteral("Office"), QStringLiteral("Garage")});
    Settings::save(QStringLiteral("Options"), QStringLiteral("Printer"), QStringLiteral("Garage"));
    Settings::save(QStringLiteral("Options"), QStringLiteral("Copies"), QStringLiteral("3"));
    {
        PrinterSetupModel setup(printer, 1);
        setup.load();
        EXPECT_EQ(setup.selectedIndex(), 1);
        EXPECT_EQ(setup.copiesText(), QStringLiteral("3"));
    }
    Settings::save(QStringLiteral("Options"), QStringLiteral("Printer"), QStringLiteral("Gone"));
    printer.selectPrinter(QStringLiteral("Office"));
    PrinterSetupModel setup(printer, 1);
    setup.load();
    EXPECT_EQ(setup.selectedPrinterName(), QStringLiteral("Office"));
}

TEST_F(PrinterSetup, APrinterChosenInItsOwnDialogIsTheOneShownAndSaved)
{
    FakePrinter printer({QStringLiteral("Office"), QStringLiteral("Garage")});
    PrinterSetupModel setup(printer, 1);
    setup.load();
    EXPECT_EQ(setup.selectedPrinterName(), QStringLiteral("Office"));
    printer.selectPrinter(QStringLiteral("Garage")); // what the dialog did
    printer.setColorMode(1);
    setup.readBackFromPrinter();
    EXPECT_EQ(setup.selectedIndex(), 1);
    EXPECT_EQ(setup.colorOption(), 1);
    setup.preview();
    EXPECT_EQ(Settings::get(QStringLiteral("Options"), QStringLiteral("Printer")), QStringLiteral("Garage"));
}

TEST_F(PrinterSetup, RefusedLandscapeFallsBackToPortrait)
{
    FakePrinter printer({QStringLiteral("Office")});
    printer.refuseLandscape = true;
    PrinterSetupModel setup(printer, 1);
    setup.load();
    setup.setOrientationOption(1);
    EXPECT_EQ(setup.orientationOption(), 0);
    EXPECT_EQ(printer.orientation(), 1);
}

TEST_F(PrinterSetup, WithoutAPrinterPreviewWorksAndPrintSaysSo)
{
    FakePrinter none;
    RecordingPrompts prompts;
    clsMultiPgPreview rec;
    PrinterSetupModel setup(none, 1);
    setup.load();
    EXPECT_EQ(setup.selectedIndex(), -1);
    EXPECT_FALSE(setup.print());
    EXPECT_TRUE(setup.choice().cancelled());
    EXPECT_TRUE(prompts.lastMessage().contains(QStringLiteral("No printer is available")));
    EXPECT_FALSE(Settings::contains(QStringLiteral("Options"), QStringLiteral("Copies")));
    setup.preview();
    EXPECT_FALSE(setup.choice().cancelled());
    rec.setSendToPrinter(false);
    rec.pStartDoc();
    EXPECT_NEAR(rec.GetPaperWidth(), 8.0, 1e-9);
    EXPECT_NEAR(rec.GetPaperHeight(), 10.5, 1e-9);
}

TEST_F(PrinterSetup, AReportRunWithoutWindowsPreviewsAndGoesOn)
{
    const PrintSetupChoice choice = Presenter().showPrinterSetup(2);
    EXPECT_EQ(choice.action, PrintSetupChoice::Action::Preview);
    EXPECT_EQ(choice.orientation, 2);
}

TEST_F(PrinterSetup, MakingARecorderLeavesThePrinterAloneUntilTheDocumentStarts)
{
    FakePrinter printer({QStringLiteral("Office")});
    printer.setOrientation(2);
    printer.setColorMode(1);
    printer.setCopies(4);
    clsMultiPgPreview rec;
    rec.setOrientation(1);
    rec.setColorMode(2);
    rec.setPrintCopies(2);
    EXPECT_EQ(printer.orientation(), 2);
    EXPECT_EQ(printer.colorMode(), 1);
    EXPECT_EQ(printer.copies(), 4);
    rec.setSendToPrinter(false);
    rec.pStartDoc();
    EXPECT_EQ(printer.orientation(), 1);
    EXPECT_EQ(printer.colorMode(), 2);
    EXPECT_EQ(printer.copies(), 2);
}
