// The settings window, the database administration window and the update
// download as the administrator meets them.
#include "data/AppPaths.h"
#include "data/Backup.h"
#include "data/Clock.h"
#include "data/DateText.h"
#include "data/ReceiptNotice.h"
#include "data/Settings.h"
#include "gate/MasterCode.h"
#include "maintenance/AutomaticBackup.h"
#include "maintenance/FileChooser.h"
#include "maintenance/UpdateDownloadWindow.h"
#include "maintenance/frmDatabase.h"
#include "maintenance/frmSettings.h"
#include "reports/Printbill.h"
#include "reports/ShopLetterhead.h"
#include "tests/support/OtherCounter.h"
#include "tests/support/PdfReader.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/support/ScriptedPins.h"
#include "tests/support/SeedData.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TestEnvironment.h"
#include "widgets/MessageBoxPrompts.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <ctime>
#include <gtest/gtest.h>

namespace {

using namespace SeedData;

QString noticeFile()
{
    return QDir(AppPaths::programFolder()).filePath(QStringLiteral("ReceiptNotice.txt"));
}

TEST(SettingsWindow, ShowsTheNoticeAndWritesItBackOnClosing)
{
    RecordingPrompts prompts;
    {
        QFile f(noticeFile());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("All sales final.\r\nWarranty: 90 days\r\nThank you!\r\n");
    }
    frmSettings window;
    window.show();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Settings"));
    EXPECT_EQ(window.noticeText().split(QLatin1Char('\n')).size(), 3);
    window.setNoticeText(window.noticeText() + QStringLiteral("\nCome again"));
    window.close();
    EXPECT_FALSE(window.isVisible());
    QFile f(noticeFile());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("All sales final.\r\nWarranty: 90 days\r\nThank you!\r\nCome again\r\n"));
    EXPECT_TRUE(prompts.messages.isEmpty());
    f.remove();
}

TEST(SettingsWindow, AFailedWriteAsksWhetherToCloseWithoutSavingAndKeepsTheOldNoticeWhole)
{
    RecordingPrompts prompts;
    QFile::remove(noticeFile());
    frmSettings window;
    window.show();
    // The notice can't be replaced while a folder stands under its name.
    ASSERT_TRUE(QDir().mkpath(noticeFile()));
    prompts.clear();
    window.setNoticeText(QStringLiteral("New text"));
    prompts.answer(false); // keep the window
    window.close();
    EXPECT_TRUE(window.isVisible());
    ASSERT_EQ(prompts.questions.size(), 1);
    EXPECT_TRUE(prompts.questions[0].contains(QStringLiteral("could not be saved")));
    EXPECT_TRUE(prompts.questions[0].contains(QStringLiteral("Close without saving?")));
    QDir(noticeFile()).removeRecursively();
    window.close();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(ReceiptNotice::lines(), QStringList{QStringLiteral("New text")});
    QFile::remove(noticeFile());

    // Still failing, the user may leave without saving.
    frmSettings again;
    again.show();
    ASSERT_TRUE(QDir().mkpath(noticeFile()));
    prompts.clear();
    again.setNoticeText(QStringLiteral("Other text"));
    prompts.answer(true);
    again.close();
    EXPECT_EQ(prompts.questions.size(), 1);
    EXPECT_FALSE(again.isVisible());
    QDir(noticeFile()).removeRecursively();
}

QByteArray noticeBytes()
{
    QFile f(noticeFile());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}

