#pragma once

#include "print/PageOps.h"
#include "print/PrintPresenter.h"

#include <QList>
#include <QString>
#include <memory>
#include <ostream>

// Readable QStrings in test failures.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

// Reading reports back: PDFs through pdftotext, previews through a
// presenter that keeps what it was shown.
namespace ReportFixtures {

// The text of a PDF, pages laid out as printed (pdftotext -layout),
// pages separated by form feeds. "<…failed…>" when the tool failed.
QString pdfText(const QString &path);
int pdfPages(const QString &path);
QStringList pdfPageTexts(const QString &path);

// The text following a label on the same line, up to the next wide gap
// ("Parts:      150.00" → "150.00"); empty when the label isn't there.
QString valueAfter(const QString &text, const QString &label);
// The line holding a part, trimmed; empty when none.
QString lineWith(const QString &text, const QString &part);

// The demo logo and receipt notice in the program folder.
void provideLetterheadFiles();
// A new shop: no logo, no receipt notice and no letterhead lines or name.
void becomeNewShop();

} // namespace ReportFixtures

// Keeps every previewed document and answers the printer setup as told.
class CapturingPresenter final : public PrintPresenter
{
public:
    CapturingPresenter() { SetPrintPresenter(this); }
    ~CapturingPresenter() override { SetPrintPresenter(nullptr); }

    PrintSetupChoice showPrinterSetup(int orientation) override;
    void showPreview(std::shared_ptr<const RecordedDocument> document, bool modal, QObject *owner) override;

    enum class Answer { Preview, Print, Cancel };
    Answer answer = Answer::Preview;
    int copies = 1;
    int setups = 0;
    QList<std::shared_ptr<const RecordedDocument>> previews;
    // The texts of all pages of the last preview.
    QList<PageOp::Text> lastTexts() const;
};
