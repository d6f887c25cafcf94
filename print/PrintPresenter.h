#pragma once

#include <memory>

class QObject;
struct RecordedDocument;

// What the printer setup chose: whether the document is drawn at all, and
// if so into the preview or straight to the printer, with the settings the
// recorder takes to the printer when the document starts.
struct PrintSetupChoice
{
    enum class Action { Cancel, Preview, Print };
    Action action = Action::Cancel;
    int orientation = 1; // 1 upright, 2 landscape
    int colorMode = 2;   // 1 monochrome, 2 colour
    int copies = 1;

    bool cancelled() const { return action == Action::Cancel; }
    bool toPrinter() const { return action == Action::Print; }

    static PrintSetupChoice preview(int orientation)
    {
        PrintSetupChoice choice;
        choice.action = Action::Preview;
        choice.orientation = orientation;
        return choice;
    }
};

// The windows around a report: printer setup before it, the preview after.
// This base runs without windows: the setup chooses the preview as the
// document comes, and the preview shows nothing.
class PrintPresenter
{
public:
    virtual ~PrintPresenter() = default;

    // Asks how a document of the orientation (1 upright, 2 landscape) is to
    // go out.
    virtual PrintSetupChoice showPrinterSetup(int orientation);
    // A finished document drawn in preview mode; its title and page come
    // with it.
    virtual void showPreview(std::shared_ptr<const RecordedDocument> document, bool modal, QObject *owner) { }
};

// The presenter in use (never null). The program installs the print windows
// (InstallPrintWindows); tests install presenters that answer the setup and
// keep or write what they were shown, so the same report code runs without
// a window. The installer does not take ownership; nullptr puts back the
// windowless base.
PrintPresenter &Presenter();
void SetPrintPresenter(PrintPresenter *presenter);
