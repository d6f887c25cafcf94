// The capture window's bitmap and the JPEG files of employee pictures.
#include "tests/support/TestEnvironment.h"
#include "timeclock/CaptureFrame.h"
#include "timeclock/EmployeePictures.h"
#include "timeclock/JpegFile.h"
#include "timeclock/cDIBSection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <gtest/gtest.h>

namespace {

QImage frame()
{
    // Red on the top half, blue below: an upside-down save would swap them.
    QImage image(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            image.setPixel(x, y, y < 24 ? qRgb(220, 20, 20) : qRgb(20, 20, 220));
    return image;
}

TEST(cDIBSection, RowsAreBottomUpBgrAndPaddedToFourBytes)
{
    cDIBSection dib;
    EXPECT_EQ(cDIBSection::BytesPerScanLineFor(1), 4);
    EXPECT_EQ(cDIBSection::BytesPerScanLineFor(5), 16);
    ASSERT_TRUE(dib.CreateFromPicture(frame()));
    EXPECT_EQ(dib.Width(), 64);
    EXPECT_EQ(dib.Height(), 48);
    const unsigned char *bits = dib.DIBSectionBitsPtr();
    ASSERT_NE(bits, nullptr);
    // The first row in memory is the bottom (blue) row: blue, green, red.
    EXPECT_EQ(bits[0], 220);
    EXPECT_EQ(bits[2], 20);
    const unsigned char *top = bits + size_t(47) * size_t(dib.BytesPerScanLine());
    EXPECT_EQ(top[0], 20);
    EXPECT_EQ(top[2], 220);
    EXPECT_EQ(dib.ToImage().pixel(3, 3), qRgb(220, 20, 20));
    dib.ClearUp();
    EXPECT_EQ(dib.DIBSectionBitsPtr(), nullptr);
    EXPECT_EQ(dib.Width(), 0);
    EXPECT_FALSE(dib.Create(0, 10));
    EXPECT_FALSE(dib.CreateFromPicture(QImage()));
}

class JpegFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder = TestEnvironment::root() + QStringLiteral("/pictures");
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
    }
    QString folder;
};

TEST_F(JpegFileTest, TheFrameIsWrittenUprightWithItsColours)
{
    cDIBSection dib;
    ASSERT_TRUE(dib.CreateFromPicture(frame()));
    const QString file = folder + QStringLiteral("/employee3.jpg");
    QString error;
    ASSERT_TRUE(JpegFile::SaveJPG(dib, file, 90, &error)) << error.toStdString();
    QImageReader reader(file);
    EXPECT_EQ(reader.format(), QByteArray("jpeg"));
    const QImage back = reader.read();
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(back.size(), QSize(64, 48));
    const QColor top = back.pixelColor(32, 5), bottom = back.pixelColor(32, 42);
    EXPECT_GT(top.red(), 180);
    EXPECT_LT(top.blue(), 60);
    EXPECT_GT(bottom.blue(), 180);
    EXPECT_LT(bottom.red(), 60);
}

TEST_F(JpegFileTest, SavingOverAPictureKeepsItsTimesAndPermissions)
{
    const QString file = folder + QStringLiteral("/employee4.jpg");
    cDIBSection dib;
    ASSERT_TRUE(dib.CreateFromPicture(frame()));
    ASSERT_TRUE(JpegFile::SaveJPG(dib, file, 90));
    const QDateTime old(QDate(2020, 5, 4), QTime(3, 2, 1));
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(old, QFileDevice::FileModificationTime));
    }
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    QImage other = frame().mirrored();
    ASSERT_TRUE(dib.CreateFromPicture(other));
    ASSERT_TRUE(JpegFile::SaveJPG(dib, file, 90));
    const QFileInfo info(file);
    EXPECT_EQ(info.lastModified(), old);
    EXPECT_EQ(info.permissions() & (QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    EXPECT_GT(QImage(file).pixelColor(32, 5).blue(), 180) << "the new picture is the one stored";
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 1) << "no temporary file left";
}

TEST_F(JpegFileTest, AnEmptyFrameOrAFailedWriteLeavesTheOldPicture)
{
    const QString file = folder + QStringLiteral("/employee5.jpg");
    cDIBSection dib;
    ASSERT_TRUE(dib.CreateFromPicture(frame()));
    ASSERT_TRUE(JpegFile::SaveJPG(dib, file, 90));
    const qint64 size = QFileInfo(file).size();
    cDIBSection empty;
    QString error;
    EXPECT_FALSE(JpegFile::SaveJPG(empty, file, 90, &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Failed to save to JPG")));
    EXPECT_EQ(QFileInfo(file).size(), size);
    EXPECT_FALSE(JpegFile::SaveJPG(dib, QStringLiteral("/dev/full/employee.jpg"), 90, &error));
}

TEST(CaptureFrame, EveryFrameBecomes320By240WithoutStretching)
{
    QImage wide(1280, 720, QImage::Format_RGB32);
    wide.fill(qRgb(0, 0, 255));
    // A red band at each side: a 4:3 cut of a 16:9 frame drops it.
    for (int y = 0; y < 720; ++y)
        for (int x = 0; x < 150; ++x) {
            wide.setPixel(x, y, qRgb(255, 0, 0));
            wide.setPixel(1279 - x, y, qRgb(255, 0, 0));
        }
    const QImage fitted = CaptureFrame::Fit(wide);
    EXPECT_EQ(fitted.size(), QSize(320, 240));
    EXPECT_EQ(QColor(fitted.pixel(2, 120)).blue(), 255);
    EXPECT_EQ(QColor(fitted.pixel(317, 120)).red(), 0);
    QImage vga(640, 480, QImage::Format_RGB32);
    vga.fill(qRgb(0, 200, 0));
    EXPECT_EQ(CaptureFrame::Fit(vga).size(), QSize(320, 240));
    EXPECT_TRUE(CaptureFrame::Fit(QImage()).isNull());
}

TEST(CaptureFrame, AsksFor320By240WhereOfferedElseTheNearestLarger)
{
    EXPECT_EQ(CaptureFrame::Preferred({{640, 480}, {320, 240}, {1280, 720}}), QSize(320, 240));
    EXPECT_EQ(CaptureFrame::Preferred({{1280, 720}, {640, 480}, {160, 120}}), QSize(640, 480));
    EXPECT_EQ(CaptureFrame::Preferred({{176, 144}, {160, 120}}), QSize(176, 144));
    EXPECT_FALSE(CaptureFrame::Preferred({}).isValid());
}

TEST_F(JpegFileTest, APictureIsReadAfreshEvenWhenItsTimesWereKept)
{
    const QString file = folder + QStringLiteral("/employee6.jpg");
    cDIBSection dib;
    ASSERT_TRUE(dib.CreateFromPicture(frame()));
    ASSERT_TRUE(JpegFile::SaveJPG(dib, file, 90));
    const QImage first = EmployeePictures::Load(file, QSize(32, 32));
    EXPECT_EQ(first.size(), QSize(32, 24)) << "scaled down with its shape kept";
    EXPECT_GT(first.pixelColor(16, 2).red(), 180);
    ASSERT_TRUE(dib.CreateFromPicture(frame().mirrored()));
    ASSERT_TRUE(JpegFile::SaveJPG(dib, file, 90));
    EXPECT_GT(EmployeePictures::Load(file, QSize(32, 32)).pixelColor(16, 2).blue(), 180)
        << "the new picture, not a cached copy of the old one";
    EXPECT_TRUE(EmployeePictures::Load(folder + QStringLiteral("/none.jpg"), QSize(32, 32)).isNull());
}

} // namespace
