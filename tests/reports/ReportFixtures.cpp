#include "tests/reports/ReportFixtures.h"

#include "data/ReceiptNotice.h"
#include "data/Settings.h"
#include "print/clsMultiPgPreview.h"
#include "reports/DemoLetterhead.h"
#include "reports/ShopLetterhead.h"
#include "tests/support/PdfReader.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace ReportFixtures {

QString pdfText(const QString &path)
{
    return PdfReader::text(path);
}

int pdfPages(const QString &path)
{
    return PdfReader::pages(path);
}

QStringList pdfPageTexts(const QString &path)
{
    return PdfReader::pageTexts(path);
}

QString valueAfter(const QString &text, const QString &label)
{
    const QRegularExpression re(QStringLiteral("(?:^|\\s)") + QRegularExpression::escape(label)
                                + QStringLiteral("\\s+(\\S+(?: \\S+)*)"));
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch m = re.match(line);
        if (m.hasMatch())
            return m.captured(1);
    }
    return QString();
}

QString lineWith(const QString &text, const QString &part)
{
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        if (line.contains(part))
            return line.simplified();
    }
    return QString();
}

void provideLetterheadFiles()
{
    QString error;
    ASSERT_TRUE(DemoLetterhead::ensureFiles(&error)) << error.toStdString();
    // A shop that has set its letterhead lines in the settings window.
    const QStringList demo = DemoLetterhead::lines();
    ShopLetterhead::save(QStringLiteral("Tessaly Mobile Audio"), demo[0], demo[1], demo[2]);
}

void becomeNewShop()
{
    QFile::remove(ShopLetterhead::logoPath());
    QFile::remove(ReceiptNotice::filePath());
    for (const char *key : {"Name", "Street", "CityStateZip", "Telephone"})
        Settings::remove(QStringLiteral("Letterhead"), QLatin1String(key));
}

} // namespace ReportFixtures

PrintSetupChoice CapturingPresenter::showPrinterSetup(int orientation)
{
    ++setups;
    if (answer == Answer::Cancel)
        return PrintSetupChoice();
    PrintSetupChoice choice = PrintSetupChoice::preview(orientation);
    if (answer == Answer::Print)
        choice.action = PrintSetupChoice::Action::Print;
    choice.copies = copies;
    return choice;
}

void CapturingPresenter::showPreview(std::shared_ptr<const RecordedDocument> document, bool, QObject *)
{
    previews.append(std::move(document));
}

QList<PageOp::Text> CapturingPresenter::lastTexts() const
{
    QList<PageOp::Text> all;
    if (previews.isEmpty())
        return all;
    for (const RecordedPage &page : previews.last()->pages)
        all << page.texts();
    return all;
}