void writeNotice(const QByteArray &bytes)
{
    QFile f(noticeFile());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A notice from the shop's old machine is in Windows-1252: it reads as the
// letters it holds, is left alone when not changed, and is written in
// Windows-1252 again when it is.
TEST(SettingsWindow, AWindows1252NoticeIsReadAsSuchAndWrittenOnlyWhenChangedInItsOwnEncoding)
{
    RecordingPrompts prompts;
    const QByteArray old("Garant\xed"
                         "a 90 d\xed"
                         "as\r\nNo refunds \x96 exchanges only");
    writeNotice(old);
    {
        frmSettings window;
        window.show();
        EXPECT_EQ(window.noticeText(),
                  QStringLiteral("Garantía 90 días\r\nNo refunds \u2013 exchanges only")
                      .replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        window.close();
        EXPECT_FALSE(window.isVisible());
    }
    EXPECT_EQ(noticeBytes(), old) << "closed unchanged, the file is not rewritten";
    {
        frmSettings window;
        window.show();
        window.setNoticeText(window.noticeText() + QStringLiteral("\nSe\u00f1or"));
        window.close();
    }
    EXPECT_EQ(noticeBytes(),
              QByteArray("Garant\xed"
                         "a 90 d\xed"
                         "as\r\nNo refunds \x96 exchanges only\r\nSe\xf1or\r\n"));
    EXPECT_TRUE(prompts.messages.isEmpty());
    QFile::remove(noticeFile());
}

// A notice that could not be read is not replaced by an empty one.
TEST(SettingsWindow, ANoticeThatCouldNotBeReadIsNeverWrittenOver)
{
    RecordingPrompts prompts;
    ASSERT_TRUE(QDir().mkpath(noticeFile())); // there, but no file to read
    {
        frmSettings window;
        window.show();
        ASSERT_EQ(prompts.messages.size(), 1);
        EXPECT_TRUE(prompts.messages[0].contains(QStringLiteral("could not be read")));
        EXPECT_TRUE(window.findChild<QPlainTextEdit *>(QStringLiteral("txtNotice"))->isReadOnly());
        window.close();
        EXPECT_FALSE(window.isVisible());
    }
    EXPECT_TRUE(prompts.questions.isEmpty()) << "no write was tried";
    EXPECT_TRUE(QFileInfo(noticeFile()).isDir());
    QDir(noticeFile()).removeRecursively();
}

class ScriptedFiles final : public FileChooser
{
public:
    std::optional<QString> fileToSave(QWidget *, const QString &, const QString &) override { return file; }
    std::optional<QString> fileToOpen(QWidget *, const QString &, const QString &) override { return file; }
    std::optional<QString> file;
};

// The shop's letterhead typed and chosen in the settings window, as a new
// shop meets it: nothing set, no logo.
class LetterheadWindowTest : public ::testing::TestWithParam<Engine>
{
protected:
    void SetUp() override
    {
        TESSALY_USE_FRESH_DATABASE(GetParam());
        QFile::remove(ShopLetterhead::logoPath());
        ShopLetterhead::save(QString(), QString(), QString(), QString());
    }
    void TearDown() override
    {
        QFile::remove(ShopLetterhead::logoPath());
        ShopLetterhead::save(QString(), QString(), QString(), QString());
        QFile::remove(noticeFile());
    }

    // Opens the window and makes it the active one, so its keys reach it.
    void open(frmSettings &window)
    {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // Alt+letter to the box, then the text typed into it.
    static void typeInto(frmSettings &window, Qt::Key mnemonic, const QString &text)
    {
        QTest::keyClick(&window, mnemonic, Qt::AltModifier);
        QWidget *box = QApplication::focusWidget();
        ASSERT_NE(box, nullptr);
        QTest::keyClicks(box, text);
    }

    // Tab from the Telephone box to the logo's buttons (0: Choose Logo...,
    // 1: Remove Logo) and press it with Space. Alt+letter would press it only
    // after the button's animation timer.
    static void pressLogoButton(frmSettings &window, int which)
    {
        QTest::keyClick(&window, Qt::Key_T, Qt::AltModifier);
        for (int i = 0; i <= which; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    }

    // A picture file of the given size.
    QString picture(const QString &name, QSize size, const char *format)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::darkBlue);
        const QString path = dir.filePath(name);
        EXPECT_TRUE(image.save(path, format));
        return path;
    }

    RecordingPrompts prompts;
    ScriptedFiles files;
    QTemporaryDir dir;
};

TEST_P(LetterheadWindowTest, TheFourLinesTypedAreStoredOnClosingAndPrintedOnTheInvoice)
{
    const int id = ticket(customer(QStringLiteral("Alan"), QStringLiteral("Smith")));
    {
        frmSettings window;
        open(window);
        // Whole on an 800x600 screen.
        EXPECT_LE(window.frameGeometry().width(), 800);
        EXPECT_LE(window.frameGeometry().height(), 600);
        EXPECT_LE(window.minimumSizeHint().height(), 560);
        typeInto(window, Qt::Key_N, QStringLiteral("Ridge Car Audio"));
        typeInto(window, Qt::Key_S, QStringLiteral("12 Main Street"));
        typeInto(window, Qt::Key_C, QStringLiteral("Portland, OR 97201"));
        typeInto(window, Qt::Key_T, QStringLiteral("(503) 555-0100"));
        QTest::keyClick(&window, Qt::Key_Escape);
        EXPECT_FALSE(window.isVisible());
    }
    EXPECT_EQ(ShopLetterhead::name(), QStringLiteral("Ridge Car Audio"));
    EXPECT_EQ(ShopLetterhead::street(), QStringLiteral("12 Main Street"));
    EXPECT_EQ(ShopLetterhead::cityStateZip(), QStringLiteral("Portland, OR 97201"));
    EXPECT_EQ(ShopLetterhead::telephone(), QStringLiteral("(503) 555-0100"));

    const QString pdf = dir.filePath(QStringLiteral("invoice.pdf"));
    const ReportResult result = Printbill(id, ReportOutput::pdf(pdf));
    ASSERT_TRUE(result.done()) << result.error.toStdString();
    const QString text = PdfReader::text(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("12 Main Street"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Portland, OR 97201")));
    EXPECT_TRUE(text.contains(QStringLiteral("(503) 555-0100")));
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join(QLatin1Char('\n')).toStdString();

    // Opened again, the window shows what is stored.
    frmSettings again;
    open(again);
    EXPECT_EQ(again.findChild<QLineEdit *>(QStringLiteral("txtShopName"))->text(), QStringLiteral("Ridge Car Audio"));
    EXPECT_EQ(again.findChild<QLineEdit *>(QStringLiteral("txtTelephone"))->text(), QStringLiteral("(503) 555-0100"));
    again.close();
}

TEST_P(LetterheadWindowTest, AChosenPictureBecomesTheLogoAndRemoveLogoRemovesIt)
{
    files.file = picture(QStringLiteral("shop.png"), QSize(400, 100), "PNG");
    frmSettings window(nullptr, &files);
    open(window);
    EXPECT_EQ(window.findChild<QLabel *>(QStringLiteral("lblLogo"))->text(), QStringLiteral("No logo"));
    pressLogoButton(window, 0); // Choose Logo...
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join(QLatin1Char('\n')).toStdString();
    ASSERT_TRUE(QFileInfo(ShopLetterhead::logoPath()).isFile());
    EXPECT_EQ(QFileInfo(ShopLetterhead::logoPath()).fileName(), QStringLiteral("logo.jpg"));
    const QImage logo(ShopLetterhead::logoPath(), "JPG");
    EXPECT_EQ(logo.size(), QSize(400, 100));
    EXPECT_FALSE(window.findChild<QLabel *>(QStringLiteral("lblLogo"))->pixmap().isNull());

    // The invoice prints with it.
    const int id = ticket(customer(QStringLiteral("Alan"), QStringLiteral("Smith")));
    const ReportResult result = Printbill(id, ReportOutput::pdf(dir.filePath(QStringLiteral("logo.pdf"))));
    EXPECT_TRUE(result.done()) << result.error.toStdString();

    pressLogoButton(window, 1); // Remove Logo
    EXPECT_FALSE(QFileInfo::exists(ShopLetterhead::logoPath()));
    EXPECT_EQ(window.findChild<QLabel *>(QStringLiteral("lblLogo"))->text(), QStringLiteral("No logo"));
    EXPECT_TRUE(prompts.messages.isEmpty());
    window.close();
}

TEST_P(LetterheadWindowTest, APictureThatCannotBeReadIsRefusedWithAMessageAndTheOldLogoKept)
{
    files.file = picture(QStringLiteral("first.png"), QSize(300, 60), "PNG");
    frmSettings window(nullptr, &files);
    open(window);
    pressLogoButton(window, 0);
    ASSERT_TRUE(ShopLetterhead::hasLogo());
    QByteArray before;
    {
        QFile f(ShopLetterhead::logoPath());
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        before = f.readAll();
    }

    const QString broken = dir.filePath(QStringLiteral("broken.jpg"));
    {
        QFile f(broken);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a picture at all");
    }
    files.file = broken;
    pressLogoButton(window, 0);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].contains(QStringLiteral("broken.jpg"))) << prompts.messages[0].toStdString();
    EXPECT_TRUE(prompts.messages[0].contains(QStringLiteral("not a picture the program can read")))
        << prompts.messages[0].toStdString();
    QFile f(ShopLetterhead::logoPath());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before) << "the old logo is kept whole";
    EXPECT_FALSE(window.findChild<QLabel *>(QStringLiteral("lblLogo"))->pixmap().isNull());
    window.close();
}

TEST_P(LetterheadWindowTest, MasterCodeAsksTheGateThenTheNewCodeTwiceAndStoresIt)
{
    ScriptedPins pins;
    frmSettings window;
    open(window);
    auto *button = window.findChild<QPushButton *>(QStringLiteral("cmdMasterCode"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), QStringLiteral("&Master Code..."));
    pins.enter(QStringLiteral("1111"));
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("Invalid PIN")});
    EXPECT_TRUE(MasterCode::IsDefault());

    prompts.clear();
    pins.enter(MasterCode::kDefault);
    prompts.type(QStringLiteral("3141"));
    prompts.type(QStringLiteral("3141"));
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(pins.asked, 2);
    EXPECT_EQ(prompts.messages,
              QStringList{QStringLiteral("The master code was changed for every counter of this "
                                         "database. The old one opens nothing any more.")});
    EXPECT_FALSE(MasterCode::IsDefault());
    EXPECT_TRUE(MasterCode::Matches(QStringLiteral("3141")));
    EXPECT_FALSE(MasterCode::Matches(MasterCode::kDefault));
    window.close();
}

