#include <QApplication>
#include <QTemporaryFile>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

// The offscreen platform's own screen is 800×800, narrower than the largest
// dialogs, which would then be shown scrolled: tests run on a desktop-sized
// screen unless the platform was given a configuration of its own.
void UseDesktopSizedOffscreenScreen(QTemporaryFile& config) {
    const char* pszPlatform = std::getenv("QT_QPA_PLATFORM");
    if (pszPlatform == nullptr || std::string(pszPlatform) != "offscreen" || !config.open()) {
        return;
    }
    config.write(R"({"screens": [{"name": "test", "x": 0, "y": 0, "width": 1920,)"
                 R"( "height": 1200, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1.0}]})");
    config.flush();
    const std::string strPlatform = "offscreen:configfile=" + config.fileName().toStdString();
    setenv("QT_QPA_PLATFORM", strPlatform.c_str(), 1);
}

} // namespace

// Widget tests share one QApplication. It is created only when tests are
// actually run, so that listing the tests (CTest's discovery) needs no
// display platform at all.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests)) {
        return RUN_ALL_TESTS();
    }
    QTemporaryFile config;
    UseDesktopSizedOffscreenScreen(config);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
