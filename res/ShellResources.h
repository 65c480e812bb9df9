#pragma once

#include <QKeyCombination>

#include <span>

// Command ids of the main window. The numbers are the classic framework ids,
// kept so that the menu, accelerator, toolbar and string tables below read
// like the resource script they replace.
enum : int {
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_CLOSE = 57602,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PAGE_SETUP = 57605,
    ID_FILE_PRINT_SETUP = 57606,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_DIRECT = 57608,
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_FILE_MRU_FILE1 = 57616,
    ID_FILE_MRU_LAST = 57631,
    ID_EDIT_CLEAR = 57632,
    ID_EDIT_CLEAR_ALL = 57633,
    ID_EDIT_COPY = 57634,
    ID_EDIT_CUT = 57635,
    ID_EDIT_FIND = 57636,
    ID_EDIT_PASTE = 57637,
    ID_EDIT_REPEAT = 57640,
    ID_EDIT_REPLACE = 57641,
    ID_EDIT_SELECT_ALL = 57642,
    ID_EDIT_UNDO = 57643,
    ID_EDIT_REDO = 57644,
    ID_WINDOW_SPLIT = 57653,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_NEXT_PANE = 57680,
    ID_PREV_PANE = 57681,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
    ID_PREVIEW_CLOSE = 61445,
    ID_CALC_LADDER_FILTER = 32771,
    ID_CALC_LMATCH = 32772,
    ID_CALC_TOROID_COIL = 32773,
    ID_CALC_AIR_COIL = 32774,
    ID_CALC_PI_ATTENUATOR = 32775,
    ID_CALC_VFO_TANK = 32782,
    ID_DESIGN_ATTENUATOR = 32790,
    ID_DESIGN_TOROID_WINDING = 32791,
    ID_DESIGN_AIR_COIL_WINDING = 32792,
    ID_DESIGN_XTAL_FILTER = 32793,
    ID_DESIGN_LC_FILTER = 32794,
    ID_HELP_USER_GUIDE = 32800,
    ID_EDIT_FIND_PREVIOUS = 32801,
    ID_EDIT_FIND_NEXT = 32802,
};

// String ids that are not commands.
enum : int {
    IDR_MAINFRAME = 128,
    AFX_IDS_APP_TITLE = 57344,
    AFX_IDS_IDLEMESSAGE = 57345,
    ID_INDICATOR_EXT = 59136,
    ID_INDICATOR_CAPS = 59137,
    ID_INDICATOR_NUM = 59138,
    ID_INDICATOR_SCRL = 59139,
    ID_INDICATOR_OVR = 59140,
    ID_INDICATOR_REC = 59141,
    ID_INDICATOR_KANA = 59142,
    IDD_ABOUTBOX = 100,
};

// Separator marker in the menu and toolbar tables.
inline constexpr int ID_SEPARATOR = 0;

struct CMenuItemRes {
    const char* pszText; // item text, "\t" then the shortcut shown; nullptr for a separator
    int nCommand;
};

struct CMenuPopupRes {
    const char* pszText;
    std::span<const CMenuItemRes> items;
};

struct CAcceleratorRes {
    QKeyCombination key;
    int nCommand;
};

struct CStringRes {
    int nId;
    const char* pszText;
};

// Menu 128: the popups of the main menu in order.
std::span<const CMenuPopupRes> MainMenuResource();

// Accelerators 128.
std::span<const CAcceleratorRes> AcceleratorResource();

// Toolbar 128: command ids in button order, ID_SEPARATOR between groups.
std::span<const int> ToolbarResource();

// Resource path of the 16 x 15 toolbar picture of a command; nullptr if none.
const char* ToolbarIconPath(int nCommand);

// The string table (UTF-8). Command prompts are "status-bar prompt\ntooltip".
std::span<const CStringRes> StringTableResource();

// The string of an id, or an empty string when the table has none.
const char* LoadResString(int nId);