// In the program's own boxes, the new master code is never shown as typed:
// each input box shows dots for it, both times it is asked.
TEST_P(LetterheadWindowTest, TheNewMasterCodeIsTypedIntoBoxesThatHideIt)
{
    ScriptedPins pins;
    pins.enter(MasterCode::kDefault);
    frmSettings window;
    open(window);
    MessageBoxPrompts boxes;
    SetPrompts(&boxes);
    QStringList typed{QStringLiteral("3141"), QStringLiteral("3141")};
    QList<QLineEdit::EchoMode> echoes;
    QStringList said;
    QTimer answerer;
    answerer.setInterval(10);
    QObject::connect(&answerer, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *input = qobject_cast<QInputDialog *>(modal); input && input->isVisible()) {
            echoes << input->textEchoMode();
            input->setTextValue(typed.isEmpty() ? QString() : typed.takeFirst());
            input->accept();
        } else if (auto *box = qobject_cast<QMessageBox *>(modal); box && box->isVisible()) {
            said << box->text();
            box->accept();
        }
    });
    answerer.start();
    QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("cmdMasterCode")), Qt::LeftButton);
    answerer.stop();
    SetPrompts(&prompts);
    EXPECT_EQ(echoes, (QList<QLineEdit::EchoMode>{QLineEdit::Password, QLineEdit::Password}));
    EXPECT_EQ(said,
              QStringList{QStringLiteral("The master code was changed for every counter of this database. "
                                         "The old one opens nothing any more.")});
    EXPECT_TRUE(MasterCode::Matches(QStringLiteral("3141")));
    window.close();
}

