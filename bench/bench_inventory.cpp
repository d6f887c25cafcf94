// The inventory window and its report on a catalog of 20,000 products: the
// list filled (against the list read alone), the inventory report written
// as a PDF, and "Print List" to the first preview page shown.
#include "bench/BenchData.h"
#include "bench/BenchReport.h"
#include "bench/BenchSupport.h"
#include "catalog/ProductStore.h"
#include "catalog/frmInventory.h"
#include "data/Database.h"
#include "data/Recordset.h"
#include "print/PrintPresenter.h"
#include "print/clsMultiPgPreview.h"
#include "print/frmMultiPgPreview.h"
#include "reports/ProductReports.h"
#include "widgets/vbalGrid.h"

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int kProducts = 20000;

// The preview window as "Print List" opens it, closed again once its first
// page is on the screen.
class FirstPagePresenter final : public PrintPresenter
{
public:
    void showPreview(std::shared_ptr<const RecordedDocument> document, bool, QObject *) override
    {
        pages = int(document->pages.size());
        frmMultiPgPreview window(std::move(document));
        window.show();
        QCoreApplication::processEvents();
        window.close();
    }
    int pages = 0;
};

void measureFill(Engine engine)
{
    const QString name = Bench::engineName(engine);
    frmInventory window;
    window.show();
    QCoreApplication::processEvents();
    const double fill = Bench::medianMs([&] { window.FillList(); }, 9, 2);
    const double bare = Bench::medianMs(
        [] {
            const std::optional<Recordset> rs = ProductStore::AvailableList();
            if (!rs || rs->rowCount() != kProducts)
                std::abort();
        },
        9, 2);
    Bench::print({QStringLiteral("inventory list filled (%1 products)").arg(kProducts), name, fill, 300, bare, 0});
    window.close();
}

void measureReport(Engine engine)
{
    const QString name = Bench::engineName(engine);
    QTemporaryDir dir;
    QString path;
    int pages = 0;
    const double pdf = Bench::medianPdfMs([](const ReportOutput &out) { return PrintInventory(out); }, dir, 3, 1,
                                          &pages, &path);
    Bench::print({QStringLiteral("inventory report to PDF (%1 pages)").arg(pages), name, pdf, 20000, 0, 0});
    Bench::print({QStringLiteral("inventory report PDF size"), name, double(QFileInfo(path).size()) / (1024.0 * 1024.0),
                  0, 0, 0, QStringLiteral("MB")});

    FirstPagePresenter presenter;
    SetPrintPresenter(&presenter);
    const double first = Bench::medianMs(
        [] {
            if (!PrintInventory(ReportOutput::preview()).done())
                std::abort();
        },
        3, 1);
    SetPrintPresenter(nullptr);
    Bench::print(
        {QStringLiteral("Print List to first preview page (%1 pages)").arg(presenter.pages), name, first, 2000, 0, 0});
}

} // namespace

int main(int argc, char **argv)
{
    const Bench::PrivateHome home;
    QApplication app(argc, argv);
    if (!Bench::letterheadReady())
        return 1;
    Bench::printHeader();
    for (const Engine engine : Bench::engines()) {
        if (!Bench::useCachedDatabase(engine, QStringLiteral("inventory"), [] { BenchData::products(kProducts); })) {
            Bench::unavailable(engine);
            continue;
        }
        measureFill(engine);
        measureReport(engine);
    }
    return 0;
}
