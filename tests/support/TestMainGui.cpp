#include "tests/support/TestDatabase.h"
#include "tests/support/TestEnvironment.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    TestEnvironment::prepare();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int rc = RUN_ALL_TESTS();
    TestDatabase::DropCatalog();
    Database::CloseConnections();
    return rc;
}
