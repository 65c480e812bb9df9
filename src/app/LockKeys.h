#pragma once

// State of the lock keys shown in the status bar.
struct CLockKeyState {
    bool bKnown = false; // false where the platform cannot tell
    bool bKana = false;
    bool bCaps = false;
    bool bNum = false;
    bool bScroll = false;

    // Asks the window system (X11 only; elsewhere bKnown stays false).
    static CLockKeyState Query();
};
