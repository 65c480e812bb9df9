#include "app/LockKeys.h"

#include <QGuiApplication>

#include <dlfcn.h>

namespace {

// The XKB calls, looked up at run time so that the program neither links
// Xlib nor needs it when running on another platform.
using XAtom = unsigned long;
using XInternAtomFn = XAtom (*)(void*, const char*, int);
using XkbGetNamedIndicatorFn = int (*)(void*, XAtom, int*, int*, void*, int*);
using XkbGetIndicatorStateFn = int (*)(void*, unsigned, unsigned*);
constexpr unsigned kXkbUseCoreKbd = 0x0100;

struct CXkb {
    XInternAtomFn pInternAtom = nullptr;
    XkbGetNamedIndicatorFn pGetNamedIndicator = nullptr;
    XkbGetIndicatorStateFn pGetIndicatorState = nullptr;

    bool IsLoaded() const {
        return pInternAtom != nullptr && pGetNamedIndicator != nullptr &&
               pGetIndicatorState != nullptr;
    }

    static const CXkb& Get() {
        static const CXkb xkb = [] {
            CXkb loaded;
            void* pLibrary = dlopen("libX11.so.6", RTLD_LAZY | RTLD_LOCAL);
            if (pLibrary != nullptr) {
                loaded.pInternAtom =
                    reinterpret_cast<XInternAtomFn>(dlsym(pLibrary, "XInternAtom"));
                loaded.pGetNamedIndicator = reinterpret_cast<XkbGetNamedIndicatorFn>(
                    dlsym(pLibrary, "XkbGetNamedIndicator"));
                loaded.pGetIndicatorState = reinterpret_cast<XkbGetIndicatorStateFn>(
                    dlsym(pLibrary, "XkbGetIndicatorState"));
            }
            return loaded;
        }();
        return xkb;
    }
};

// Bit of a named indicator in the keyboard's indicator state; -1 when the
// keyboard has no such indicator.
int IndicatorBit(const CXkb& xkb, void* pDisplay, const char* pszName) {
    const XAtom atom = xkb.pInternAtom(pDisplay, pszName, 1);
    int nIndex = -1;
    int bState = 0;
    int bReal = 0;
    if (atom == 0 || !xkb.pGetNamedIndicator(pDisplay, atom, &nIndex, &bState, nullptr, &bReal)) {
        return -1;
    }
    return nIndex;
}

struct CIndicatorBits {
    int nKana, nCaps, nNum, nScroll;
};

} // namespace

CLockKeyState CLockKeyState::Query() {
    CLockKeyState state;
    auto* pX11 = qGuiApp == nullptr ? nullptr
                                    : qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    const CXkb& xkb = CXkb::Get();
    if (pX11 == nullptr || pX11->display() == nullptr || !xkb.IsLoaded()) {
        return state;
    }
    Display* pDisplay = pX11->display();
    // The indicator names are looked up once; after that a key costs one
    // request to the server.
    static const CIndicatorBits bits{
        IndicatorBit(xkb, pDisplay, "Kana"), IndicatorBit(xkb, pDisplay, "Caps Lock"),
        IndicatorBit(xkb, pDisplay, "Num Lock"), IndicatorBit(xkb, pDisplay, "Scroll Lock")};
    unsigned nLit = 0;
    if (xkb.pGetIndicatorState(pDisplay, kXkbUseCoreKbd, &nLit) != 0) {
        return state;
    }
    const auto lit = [nLit](int nBit) { return nBit >= 0 && nBit < 32 && (nLit >> nBit) & 1U; };
    state.bKnown = true;
    state.bKana = lit(bits.nKana);
    state.bCaps = lit(bits.nCaps);
    state.bNum = lit(bits.nNum);
    state.bScroll = lit(bits.nScroll);
    return state;
}
