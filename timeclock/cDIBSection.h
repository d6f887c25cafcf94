#pragma once

#include <QImage>
#include <vector>

// One picture as an uncompressed 24-bit bitmap whose pixel memory can be
// addressed directly: rows stored bottom-up (the first row in memory is the
// bottom row of the picture), three bytes a pixel in blue, green, red order,
// every row padded to a multiple of four bytes. The picture capture window
// keeps its frozen frame in one and hands it to the JPEG writer.
class cDIBSection
{
public:
    // An empty bitmap of that size (all black); false (and empty) for a size
    // of zero or less, or one too large to hold.
    bool Create(int width, int height);
    // This bitmap becomes a copy of the picture; false when it is null.
    bool CreateFromPicture(const QImage &picture);
    // Releases the pixels: size and bits become 0 / null.
    void ClearUp();

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // (3 × Width + 3) with the two lowest bits cleared.
    int BytesPerScanLine() const { return BytesPerScanLineFor(m_width); }
    static int BytesPerScanLineFor(int width) { return (3 * width + 3) & ~3; }

    unsigned char *DIBSectionBitsPtr() { return m_bits.empty() ? nullptr : m_bits.data(); }
    const unsigned char *DIBSectionBitsPtr() const { return m_bits.empty() ? nullptr : m_bits.data(); }
    bool isEmpty() const { return m_bits.empty(); }

    // The picture again, upright (row 0 at the top).
    QImage ToImage() const;

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<unsigned char> m_bits;
};
