#include "print/PdfSurface.h"

#include "data/FileReplace.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPdfWriter>
#include <QSaveFile>

PdfSurface::PdfSurface(const QString &path, int dotsPerInch) : m_path(path), m_dpi(dotsPerInch)
{ }

PdfSurface::~PdfSurface()
{
    if (isActive())
        abort();
}

bool PdfSurface::begin(const QPageLayout &layout, const QString &title)
{
    QString refused;
    if (!FileReplace::CanReplaceWithDocument(m_path, &refused, QStringLiteral("the PDF"))) {
        setError(refused);
        return false;
    }
    m_file = std::make_unique<QSaveFile>(QFileInfo(m_path).absoluteFilePath());
    if (!m_file->open(QIODevice::WriteOnly)) {
        setError(QCoreApplication::translate("PdfSurface", "Cannot write %1: %2")
                     .arg(QDir::toNativeSeparators(m_path), m_file->errorString()));
        m_file.reset();
        return false;
    }
    m_writer = std::make_unique<QPdfWriter>(m_file.get());
    setDevice(m_writer.get());
    if (!PagedDeviceSurface::begin(layout, title)) {
        discard();
        return false;
    }
    return true;
}

void PdfSurface::prepareDevice(const QString &title)
{
    m_writer->setResolution(m_dpi);
    m_writer->setTitle(title);
    m_writer->setCreator(QStringLiteral("Tessaly"));
}

bool PdfSurface::end()
{
    if (!PagedDeviceSurface::end()) {
        discard();
        return false;
    }
    m_writer.reset();
    // The save file remembers a write that failed (a full disk) and then
    // refuses to commit, leaving the old file in place.
    const bool written = m_file->commit();
    if (!written)
        setError(QCoreApplication::translate("PdfSurface", "Cannot write %1: %2")
                     .arg(QDir::toNativeSeparators(m_path), m_file->errorString()));
    m_file.reset();
    return written;
}

void PdfSurface::abort()
{
    PagedDeviceSurface::abort();
    discard();
}

void PdfSurface::discard()
{
    m_writer.reset();
    if (m_file)
        m_file->cancelWriting();
    m_file.reset();
}
