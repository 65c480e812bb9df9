#include <QApplication>
#include <QMainWindow>
#include <QPlainTextEdit>

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

} // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("Vantix %s\n", VANTIX_VERSION);
            return 0;
        }
    }
    if (!HasDisplay()) {
        std::fprintf(stderr, "vantix: no display found (DISPLAY is not set); to run without a "
                             "desktop use: xvfb-run -a vantix\n");
        return 1;
    }
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("無題 - Vantix"));
    window.setCentralWidget(new QPlainTextEdit(&window));
    window.resize(800, 600);
    window.show();
    return app.exec();
}
