#include "timeclock/cDIBSection.h"

#include <limits>

bool cDIBSection::Create(int width, int height)
{
    ClearUp();
    if (width <= 0 || height <= 0)
        return false;
    const qint64 bytes = qint64(BytesPerScanLineFor(width)) * height;
    if (width > (1 << 15) || height > (1 << 15) || bytes > std::numeric_limits<int>::max())
        return false;
    m_bits.assign(size_t(bytes), 0);
    m_width = width;
    m_height = height;
    return true;
}

bool cDIBSection::CreateFromPicture(const QImage &picture)
{
    if (picture.isNull() || !Create(picture.width(), picture.height()))
        return false;
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    const int stride = BytesPerScanLine();
    for (int y = 0; y < m_height; ++y) {
        const uchar *src = rgb.constScanLine(y);
        // Bottom-up: picture row y lands in memory row (height - 1 - y).
        unsigned char *dst = m_bits.data() + size_t(m_height - 1 - y) * size_t(stride);
        for (int x = 0; x < m_width; ++x) {
            dst[3 * x + 0] = src[3 * x + 2];
            dst[3 * x + 1] = src[3 * x + 1];
            dst[3 * x + 2] = src[3 * x + 0];
        }
    }
    return true;
}

void cDIBSection::ClearUp()
{
    m_bits.clear();
    m_bits.shrink_to_fit();
    m_width = 0;
    m_height = 0;
}

QImage cDIBSection::ToImage() const
{
    if (isEmpty())
        return QImage();
    QImage image(m_width, m_height, QImage::Format_RGB888);
    const int stride = BytesPerScanLine();
    for (int y = 0; y < m_height; ++y) {
        const unsigned char *src = m_bits.data() + size_t(m_height - 1 - y) * size_t(stride);
        uchar *dst = image.scanLine(y);
        for (int x = 0; x < m_width; ++x) {
            dst[3 * x + 0] = src[3 * x + 2];
            dst[3 * x + 1] = src[3 * x + 1];
            dst[3 * x + 2] = src[3 * x + 0];
        }
    }
    return image;
}
