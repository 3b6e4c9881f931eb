// Values shared by frames, views, documents and control bars: styles, layout modes, ids of the
// framework's own strings and commands. Other code relies on the numbers, so they are fixed.
#pragma once

#include "platform/framework/window/FrameworkWindows.h"

// Frame styles (in the low word of the frame's window style).
constexpr DWORD FWS_ADDTOTITLE = 0x00008000L;
constexpr DWORD FWS_PREFIXTITLE = 0x00004000L;
constexpr DWORD FWS_SNAPTOBARS = 0x00002000L;

// Mini-frame styles.
constexpr DWORD MFS_SYNCACTIVE = 0x00000100L;
constexpr DWORD MFS_4THICKFRAME = 0x00000200L;
constexpr DWORD MFS_THICKFRAME = 0x00000400L;
constexpr DWORD MFS_MOVEFRAME = 0x00000800L;
constexpr DWORD MFS_BLOCKSYSMENU = 0x00001000L;

// Control-bar styles (the bar keeps them apart from its window style).
constexpr DWORD CBRS_ALIGN_LEFT = 0x1000L;
constexpr DWORD CBRS_ALIGN_TOP = 0x2000L;
constexpr DWORD CBRS_ALIGN_RIGHT = 0x4000L;
constexpr DWORD CBRS_ALIGN_BOTTOM = 0x8000L;
constexpr DWORD CBRS_ALIGN_ANY = 0xF000L;
constexpr DWORD CBRS_BORDER_LEFT = 0x0100L;
constexpr DWORD CBRS_BORDER_TOP = 0x0200L;
constexpr DWORD CBRS_BORDER_RIGHT = 0x0400L;
constexpr DWORD CBRS_BORDER_BOTTOM = 0x0800L;
constexpr DWORD CBRS_BORDER_ANY = 0x0F00L;
constexpr DWORD CBRS_TOOLTIPS = 0x0010L;
constexpr DWORD CBRS_FLYBY = 0x0020L;
constexpr DWORD CBRS_FLOAT_MULTI = 0x0040L;
constexpr DWORD CBRS_BORDER_3D = 0x0080L;
constexpr DWORD CBRS_HIDE_INPLACE = 0x0008L;
constexpr DWORD CBRS_SIZE_DYNAMIC = 0x0004L;
constexpr DWORD CBRS_SIZE_FIXED = 0x0002L;
constexpr DWORD CBRS_FLOATING = 0x0001L;
constexpr DWORD CBRS_GRIPPER = 0x00400000L;
constexpr DWORD CBRS_ORIENT_HORZ = CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM;
constexpr DWORD CBRS_ORIENT_VERT = CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT;
constexpr DWORD CBRS_ORIENT_ANY = CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT;
constexpr DWORD CBRS_ALL = 0x0040FFFFL;
constexpr DWORD CBRS_NOALIGN = 0x00000000L;
constexpr DWORD CBRS_LEFT = CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT;
constexpr DWORD CBRS_TOP = CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM;
constexpr DWORD CBRS_RIGHT = CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT;
constexpr DWORD CBRS_BOTTOM = CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP;

// Layout modes of CalcDynamicLayout.
constexpr DWORD LM_STRETCH = 0x01;
constexpr DWORD LM_HORZ = 0x02;
constexpr DWORD LM_MRUWIDTH = 0x04;
constexpr DWORD LM_HORZDOCK = 0x08;
constexpr DWORD LM_VERTDOCK = 0x10;
constexpr DWORD LM_LENGTHY = 0x20;
constexpr DWORD LM_COMMIT = 0x40;

// The framework's own strings (the resource script FrameworkFrame.rc holds them).
constexpr UINT AFX_IDS_OPENFILE = 0xF000;     // 61440 "Open"
constexpr UINT AFX_IDS_SAVEFILE = 0xF001;     // 61441 "Save As"
constexpr UINT AFX_IDS_ALLFILTER = 0xF002;    // 61442 "All Files (*.*)"
constexpr UINT AFX_IDS_SAVEFILECOPY = 0xF004; // 61444 "Save As Copy"
constexpr UINT AFX_IDP_ASK_TO_SAVE = 0xF10F;  // "Save changes to %1?"
constexpr UINT AFX_IDP_FAILED_TO_OPEN_DOC = 0xF104;

// Window ids beyond the ones of the window half.
constexpr UINT AFX_IDW_PANE_LAST = 0xEAFF;
constexpr UINT AFX_IDW_CONTROLBAR_FIRST = 0xE800;
constexpr UINT AFX_IDW_CONTROLBAR_LAST = 0xE8FF;
constexpr UINT AFX_IDW_DOCKBAR_FLOAT = 0xE81F;
constexpr UINT AFX_IDW_DIALOGBAR = 0xE805;
constexpr UINT AFX_IDW_RESIZE_BAR = 0xE803;
constexpr UINT AFX_IDW_PREVIEW_BAR = 0xE802;

// Window styles of a view created by the frame.
constexpr DWORD AFX_WS_DEFAULT_VIEW = WS_CHILD | WS_VISIBLE;

class CView;

// What a frame would save while it shows a print preview. Preview is not offered; frames that
// override OnSetPreviewMode keep their signature.
struct CPrintPreviewState {
    UINT nIDMainPane = AFX_IDW_PANE_FIRST;
    HMENU hMenu = nullptr;
    DWORD dwStates = 0;
    CView* pViewActiveOld = nullptr;
    HACCEL hAccelTable = nullptr;
};

// The toolbar resource type.
#ifndef RT_TOOLBAR
#define RT_TOOLBAR MAKEINTRESOURCE(241)
#endif

// Number of recent-file commands (ID_FILE_MRU_FILE1 .. ID_FILE_MRU_FILE16).
constexpr int AFX_MRU_COUNT = 16;

// The window handle of an optional window object (null for none). Used instead of calling a
// member on a possibly null pointer, after which the compiler may drop later null checks.
inline HWND AfxHwndOf(const CWnd* pWnd)
{
    return pWnd != nullptr ? pWnd->m_hWnd : nullptr;
}

// The permanent window object with control id nID among hWndParent's children (searched
// breadth first, then depth first); null when there is none.
CWnd* AfxFindPermanentDescendant(HWND hWndParent, UINT nID);
