// The main of the Qt test programs: one QApplication for the whole run, on the
// offscreen platform unless another one was asked for.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Left standing to the end of the process: widgets of static lifetime go after it.
    auto* app = new QApplication(argc, argv);
    (void)app;
    return RUN_ALL_TESTS();
}
