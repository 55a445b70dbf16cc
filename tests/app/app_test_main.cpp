#include <QApplication>

#include <gtest/gtest.h>

// The widgets need one application object for the whole run. Tests run on Qt's
// offscreen platform unless told otherwise, also when the test list is read.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
