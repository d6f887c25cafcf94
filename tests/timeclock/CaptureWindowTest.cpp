// The picture capture window, fed by a camera the test holds: the frozen
// frame is the one stored, upright and in its colours; without a camera
// nothing is stored.
#include "tests/support/RecordingPrompts.h"
#include "tests/support/TestEnvironment.h"
#include "tests/timeclock/TimeClockTestSupport.h"
#include "timeclock/CameraFrameSource.h"
#include "timeclock/frmCapture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

const QRgb kRed = qRgb(220, 20, 20);
const QRgb kBlue = qRgb(20, 20, 220);
const QRgb kGreen = qRgb(20, 200, 20);

class CaptureWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder = TestEnvironment::root() + QStringLiteral("/capture");
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        file = folder + QStringLiteral("/employee3.jpg");
    }
    // A window on a scripted camera, shown (live).
    std::unique_ptr<frmCapture> open(bool cameraPresent = true)
    {
        auto source = std::make_unique<ScriptedFrames>(cameraPresent);
        camera = source.get();
        auto w = std::make_unique<frmCapture>(nullptr, std::move(source));
        w->setFileName(file);
        w->show();
        return w;
    }
    QPushButton *button(frmCapture &w, const char *name) { return w.findChild<QPushButton *>(QLatin1String(name)); }

    RecordingPrompts prompts;
    ScriptedFrames *camera = nullptr;
    QString folder, file;
};

TEST_F(CaptureWindowTest, AcceptAfterCaptureStoresTheFrozenFrameUpright)
{
    auto w = open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Picture Capture"));
    EXPECT_TRUE(w->live());
    EXPECT_TRUE(camera->running());
    camera->deliver(TwoColourFrame(kRed, kBlue));
    w->GrabFrame();
    EXPECT_EQ(w->shownFrame().size(), QSize(320, 240)) << "640 x 480 is shown at 320 x 240";
    button(*w, "cmdCapture")->click();
    EXPECT_EQ(button(*w, "cmdCapture")->text(), QStringLiteral("Release"));
    EXPECT_FALSE(w->live());
    EXPECT_FALSE(camera->running());
    camera->deliver(TwoColourFrame(kGreen, kGreen));
    w->GrabFrame(); // a tick that came late changes nothing once frozen
    button(*w, "cmdAccept")->click();
    EXPECT_TRUE(w->saved());
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.lastMessage().toStdString();
    QImageReader reader(file);
    EXPECT_EQ(reader.format(), QByteArray("jpeg"));
    const QImage stored = reader.read();
    ASSERT_EQ(stored.size(), QSize(320, 240));
    EXPECT_GT(stored.pixelColor(160, 20).red(), 180);
    EXPECT_LT(stored.pixelColor(160, 20).green(), 80);
    EXPECT_GT(stored.pixelColor(160, 220).blue(), 180);
    EXPECT_LT(stored.pixelColor(160, 220).red(), 80);
}

TEST_F(CaptureWindowTest, CaptureTwiceReturnsToTheLiveView)
{
    auto w = open();
    camera->deliver(TwoColourFrame(kRed, kBlue));
    w->GrabFrame();
    button(*w, "cmdCapture")->click();
    button(*w, "cmdCapture")->click();
    EXPECT_EQ(button(*w, "cmdCapture")->text(), QStringLiteral("Capture"));
    EXPECT_TRUE(w->live());
    camera->deliver(TwoColourFrame(kGreen, kGreen));
    w->GrabFrame();
    EXPECT_GT(w->shownFrame().pixelColor(160, 20).green(), 180);
    button(*w, "cmdDiscard")->click();
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(w->saved());
    EXPECT_FALSE(camera->running()) << "closing lets the camera go";
    EXPECT_FALSE(QFileInfo::exists(file));
}

TEST_F(CaptureWindowTest, NothingIsStoredWithoutAFileNameOrAFrame)
{
    auto w = open();
    button(*w, "cmdAccept")->click();
    EXPECT_EQ(prompts.lastMessage(), QStringLiteral("There is no picture to save yet: nothing was saved."));
    EXPECT_FALSE(QFileInfo::exists(file));

    prompts.clear();
    w = open();
    w->setFileName(QStringLiteral("  "));
    camera->deliver(TwoColourFrame(kRed, kBlue));
    w->GrabFrame();
    button(*w, "cmdAccept")->click();
    EXPECT_EQ(prompts.lastMessage(), QStringLiteral("Filename is blank"));
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(QDir(folder).entryList(QDir::Files).isEmpty());
}

TEST_F(CaptureWindowTest, WithoutACameraTheWindowSaysSoAndStoresNothing)
{
    auto w = open(false);
    const QLabel *picture = w->findChild<QLabel *>(QStringLiteral("Picture1"));
    ASSERT_NE(picture, nullptr);
    EXPECT_TRUE(picture->text().contains(QStringLiteral("No camera was found"))) << picture->text().toStdString();
    EXPECT_FALSE(button(*w, "cmdAccept")->isEnabled());
    EXPECT_FALSE(button(*w, "cmdCapture")->isEnabled());
    button(*w, "cmdAccept")->click();
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(QFileInfo::exists(file));
    button(*w, "cmdDiscard")->click();
    EXPECT_FALSE(w->isVisible());

    // The computer's own cameras, where there are none.
    if (CameraFrameSource().available())
        GTEST_SKIP() << "this computer has a camera";
    frmCapture real;
    real.setFileName(file);
    real.show();
    EXPECT_TRUE(real.findChild<QLabel *>(QStringLiteral("Picture1"))->text().contains(QStringLiteral("No camera")));
    EXPECT_FALSE(real.findChild<QPushButton *>(QStringLiteral("cmdAccept"))->isEnabled());
}

TEST_F(CaptureWindowTest, ARetakenPictureKeepsItsFileNameTimesAndPermissions)
{
    // The picture found without regard to case is the one replaced.
    file = folder + QStringLiteral("/Employee3.JPG");
    auto w = open();
    camera->deliver(TwoColourFrame(kRed, kBlue));
    w->GrabFrame();
    button(*w, "cmdAccept")->click();
    ASSERT_TRUE(QFileInfo::exists(file));
    const QDateTime old(QDate(2021, 3, 4), QTime(5, 6, 7));
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(old, QFileDevice::FileModificationTime));
    }
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    w = open();
    camera->deliver(TwoColourFrame(kBlue, kRed));
    w->GrabFrame();
    button(*w, "cmdAccept")->click();
    const QFileInfo info(file);
    EXPECT_EQ(info.lastModified(), old);
    EXPECT_EQ(info.permissions() & (QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther),
              QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_GT(QImage(file).pixelColor(160, 20).blue(), 180) << "the new picture is stored";
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("Employee3.JPG")});
}

TEST_F(CaptureWindowTest, AFailedWriteIsToldAndTheSourceAndSizeReachTheCamera)
{
    file = QStringLiteral("/proc/no-such-folder/employee3.jpg");
    auto w = open();
    w->chooseSource(1);
    w->chooseSize(QSize(320, 240));
    EXPECT_EQ(camera->currentSource(), 1);
    EXPECT_EQ(camera->frameSize(), QSize(320, 240));
    camera->deliver(TwoColourFrame(kRed, kBlue));
    w->GrabFrame();
    button(*w, "cmdAccept")->click();
    EXPECT_FALSE(w->saved());
    EXPECT_TRUE(prompts.lastMessage().startsWith(QStringLiteral("Failed to save to JPG")))
        << prompts.lastMessage().toStdString();
}

} // namespace
