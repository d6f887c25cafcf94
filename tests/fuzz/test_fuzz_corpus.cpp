// The fuzz targets' checked-in inputs, replayed as an ordinary test: every
// file of corpus/<target>/ goes through its target, whose checks abort on
// the first broken property and name the file.
#include "tests/fuzz/FuzzCheck.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

int FuzzTarget_money(const std::uint8_t *data, std::size_t size);
int FuzzTarget_typed_time(const std::uint8_t *data, std::size_t size);
int FuzzTarget_ticket_number(const std::uint8_t *data, std::size_t size);
int FuzzTarget_code39(const std::uint8_t *data, std::size_t size);
int FuzzTarget_receipt_notice(const std::uint8_t *data, std::size_t size);

namespace {

struct FuzzTarget
{
    const char *name;
    int (*run)(const std::uint8_t *, std::size_t);
};

class FuzzCorpus : public ::testing::TestWithParam<FuzzTarget>
{ };

TEST_P(FuzzCorpus, EveryCheckedInInputKeepsTheProperties)
{
    const QDir folder(QStringLiteral(TESSALY_FUZZ_CORPUS "/") + QLatin1String(GetParam().name));
    ASSERT_TRUE(folder.exists()) << folder.path().toStdString();
    const QStringList files = folder.entryList(QDir::Files, QDir::Name);
    ASSERT_FALSE(files.isEmpty()) << "no inputs in " << folder.path().toStdString();
    for (const QString &name : files) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
        const QByteArray bytes = file.readAll();
        FuzzSupport::CurrentInput() = file.fileName();
        EXPECT_EQ(GetParam().run(reinterpret_cast<const std::uint8_t *>(bytes.constData()), std::size_t(bytes.size())),
                  0)
            << file.fileName().toStdString();
    }
    FuzzSupport::CurrentInput().clear();
    // An empty input is always one of them.
    EXPECT_EQ(GetParam().run(nullptr, 0), 0);
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzCorpus,
                         ::testing::Values(FuzzTarget{"money", FuzzTarget_money},
                                           FuzzTarget{"typed_time", FuzzTarget_typed_time},
                                           FuzzTarget{"ticket_number", FuzzTarget_ticket_number},
                                           FuzzTarget{"code39", FuzzTarget_code39},
                                           FuzzTarget{"receipt_notice", FuzzTarget_receipt_notice}),
                         [](const ::testing::TestParamInfo<FuzzTarget> &info) { return std::string(info.param.name); });

} // namespace
