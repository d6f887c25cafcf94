// The employee window on real databases: only for administrators, edits
// stored to the employee they were made to, new employees, pictures taken
// with a camera the test holds.
#include "data/Database.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/support/SeedData.h"
#include "tests/support/TestDatabase.h"
#include "tests/timeclock/TimeClockTestSupport.h"
#include "timeclock/EmployeePictures.h"
#include "timeclock/EmployeeStore.h"
#include "timeclock/frmCapture.h"
#include "timeclock/frmEmployee.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class EmployeeWindowTest : public ::testing::TestWithParam<Engine>
{
protected:
    void SetUp() override
    {
        TESSALY_USE_FRESH_DATABASE(GetParam());
        bo = SeedData::employee(QStringLiteral("Bo"), QStringLiteral("Ng"), QStringLiteral("2222"));
        ann = SeedData::employee(QStringLiteral("Ann"), QStringLiteral("Lee"), QStringLiteral("1111"));
        QDir(EmployeePictures::Folder()).removeRecursively();
    }
    std::unique_ptr<frmEmployee> open()
    {
        auto w = std::make_unique<frmEmployee>();
        w->setAdmin(true);
        w->show();
        return w;
    }
    template <typename T> static T *child(frmEmployee &w, const char *name)
    {
        return w.findChild<T *>(QLatin1String(name));
    }
    static QLineEdit *box(frmEmployee &w, const char *name) { return child<QLineEdit>(w, name); }
    static void pick(frmEmployee &w, int employeeId)
    {
        auto *list = child<QListWidget>(w, "List1");
        for (int i = 0; i < list->count(); ++i) {
            if (list->item(i)->data(Qt::UserRole).toInt() == employeeId)
                list->setCurrentRow(i);
        }
    }

    RecordingPrompts prompts;
    int ann = 0, bo = 0;
};

TEST_P(EmployeeWindowTest, WithoutTheAdminFlagItRefusesAndShowsNothing)
{
    frmEmployee w;
    EXPECT_EQ(w.exec(), QDialog::Rejected);
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("You need admin privileges to run this form")});
    w.show();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(child<QListWidget>(w, "List1")->count(), 0);
}

TEST_P(EmployeeWindowTest, ListsByLastNameAndShowsTheEmployeeChosen)
{
    auto w = open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Employee Management"));
    auto *list = child<QListWidget>(*w, "List1");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("Ann Lee"));
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("Bo Ng"));
    EXPECT_FALSE(child<QPushButton>(*w, "cmdGetPic")->isEnabled()) << "no employee chosen yet";
    pick(*w, ann);
    EXPECT_EQ(w->selectedId(), ann);
    EXPECT_EQ(box(*w, "txtFirstName")->text(), QStringLiteral("Ann"));
    EXPECT_EQ(box(*w, "txtTitle")->text(), QString()) << "a NULL title is empty";
    EXPECT_EQ(box(*w, "txtPIN")->text(), QStringLiteral("1111"));
    EXPECT_TRUE(child<QCheckBox>(*w, "chkActive")->isChecked());
    EXPECT_TRUE(child<QPushButton>(*w, "cmdGetPic")->isEnabled());
    EXPECT_EQ(child<QLabel>(*w, "Image1")->text(), QStringLiteral("(no picture)"));
}

TEST_P(EmployeeWindowTest, EditsAreStoredToTheEmployeeBeingLeftAndOnClosing)
{
    auto w = open();
    pick(*w, ann);
    box(*w, "txtFirstName")->setText(QStringLiteral("Annie"));
    pick(*w, bo);
    EXPECT_EQ(EmployeeStore::Load(ann)->firstName, QStringLiteral("Annie"));
    EXPECT_EQ(EmployeeStore::Load(bo)->firstName, QStringLiteral("Bo"));
    EXPECT_EQ(box(*w, "txtFirstName")->text(), QStringLiteral("Bo"));
    EXPECT_EQ(child<QListWidget>(*w, "List1")->item(0)->text(), QStringLiteral("Annie Lee"));

    box(*w, "txtTitle")->setText(QStringLiteral("Shop's installer"));
    child<QCheckBox>(*w, "chkActive")->click(); // stores at once
    EXPECT_FALSE(EmployeeStore::Load(bo)->active);
    EXPECT_EQ(EmployeeStore::Load(bo)->title, QStringLiteral("Shop's installer"));
    box(*w, "txtPIN")->setText(QStringLiteral("4321"));
    w->close();
    EXPECT_EQ(EmployeeStore::Load(bo)->pin, QStringLiteral("4321"));
    EXPECT_EQ(EmployeeStore::Load(ann)->pin, QStringLiteral("1111"));
}

