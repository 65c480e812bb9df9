#include "app/CommandLineInfo.h"
#include "app/VantixApp.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Qt aborts with a long trace when no display server can be reached; say in
// one line what is wrong and how to run without a desktop instead.
bool HasDisplay() {
    const char* pszPlatform = std::getenv("QT_QPA_PLATFORM");
    if (pszPlatform != nullptr && *pszPlatform != '\0') {
        return true;
    }
    const char* pszDisplay = std::getenv("DISPLAY");
    const char* pszWayland = std::getenv("WAYLAND_DISPLAY");
    return (pszDisplay != nullptr && *pszDisplay != '\0') ||
           (pszWayland != nullptr && *pszWayland != '\0');
}

bool HasArgument(int argc, char** argv, const char* pszOption) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0) {
            return false;
        }
        if (std::strcmp(argv[i], pszOption) == 0) {
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (HasArgument(argc, argv, "--version")) {
        std::printf("Vantix %s\n", VANTIX_VERSION);
        return 0;
    }
    if (HasArgument(argc, argv, "--help") || HasArgument(argc, argv, "-h")) {
        std::fputs(CCommandLineInfo::UsageText().toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (!HasDisplay()) {
        // Printing needs no screen: scripts may print without a desktop.
        if (HasArgument(argc, argv, "--print-to-pdf") || HasArgument(argc, argv, "-p") ||
            HasArgument(argc, argv, "--print")) {
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
        } else {
            std::fprintf(stderr,
                         "vantix: 画面が見つかりません (DISPLAY が設定されていません)。"
                         "デスクトップなしで動かすには: xvfb-run -a %s\n",
                         argv[0]);
            return 1;
        }
    }
    QApplication qapp(argc, argv);
    CVantixApp app;
    app.SetUpApplication();
    const int nStatus = app.InitInstance(QApplication::arguments().mid(1));
    if (nStatus >= 0) {
        return nStatus;
    }
    return qapp.exec();
}
