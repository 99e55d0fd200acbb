#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // A plain ctest on a machine without a display must run too.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
