#include "tests/support/TestDatabase.h"
#include "tests/support/TestEnvironment.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    TestEnvironment::prepare();
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int rc = RUN_ALL_TESTS();
    TestDatabase::DropCatalog();
    Database::CloseConnections();
    return rc;
}