INSTANTIATE_TEST_SUITE_P(Engines, LetterheadWindowTest, ::testing::ValuesIn(TestDatabase::Engines()),
                         [](const auto &info) { return TestDatabase::EngineName(info.param); });

class DatabaseWindowTest : public ::testing::TestWithParam<Engine>
{
protected:
    void SetUp() override { TESSALY_USE_FRESH_DATABASE(GetParam()); }
    RecordingPrompts prompts;
    ScriptedFiles files;
};

TEST_P(DatabaseWindowTest, RemoveBlankRecordsAsksWithTheCountFirstThenAnAdministrator)
{
    ticket(customer(QStringLiteral("Has"), QStringLiteral("Ticket")));
    customer(QStringLiteral("No"), QStringLiteral("Ticket"));
    customer(QStringLiteral("Cash Sale"), QString());
    const int ann = employee(QStringLiteral("Ann"), QStringLiteral("Admin"), QStringLiteral("4242"),
                             QStringLiteral("admin"));
    frmDatabase window(nullptr, &files);
    ScriptedPins pins;
    prompts.answer(false);
    window.RemoveBlankRecords();
    ASSERT_EQ(prompts.questions.size(), 1);
    EXPECT_TRUE(prompts.questions[0].contains(QStringLiteral("Remove 2 customer record(s)")));
    EXPECT_EQ(pins.asked, 0);
    EXPECT_EQ(count(QStringLiteral("customer")), 3);

    // Yes, then a wrong PIN or a keypad closed without "Accept": nothing
    // removed.
    prompts.answer(true);
    pins.enter(QStringLiteral("1111"));
    window.RemoveBlankRecords();
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("Invalid PIN")});
    prompts.answer(true);
    pins.enter(std::nullopt);
    window.RemoveBlankRecords();
    EXPECT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(count(QStringLiteral("customer")), 3);

    prompts.answer(true);
    pins.enter(QStringLiteral("4242"));
    window.RemoveBlankRecords();
    EXPECT_EQ(count(QStringLiteral("customer")), 1);
    EXPECT_EQ(value(QStringLiteral("select firstname from customer")).toString(), QStringLiteral("Has"));
    EXPECT_EQ(prompts.lastMessage(), QStringLiteral("2 customer record(s) removed."));
    EXPECT_EQ(value(QStringLiteral("select who from auditlog where action = 'database clean-up'")).toString(),
              QStringLiteral("Ann Admin (#%1)").arg(ann));
}

