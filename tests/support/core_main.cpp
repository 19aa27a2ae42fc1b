#include <QCoreApplication>

#include <gtest/gtest.h>

// The SQL driver plugins and file lookups beside the executable need an application object.
int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
