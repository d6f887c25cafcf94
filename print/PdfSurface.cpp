#include "print/PdfSurface.h"

#include "data/FileReplace.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QPdfWriter>
#include <QTemporaryFile>
#include <cstdio>

PdfSurface::PdfSurface(const QString &path, int dotsPerInch)
    : m_path(path)
    , m_dpi(dotsPerInch)
{
}

PdfSurface::~PdfSurface()
{
    if (isActive())
        abort();
}

bool PdfSurface::begin(const QPageLayout &layout, const QString &title)
{
    const QFileInfo target(m_path);
    QString refused;
    if (!FileReplace::CanReplace(m_path, &refused)) {
        setError(QCoreApplication::translate("PdfSurface", "Cannot write %1").arg(refused));
        return false;
    }
    QTemporaryFile reserve(target.absolutePath() + QStringLiteral("/.") + target.fileName()
                           + QStringLiteral(".XXXXXX.part"));
    reserve.setAutoRemove(false);
    if (!reserve.open()) {
        setError(QCoreApplication::translate("PdfSurface", "Cannot write in %1: %2")
                     .arg(target.absolutePath(), reserve.errorString()));
        return false;
    }
    m_temporary = reserve.fileName();
    reserve.close();
    m_writer = std::make_unique<QPdfWriter>(m_temporary);
    setDevice(m_writer.get());
    if (!PagedDeviceSurface::begin(layout, title)) {
        removeTemporary();
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
        removeTemporary();
        return false;
    }
    m_writer.reset();
    QFile::setPermissions(m_temporary, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    QString reason;
    if (!FileReplace::Replace(m_temporary, m_path, &reason)) {
        setError(QCoreApplication::translate("PdfSurface", "Cannot write %1").arg(reason));
        m_temporary.clear();
        return false;
    }
    m_temporary.clear();
    return true;
}

void PdfSurface::abort()
{
    PagedDeviceSurface::abort();
    m_writer.reset();
    removeTemporary();
}

void PdfSurface::removeTemporary()
{
    if (!m_temporary.isEmpty())
        QFile::remove(m_temporary);
    m_temporary.clear();
}