// The clerk at counter A is asked about 2 customers; while the question is
// on screen, counter B enters a walk-in customer and opens a ticket for one
// of the two. Yes removes the one left of those counted, and the window
// says what became of the other; the walk-in is kept and not counted again.
TEST_P(DatabaseWindowTest, RemoveBlankRecordsRemovesWhatItCountedAndSaysWhatWasKept)
{
    ticket(customer(QStringLiteral("Has"), QStringLiteral("Ticket")));
    const int noTicket = customer(QStringLiteral("No"), QStringLiteral("Ticket"));
    customer(QStringLiteral("Cash Sale"), QString());
    frmDatabase window(nullptr, &files);
    OtherCounter b;
    ASSERT_TRUE(b.isOpen());
    prompts.whileAsking([&] {
        EXPECT_EQ(b.exec(QStringLiteral("insert into customer (firstname, lastname, created) values ('Walk', 'In', ?)"),
                         {DateText::toDb(Clock::now())}),
                  1);
        EXPECT_EQ(b.exec(QStringLiteral("insert into sales (customerid, status) values (?, 'Open')"), {noTicket}), 1);
    });
    prompts.answer(true);
    ScriptedPins pins;
    pins.enter(MasterCode::kDefault);
    window.RemoveBlankRecords();
    ASSERT_EQ(prompts.questions.size(), 1);
    EXPECT_TRUE(prompts.questions[0].contains(QStringLiteral("Remove 2 customer record(s)")));
    EXPECT_EQ(prompts.lastMessage(),
              QStringLiteral("1 customer record(s) removed. 1 of those counted were kept: another "
                             "counter gave them a ticket or removed them meanwhile."));
    EXPECT_EQ(count(QStringLiteral("customer")), 3);
    EXPECT_EQ(value(QStringLiteral("select count(*) from customer where firstname = 'Walk'")).toInt(), 1);

    prompts.clear();
    window.RemoveBlankRecords();
    EXPECT_TRUE(prompts.questions.isEmpty());
    EXPECT_EQ(prompts.lastMessage(),
              QStringLiteral("Every customer has a ticket or was entered in the last 24 hours; nothing to remove."));
}

