#include "app/LockKeys.h"

#include <QGuiApplication>

#include <dlfcn.h>

namespace {

// The XKB calls, looked up at run time so that the program neither links
// Xlib nor needs it when running on another platform.
using XAtom = unsigned long;
using XInternAtomFn = XAtom (*)(void*, const char*, int);
using XkbGetNamedIndicatorFn = int (*)(void*, XAtom, int*, int*, void*, int*);

struct CXkb {
    XInternAtomFn pInternAtom = nullptr;
    XkbGetNamedIndicatorFn pGetNamedIndicator = nullptr;

    static const CXkb& Get() {
        static const CXkb xkb = [] {
            CXkb loaded;
            void* pLibrary = dlopen("libX11.so.6", RTLD_LAZY | RTLD_LOCAL);
            if (pLibrary != nullptr) {
                loaded.pInternAtom =
                    reinterpret_cast<XInternAtomFn>(dlsym(pLibrary, "XInternAtom"));
                loaded.pGetNamedIndicator = reinterpret_cast<XkbGetNamedIndicatorFn>(
                    dlsym(pLibrary, "XkbGetNamedIndicator"));
            }
            return loaded;
        }();
        return xkb;
    }
};

bool IndicatorOn(const CXkb& xkb, void* pDisplay, const char* pszName) {
    const XAtom atom = xkb.pInternAtom(pDisplay, pszName, 1);
    if (atom == 0) {
        return false;
    }
    int nIndex = 0;
    int bState = 0;
    int bReal = 0;
    if (!xkb.pGetNamedIndicator(pDisplay, atom, &nIndex, &bState, nullptr, &bReal)) {
        return false;
    }
    return bState != 0;
}

} // namespace

CLockKeyState CLockKeyState::Query() {
    CLockKeyState state;
    auto* pX11 = qGuiApp == nullptr ? nullptr
                                    : qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    const CXkb& xkb = CXkb::Get();
    if (pX11 == nullptr || pX11->display() == nullptr || xkb.pInternAtom == nullptr ||
        xkb.pGetNamedIndicator == nullptr) {
        return state;
    }
    Display* pDisplay = pX11->display();
    state.bKnown = true;
    state.bCaps = IndicatorOn(xkb, pDisplay, "Caps Lock");
    state.bNum = IndicatorOn(xkb, pDisplay, "Num Lock");
    state.bScroll = IndicatorOn(xkb, pDisplay, "Scroll Lock");
    state.bKana = IndicatorOn(xkb, pDisplay, "Kana");
    return state;
}
