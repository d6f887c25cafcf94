// Comma-separated files as spreadsheets write them: quoted fields, the lines
// records start on, the encodings of new and old machines.
#include "exchange/CsvFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

CsvFile::Contents parsed(const QByteArray &bytes)
{
    QString error;
    const std::optional<CsvFile::Contents> contents = CsvFile::Parse(bytes, &error);
    EXPECT_TRUE(contents.has_value()) << error.toStdString();
    return contents.value_or(CsvFile::Contents());
}

TEST(CsvFile, QuotedFieldsKeepCommasQuotesAndLineBreaks)
{
    const CsvFile::Contents c = parsed("Last,First,Note\r\n"
                                       "\"Smith, Jr.\",Ann,\"said \"\"hi\"\"\nand left\"\r\n"
                                       "Jones,Bob,plain\r\n");
    EXPECT_EQ(c.header, (QStringList{"Last", "First", "Note"}));
    ASSERT_EQ(c.records.size(), 2);
    EXPECT_EQ(c.records[0].fields, (QStringList{"Smith, Jr.", "Ann", "said \"hi\"\nand left"}));
    EXPECT_EQ(c.records[0].line, 2);
    // The record after the line break starts on the file's fourth line.
    EXPECT_EQ(c.records[1].fields, (QStringList{"Jones", "Bob", "plain"}));
    EXPECT_EQ(c.records[1].line, 4);
}

TEST(CsvFile, BlankLinesAreLeftOutButCounted)
{
    const CsvFile::Contents c = parsed("a,b\n\n1,2\n,\n3,4\n");
    ASSERT_EQ(c.records.size(), 2);
    EXPECT_EQ(c.records[0].line, 3);
    EXPECT_EQ(c.records[1].line, 5);

    // Lines ended by a carriage return alone, as some older spreadsheets save them.
    const CsvFile::Contents old = parsed("a,b\r1,2\r\r3,4\r");
    ASSERT_EQ(old.records.size(), 2);
    EXPECT_EQ(old.records[0].line, 2);
    EXPECT_EQ(old.records[1].line, 4);
    EXPECT_EQ(old.records[1].fields, (QStringList{"3", "4"}));
}

TEST(CsvFile, Windows1252AccentedNamesReadAsWritten)
{
    // "Müller", "José" and "Ångström" as an old spreadsheet saves them, with a euro sign.
    const QByteArray bytes("Last,First\r\nM\xFCller,Jos\xE9\r\n\xC5ngstr\xF6m,\x80uro\r\n");
    const CsvFile::Contents c = parsed(bytes);
    EXPECT_EQ(c.encoding, QStringLiteral("Windows-1252"));
    ASSERT_EQ(c.records.size(), 2);
    EXPECT_EQ(c.records[0].fields, (QStringList{QStringLiteral("Müller"), QStringLiteral("José")}));
    EXPECT_EQ(c.records[1].fields, (QStringList{QStringLiteral("Ångström"), QStringLiteral("€uro")}));
}

TEST(CsvFile, Utf8WithOrWithoutByteOrderMark)
{
    const QByteArray body = QStringLiteral("Last,First\nMüller,José\n").toUtf8();
    for (const QByteArray &bytes : {body, QByteArray("\xEF\xBB\xBF") + body}) {
        const CsvFile::Contents c = parsed(bytes);
        EXPECT_EQ(c.encoding, QStringLiteral("UTF-8"));
        // The mark is not part of the first column's name.
        EXPECT_EQ(c.header, (QStringList{"Last", "First"}));
        ASSERT_EQ(c.records.size(), 1);
        EXPECT_EQ(c.records[0].fields, (QStringList{QStringLiteral("Müller"), QStringLiteral("José")}));
    }
}

TEST(CsvFile, EmptyFileHasNoHeaderAndNoRows)
{
    const CsvFile::Contents c = parsed(QByteArray());
    EXPECT_TRUE(c.header.isEmpty());
    EXPECT_TRUE(c.records.isEmpty());
}

TEST(CsvFile, HeaderOnlyHasNoRows)
{
    const CsvFile::Contents c = parsed("Last,First,Phone\r\n");
    EXPECT_EQ(c.header, (QStringList{"Last", "First", "Phone"}));
    EXPECT_TRUE(c.records.isEmpty());
}

TEST(CsvFile, UnclosedQuoteIsRefusedWithItsLine)
{
    QString error;
    EXPECT_FALSE(CsvFile::Parse("Last,First\nSmith,Ann\nJones,\"Bob\nBrown,Cy\n", &error));
    EXPECT_TRUE(error.contains(QStringLiteral("line 3"))) << error.toStdString();
}

TEST(CsvFile, WrittenFileReadsBackTheSameRows)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.csv"));
    const QList<QStringList> rows = {{"Last", "Note"}, {QStringLiteral("Müller"), "a, \"quoted\"\nline"}, {"", "x"}};
    QString error;
    ASSERT_TRUE(CsvFile::Write(path, rows, &error)) << error.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(bytes.contains("\r\n"));
    const std::optional<CsvFile::Contents> back = CsvFile::Read(path, &error);
    ASSERT_TRUE(back) << error.toStdString();
    EXPECT_EQ(back->header, rows[0]);
    ASSERT_EQ(back->records.size(), 2);
    EXPECT_EQ(back->records[0].fields, rows[1]);
    EXPECT_EQ(back->records[1].fields, rows[2]);
    EXPECT_EQ(back->records[1].line, 4);
}

TEST(CsvFile, MissingFileIsNamedInTheRefusal)
{
    QTemporaryDir dir;
    QString error;
    EXPECT_FALSE(CsvFile::Read(dir.filePath(QStringLiteral("none.csv")), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("none.csv"))) << error.toStdString();
}

} // namespace