// The machine's time zone for the life of the object.
class LocalZone
{
public:
    explicit LocalZone(const char *zone) : m_old(qgetenv("TZ")), m_had(qEnvironmentVariableIsSet("TZ"))
    {
        qputenv("TZ", zone);
        tzset();
    }
    ~LocalZone()
    {
        if (m_had)
            qputenv("TZ", m_old);
        else
            qunsetenv("TZ");
        tzset();
    }

private:
    QByteArray m_old;
    bool m_had;
};

TEST_P(DatabaseWindowTest, BackupThenRestoreAfterAQuestionNamingTheFileAndItsTime)
{
    customer(QStringLiteral("Kept"), QStringLiteral("Customer"));
    files.file = TestEnvironment::root() + QStringLiteral("/window.tessaly-backup");
    frmDatabase window(nullptr, &files);
    // Away from UTC, where a time kept without its zone would read wrong.
    const LocalZone chicago("America/Chicago");
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    window.BackupDatabase();
    const QDateTime after = QDateTime::currentDateTime().addSecs(1);
    EXPECT_TRUE(prompts.lastMessage().startsWith(QStringLiteral("Backup written to")))
        << prompts.lastMessage().toStdString();
    customer(QStringLiteral("Later"), QStringLiteral("One"));

    QSignalSpy restored(&window, &frmDatabase::DatabaseRestored);
    ScriptedPins pins;
    // Without an administrator's PIN nothing is asked and nothing restored.
    pins.enter(QStringLiteral("0000"));
    const int questionsBefore = prompts.questions.size();
    window.RestoreDatabase();
    EXPECT_EQ(prompts.questions.size(), questionsBefore);
    EXPECT_EQ(prompts.lastMessage(), QStringLiteral("Invalid PIN"));
    EXPECT_EQ(count(QStringLiteral("customer")), 2);

    pins.enter(MasterCode::kDefault);
    prompts.answer(false);
    window.RestoreDatabase();
    EXPECT_EQ(count(QStringLiteral("customer")), 2);
    ASSERT_FALSE(prompts.questions.isEmpty());
    const QString question = prompts.questions.last();
    EXPECT_TRUE(question.contains(QStringLiteral("window.tessaly-backup"))) << question.toStdString();
    // The time the backup was taken, to the second, as dates are shown.
    bool named = false;
    for (QDateTime t = before; t <= after && !named; t = t.addSecs(1))
        named = question.contains(QStringLiteral("taken ") + DateText::generalDate(t.addMSecs(-t.time().msec())));
    EXPECT_TRUE(named) << question.toStdString();
    pins.enter(MasterCode::kDefault);
    prompts.answer(true);
    window.RestoreDatabase();
    EXPECT_EQ(count(QStringLiteral("customer")), 1);
    EXPECT_EQ(restored.count(), 1);
    QFile::remove(*files.file);
}

