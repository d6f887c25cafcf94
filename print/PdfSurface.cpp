#include "print/PdfSurface.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QPdfWriter>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>

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
    if (std::rename(QFile::encodeName(m_temporary).constData(), QFile::encodeName(m_path).constData()) != 0) {
        setError(QCoreApplication::translate("PdfSurface", "Cannot write %1: %2")
                     .arg(m_path, QString::fromLocal8Bit(std::strerror(errno))));
        removeTemporary();
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