TEST_P(EmployeeWindowTest, APinIsAtMostFiveDigitsAsTheKeypadTakesThem)
{
    auto w = open();
    pick(*w, ann);
    QLineEdit *pin = box(*w, "txtPIN");
    pin->clear();
    pin->setFocus();
    for (const QChar c : QStringLiteral("12a34567"))
        pin->insert(QString(c));
    EXPECT_EQ(pin->text(), QStringLiteral("12345"));
}

TEST_P(EmployeeWindowTest, AnEmptyPinIsRefusedAndTheOldOneKept)
{
    auto w = open();
    QApplication::setActiveWindow(w.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    pick(*w, ann);
    QLineEdit *first = box(*w, "txtFirstName");
    first->setFocus();
    QTest::keyClick(first, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(first, QStringLiteral("Annie"));
    QTest::keyClick(first, Qt::Key_Tab); // on to the last name
    QLineEdit *pin = box(*w, "txtPIN");
    pin->setFocus();
    QTest::keyClick(pin, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(pin, Qt::Key_Delete);
    QTest::keyClick(pin, Qt::Key_Tab);
    EXPECT_EQ(prompts.lastMessage(), QStringLiteral("An employee needs a PIN to clock in; the PIN was not changed."));
    EXPECT_EQ(pin->text(), QStringLiteral("1111"));
    EXPECT_EQ(EmployeeStore::Load(ann)->pin, QStringLiteral("1111"));
    EXPECT_EQ(EmployeeStore::Load(ann)->firstName, QStringLiteral("Annie")) << "the other edits are stored";
    const int shown = int(prompts.messages.size());
    w->close();
    EXPECT_EQ(prompts.messages.size(), shown) << "said once";
    EXPECT_EQ(EmployeeStore::Load(ann)->pin, QStringLiteral("1111"));
}

QVariant storedRate(int employeeId)
{
    return SeedData::value(QStringLiteral("select paynormal from employee where id = ?"), {employeeId});
}

// Selects a box's text and types over it, then leaves it with Tab.
void retype(QLineEdit *box, const QString &text)
{
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Delete);
    else
        QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Tab);
}

TEST_P(EmployeeWindowTest, ThePayRateIsTypedAsMoneyAndStoredForTheNewEmployee)
{
    prompts.answer(true);
    {
        auto w = open();
        child<QPushButton>(*w, "cmdAddNew")->click();
    }
    const int added = SeedData::value(QStringLiteral("select max(id) from employee")).toInt();
    EXPECT_TRUE(storedRate(added).isNull());

    auto w = open();
    QApplication::setActiveWindow(w.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    pick(*w, added);
    QLineEdit *rate = box(*w, "txtPayNormal");
    ASSERT_NE(rate, nullptr);
    EXPECT_EQ(rate->text(), QString()) << "no rate stored yet";
    prompts.clear();
    retype(rate, QStringLiteral("12.5"));
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(rate->text(), QStringLiteral("12.50"));
    EXPECT_DOUBLE_EQ(storedRate(added).toDouble(), 12.5);

    // What money boxes refuse, this one refuses too, keeping the stored rate.
    for (const QString &typed : {QStringLiteral("abc"), QStringLiteral("12.345"), QStringLiteral("$5"), QString()}) {
        prompts.clear();
        retype(rate, typed);
        EXPECT_EQ(prompts.messages.size(), 1) << typed.toStdString();
        EXPECT_EQ(rate->text(), QStringLiteral("12.50")) << typed.toStdString();
        EXPECT_DOUBLE_EQ(storedRate(added).toDouble(), 12.5) << typed.toStdString();
    }
    prompts.clear();
    retype(rate, QStringLiteral("1,250"));
    w->close();
    EXPECT_DOUBLE_EQ(storedRate(added).toDouble(), 1250);
}

TEST_P(EmployeeWindowTest, BlankNamesAreRefusedAndTheStoredOnesKept)
{
    auto w = open();
    QApplication::setActiveWindow(w.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    pick(*w, ann);
    retype(box(*w, "txtFirstName"), QStringLiteral("   "));
    EXPECT_EQ(prompts.lastMessage(),
              QStringLiteral("An employee needs a first and a last name; the name was not changed."));
    EXPECT_EQ(box(*w, "txtFirstName")->text(), QStringLiteral("Ann"));
    EXPECT_EQ(EmployeeStore::Load(ann)->firstName, QStringLiteral("Ann"));

    prompts.clear();
    retype(box(*w, "txtTitle"), QStringLiteral("Installer"));
    retype(box(*w, "txtLastName"), QString());
    EXPECT_EQ(prompts.messages,
              QStringList{QStringLiteral("An employee needs a first and a last name; the name was not changed.")});
    EXPECT_EQ(box(*w, "txtLastName")->text(), QStringLiteral("Lee"));
    EXPECT_EQ(EmployeeStore::Load(ann)->lastName, QStringLiteral("Lee"));
    EXPECT_EQ(EmployeeStore::Load(ann)->title, QStringLiteral("Installer")) << "the other edits are stored";
    w->close();
    EXPECT_EQ(prompts.messages.size(), 1) << "said once";
}

TEST_P(EmployeeWindowTest, ANewEmployeeGetsThePlaceholdersAndTheWindowCloses)
{
    auto w = open();
    prompts.answer(false);
    child<QPushButton>(*w, "cmdAddNew")->click();
    EXPECT_EQ(prompts.questions, QStringList{QStringLiteral("Create New Employee Record?")});
    EXPECT_EQ(SeedData::count(QStringLiteral("employee")), 2);
    EXPECT_TRUE(w->isVisible());

    prompts.answer(true);
    child<QPushButton>(*w, "cmdAddNew")->click();
    EXPECT_EQ(SeedData::count(QStringLiteral("employee")), 3);
    const int id = SeedData::value(QStringLiteral("select max(id) from employee")).toInt();
    const auto added = EmployeeStore::Load(id);
    EXPECT_EQ(added->firstName, QStringLiteral("first name"));
    EXPECT_EQ(added->lastName, QStringLiteral("last name"));
    EXPECT_EQ(added->pin, QStringLiteral("9527"));
    EXPECT_TRUE(added->active);
    EXPECT_TRUE(added->title.isEmpty());
    EXPECT_EQ(prompts.lastMessage(),
              QStringLiteral("New Employee record created. Exiting Time Admin.  Please open "
                             "Time Admin again to edit new employee"));
    EXPECT_FALSE(w->isVisible());
}

TEST_P(EmployeeWindowTest, CapturePictureStoresTheFrameAsTheEmployeesPicture)
{
    SetFrameSourceFactory([] {
        auto camera = std::make_unique<ScriptedFrames>();
        camera->deliver(TwoColourFrame(qRgb(220, 20, 20), qRgb(20, 20, 220)));
        return camera;
    });
    // The capture window is modal: once it shows, take the picture and accept.
    int captured = 0;
    QTimer driver;
    driver.setInterval(20);
    QObject::connect(&driver, &QTimer::timeout, [&] {
        auto *capture = qobject_cast<frmCapture *>(QApplication::activeModalWidget());
        if (!capture)
            return;
        ++captured;
        EXPECT_TRUE(capture->FileName().endsWith(QStringLiteral("/employee%1.jpg").arg(ann)))
            << capture->FileName().toStdString();
        capture->GrabFrame();
        capture->findChild<QPushButton *>(QStringLiteral("cmdCapture"))->click();
        capture->findChild<QPushButton *>(QStringLiteral("cmdAccept"))->click();
    });
    auto w = open();
    pick(*w, ann);
    driver.start();
    child<QPushButton>(*w, "cmdGetPic")->click();
    driver.stop();
    SetFrameSourceFactory({});
    EXPECT_EQ(captured, 1);
    const QString file = EmployeePictures::Folder() + QStringLiteral("/employee%1.jpg").arg(ann);
    ASSERT_TRUE(QFileInfo::exists(file));
    EXPECT_GT(QImage(file).pixelColor(160, 20).red(), 180);
    const QPixmap shown = child<QLabel>(*w, "Image1")->pixmap();
    ASSERT_FALSE(shown.isNull()) << "the new picture is shown";
    EXPECT_GT(shown.toImage().pixelColor(160, 220).blue(), 180);
}

INSTANTIATE_TEST_SUITE_P(Engines, EmployeeWindowTest, ::testing::ValuesIn(TestDatabase::Engines()),
                         [](const auto &info) { return TestDatabase::EngineName(info.param); });

} // namespace