// The automatic backups are listed with the time each was taken, its size
// and its engine; the one chosen is restored through the same question, and
// the database as it was is kept aside first.
TEST_P(DatabaseWindowTest, AnAutomaticBackupChosenInTheListIsRestoredAfterTheQuestion)
{
    QDir(AutomaticBackup::Folder()).removeRecursively();
    customer(QStringLiteral("Kept"), QStringLiteral("Customer"));
    const QDateTime taken(QDate(2026, 12, 7), QTime(8, 0));
    Clock::setFixed(taken);
    const AutomaticBackup::Outcome made = AutomaticBackup::Make();
    ASSERT_TRUE(made.ok) << made.message.toStdString();
    Clock::setFixed(taken.addDays(1));
    customer(QStringLiteral("Later"), QStringLiteral("One"));

    frmDatabase window(nullptr, &files);
    auto *list = window.findChild<QTreeWidget *>(QStringLiteral("lstBackups"));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->topLevelItemCount(), 1);
    const QTreeWidgetItem *row = list->topLevelItem(0);
    // The time the backup says it was taken (a dump keeps the server's clock).
    EXPECT_EQ(row->text(0), DateText::generalDate(Backup::Inspect(made.file).taken));
    EXPECT_FALSE(row->text(1).isEmpty());
    EXPECT_EQ(row->text(2), GetParam() == Engine::SQLite ? QStringLiteral("SQLite") : QStringLiteral("PostgreSQL"));
    EXPECT_EQ(row->text(3), QStringLiteral("tessaly-2026-12-07.tessaly-backup"));

    list->setCurrentItem(list->topLevelItem(0));
    ScriptedPins pins;
    pins.enter(MasterCode::kDefault);
    prompts.answer(false);
    window.RestoreSelected();
    ASSERT_FALSE(prompts.questions.isEmpty());
    EXPECT_TRUE(prompts.questions.last().contains(QStringLiteral("tessaly-2026-12-07.tessaly-backup")))
        << prompts.questions.last().toStdString();
    EXPECT_TRUE(prompts.questions.last().contains(QStringLiteral("taken ") + row->text(0)));
    EXPECT_EQ(count(QStringLiteral("customer")), 2);

    pins.enter(MasterCode::kDefault);
    prompts.answer(true);
    window.RestoreSelected();
    EXPECT_EQ(count(QStringLiteral("customer")), 1);
    EXPECT_TRUE(prompts.lastMessage().contains(QStringLiteral("The database as it was is kept in")))
        << prompts.lastMessage().toStdString();
    Clock::setFixed(std::nullopt);
    QDir(AutomaticBackup::Folder()).removeRecursively();
}

// On a server, a restore says how many other counters are working and
// goes on only after a second Yes; it then ends their sessions.
TEST_P(DatabaseWindowTest, ARestoreOnAServerSaysHowManyOtherCountersWorkAndEndsThemOnlyAfterASecondYes)
{
    if (GetParam() != Engine::PostgreSQL)
        GTEST_SKIP() << "the embedded database cannot tell who else has it open";
    customer(QStringLiteral("Kept"), QStringLiteral("Customer"));
    files.file = TestEnvironment::root() + QStringLiteral("/others.tessaly-backup");
    frmDatabase window(nullptr, &files);
    window.BackupDatabase();
    customer(QStringLiteral("Later"), QStringLiteral("One"));
    const QString name = QStringLiteral("counter-two");
    {
        QSqlDatabase other = TestDatabase::OpenOutside(name);
        ASSERT_TRUE(other.isOpen());
        ScriptedPins pins;
        pins.enter(MasterCode::kDefault);
        prompts.answer(true);
        prompts.answer(false);
        const int asked = prompts.questions.size();
        window.RestoreDatabase();
        ASSERT_EQ(prompts.questions.size(), asked + 2);
        EXPECT_TRUE(
            prompts.questions.last().startsWith(QStringLiteral("1 other counter is working on this database now.")))
            << prompts.questions.last().toStdString();
        EXPECT_EQ(count(QStringLiteral("customer")), 2);
        EXPECT_TRUE(QSqlQuery(other).exec(QStringLiteral("select 1")));

        pins.enter(MasterCode::kDefault);
        prompts.answer(true);
        prompts.answer(true);
        window.RestoreDatabase();
        EXPECT_EQ(count(QStringLiteral("customer")), 1);
        EXPECT_FALSE(QSqlQuery(other).exec(QStringLiteral("select 1"))) << "its session was ended";
        other.close();
    }
    QSqlDatabase::removeDatabase(name);
    QFile::remove(*files.file);
}

