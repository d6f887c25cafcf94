#include "reports/Printbill.h"

#include "data/ReceiptNotice.h"
#include "print/clsMultiPgPreview.h"
#include "reports/ReportPager.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

void PrintReceiptNotice(clsMultiPgPreview &rec, ReportPager *pager)
{
    // A shop that has written no notice prints none.
    const QString path = ReceiptNotice::filePath();
    if (!QFileInfo::exists(path))
        return;
    QString error;
    const QStringList lines = ReceiptNotice::lines(&error);
    if (!error.isEmpty())
        throw ReportFailure(QCoreApplication::translate("Printbill", "The receipt notice %1 could not be read: %2")
                                .arg(QDir::toNativeSeparators(path), error));
    const double right = rec.GetPaperWidth() - 0.5;
    for (const QString &line : lines) {
        if (pager)
            pager->printWrapped(line, 0.5, right);
        else
            rec.pPrint(line, 0.5, false);
    }
}
