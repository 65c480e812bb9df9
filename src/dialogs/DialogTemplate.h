#pragma once

#include <initializer_list>
#include <vector>

// A dialog described as data, the way a resource script would: one entry per
// control, in template order. Template order is the tab order and the order
// in which controls are created; group boxes are nevertheless put behind the
// controls they surround. Rectangles are in dialog units (see DialogUnits.h).

enum class EControlKind {
    Edit,          // single-line edit
    Static,        // text label or result display
    GroupBox,      // titled frame, never takes the focus
    Picture,       // schematic drawing; the text is a resource path (":/schematics/x.svg")
    PushButton,    // id 1 ends the dialog with OK, id 2 with Cancel
    DefPushButton, // the default button (OK); Enter never presses it (the dialog owns Enter)
    CheckBox,      // automatic check box
    RadioButton,   // automatic radio button; kGroup marks the first of a group
    DropDownList,  // combo box without edit field
    DropDown,      // combo box with edit field
    ListView,      // list in report style (columns with headers)
    UpDown,        // up/down arrows beside a buddy edit (CUpDownControl)
};

// Style bits of a control; several may be combined.
enum EControlStyle : unsigned {
    kStyleNone = 0,
    kCentre = 1u << 0,    // text centred horizontally
    kRight = 1u << 1,     // text right-aligned
    kVCentre = 1u << 2,   // text centred vertically (otherwise top-aligned, like a static)
    kSunken = 1u << 3,    // sunken edge
    kWrap = 1u << 4,      // static text wraps at the control's width
    kDisabled = 1u << 5,  // disabled when the dialog opens
    kGroup = 1u << 6,     // first radio button of a group
    kNoTabStop = 1u << 7, // reachable by mouse but not by Tab
    kReadOnly = 1u << 8,  // edit the user cannot change
    kAlignRight = 1u << 9 // up-down control placed at the right edge of its buddy
};

// Controls without an id (labels, group boxes) use kNoId; they cannot be
// bound or addressed.
inline constexpr int kNoId = -1;

struct CControlTemplate {
    int nId;
    EControlKind eKind;
    const char* pszText; // UTF-8; label, button caption, or picture resource
    int x, y, cx, cy;    // dialog units
    unsigned nStyle = kStyleNone;
};

struct CDialogTemplate {
    int nId;
    const char* pszTitle;
    const char* pszFontFace; // wanted face; a Japanese fallback is chosen when absent
    int nPointSize;
    int cx, cy; // client area in dialog units
    std::vector<CControlTemplate> controls;
};