// What a second, independent connection to the database finds: the file
// on disk (with its log) for SQLite, the server's catalog for PostgreSQL.
int customersSeenFromOutside(const QString &lastName)
{
    const QString name = QStringLiteral("outside");
    int found = -1;
    {
        QSqlDatabase db = TestDatabase::OpenOutside(name);
        QSqlQuery q(db);
        q.prepare(QStringLiteral("select count(*) from customer where lastname = ?"));
        q.addBindValue(lastName);
        if (db.isOpen() && q.exec() && q.next())
            found = q.value(0).toInt();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return found;
}

TEST_P(DatabaseWindowTest, AChangeAfterARestoreIsInTheDatabaseOthersRead)
{
    customer(QStringLiteral("Kept"), QStringLiteral("Customer"));
    files.file = TestEnvironment::root() + QStringLiteral("/after.tessaly-backup");
    frmDatabase window(nullptr, &files);
    window.BackupDatabase();
    ASSERT_TRUE(prompts.lastMessage().startsWith(QStringLiteral("Backup written to")));
    customer(QStringLiteral("Gone"), QStringLiteral("Customer"));
    ScriptedPins pins;
    pins.enter(MasterCode::kDefault);
    prompts.answer(true);
    window.RestoreDatabase();
    ASSERT_EQ(count(QStringLiteral("customer")), 1) << prompts.lastMessage().toStdString();

    customer(QStringLiteral("After"), QStringLiteral("Restore"));
    EXPECT_EQ(customersSeenFromOutside(QStringLiteral("Restore")), 1);
    EXPECT_EQ(customersSeenFromOutside(QStringLiteral("Customer")), 1);
    QFile::remove(*files.file);
}

INSTANTIATE_TEST_SUITE_P(Engines, DatabaseWindowTest, ::testing::ValuesIn(TestDatabase::Engines()),
                         [](const auto &info) { return TestDatabase::EngineName(info.param); });

// Where this machine cannot back the database up by itself (a server the
// program has no dump tool for), the window says once that the server's own
// backups must be set up.
TEST(DatabaseWindowNote, WhereNoBackupCanBeMadeHereTheWindowSaysOnceThatTheServersOwnMustBeSetUp)
{
    RecordingPrompts prompts;
    Settings::remove(QStringLiteral("Backup"), QStringLiteral("ServerNoteTold"));
    Database::ConnectionSettings server;
    server.engine = Engine::SQLServer;
    server.serverName = QStringLiteral("127.0.0.1:1");
    Database::SetOverride(server);
    {
        frmDatabase first;
        first.show();
        QCoreApplication::processEvents();
    }
    {
        frmDatabase second;
        second.show();
        QCoreApplication::processEvents();
    }
    Database::SetOverride(std::nullopt);
    ASSERT_EQ(prompts.messages.size(), 1) << prompts.messages.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(prompts.messages[0],
              QStringLiteral("Tessaly makes no automatic backups of this database: the shop's "
                             "database is on SQL Server. Set up the server's own backups of it."));
    Settings::remove(QStringLiteral("Backup"), QStringLiteral("ServerNoteTold"));
}

TEST(UpdateDownloadWindow, WithoutAServerItSaysSoAndNothingIsDownloaded)
{
    RecordingPrompts prompts;
    UpdateDownload::Settings s;
    s.folder = TestEnvironment::root() + QStringLiteral("/updates");
    const auto result = RunUpdateDownload(nullptr, s);
    EXPECT_FALSE(result.ok);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].contains(QStringLiteral("FtpHost")));
    EXPECT_NE(prompts.messages[0], QStringLiteral("New Files Downloaded"));
}

} // namespace
