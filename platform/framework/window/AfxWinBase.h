// Common ground of the window half of the framework: system headers, the foundation classes,
// the framework's private window messages, command-routing codes and standard ids.
// Every window-side header includes this first.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <richedit.h>
#include <shellapi.h>

#include "platform/framework/window/AfxCoreLink.h"

// winuser.h spells this one as a macro; the framework has a member of that name.
#ifdef GetNextWindow
#undef GetNextWindow
#endif

class CCmdTarget;
class CCmdUI;
class CWnd;
class CDC;
class CMenu;
class CWinThread;
class CWinApp;
class CScrollBar;
class CBitmap;
class CFont;

// Private messages of the framework (values fixed: other code sends them by number).
constexpr UINT WM_QUERYAFXWNDPROC = 0x0360;
constexpr UINT WM_SIZEPARENT = 0x0361;
constexpr UINT WM_SETMESSAGESTRING = 0x0362;
constexpr UINT WM_IDLEUPDATECMDUI = 0x0363;
constexpr UINT WM_INITIALUPDATE = 0x0364;
constexpr UINT WM_COMMANDHELP = 0x0365;
constexpr UINT WM_HELPHITTEST = 0x0366;
constexpr UINT WM_EXITHELPMODE = 0x0367;
constexpr UINT WM_RECALCPARENT = 0x0368;
constexpr UINT WM_SIZECHILD = 0x0369;
constexpr UINT WM_KICKIDLE = 0x036A;
constexpr UINT WM_QUERYCENTERWND = 0x036B;
constexpr UINT WM_DISABLEMODAL = 0x036C;
constexpr UINT WM_FLOATSTATUS = 0x036D;
constexpr UINT WM_ACTIVATETOPLEVEL = 0x036E;
constexpr UINT WM_POPMESSAGESTRING = 0x0375;

// Reflected messages travel back to the control as WM_REFLECT_BASE + the original message.
constexpr UINT WM_REFLECT_BASE = 0xBC00;
// Pseudo message under which WM_CTLCOLORxxx is reflected (carries an AFX_CTLCOLOR).
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif

// Command-routing codes for CCmdTarget::OnCmdMsg.
constexpr int CN_COMMAND = 0;
constexpr int CN_UPDATE_COMMAND_UI = -1;
constexpr int CN_EVENT = -2;

// CWnd::m_nFlags bits.
constexpr UINT WF_TOOLTIPS = 0x0001;
constexpr UINT WF_TEMPHIDE = 0x0002;
constexpr UINT WF_STAYDISABLED = 0x0004;
constexpr UINT WF_MODALLOOP = 0x0008;
constexpr UINT WF_CONTINUEMODAL = 0x0010;
constexpr UINT WF_OLECTLCONTAINER = 0x0100;
constexpr UINT WF_TRACKINGTOOLTIPS = 0x0400;
constexpr UINT WF_STAYACTIVE = 0x0020;
constexpr UINT WF_NOPOPMSG = 0x0040;
constexpr UINT WF_MODALDISABLE = 0x0080;
constexpr UINT WF_KEEPMINIACTIVE = 0x0200;

// Framework-private tool flags (stripped before a tool reaches the tooltip window).
constexpr UINT TTF_NOTBUTTON = 0x80000000;
constexpr UINT TTF_ALWAYSTIP = 0x40000000;

// Floating-status codes (WM_FLOATSTATUS).
constexpr UINT FS_SHOW = 0x01;
constexpr UINT FS_HIDE = 0x02;
constexpr UINT FS_ACTIVATE = 0x04;
constexpr UINT FS_DEACTIVATE = 0x08;
constexpr UINT FS_ENABLE = 0x10;
constexpr UINT FS_DISABLE = 0x20;
constexpr UINT FS_SYNCACTIVE = 0x40;

// Standard ids.
constexpr UINT AFX_IDW_PANE_FIRST = 0xE900;
constexpr UINT AFX_IDW_TOOLBAR = 0xE800;
constexpr UINT AFX_IDW_STATUS_BAR = 0xE801;
constexpr UINT AFX_IDW_REBAR = 0xE804;
constexpr UINT AFX_IDW_DOCKBAR_TOP = 0xE81B;
constexpr UINT AFX_IDW_DOCKBAR_LEFT = 0xE81C;
constexpr UINT AFX_IDW_DOCKBAR_RIGHT = 0xE81D;
constexpr UINT AFX_IDW_DOCKBAR_BOTTOM = 0xE81E;
constexpr UINT AFX_IDS_IDLEMESSAGE = 0xE001;
constexpr UINT AFX_IDS_APP_TITLE = 0xE000;
constexpr UINT AFX_IDS_UNTITLED = 0xF003;
constexpr DWORD HID_BASE_COMMAND = 0x00010000;
constexpr DWORD HID_BASE_RESOURCE = 0x00020000;
constexpr DWORD HID_BASE_PROMPT = 0x00030000;
constexpr DWORD HID_BASE_NCAREAS = 0x00040000;
constexpr DWORD HID_BASE_CONTROL = 0x00050000;
constexpr DWORD HID_BASE_DISPATCH = 0x00060000;

#ifndef ID_HELP_INDEX
#define ID_HELP_INDEX 0xE142
#define ID_HELP_FINDER 0xE143
#define ID_HELP_USING 0xE144
#define ID_CONTEXT_HELP 0xE145
#define ID_HELP 0xE146
#define ID_DEFAULT_HELP 0xE147
#endif
#ifndef ID_FILE_NEW
#define ID_FILE_NEW 0xE100
#define ID_FILE_OPEN 0xE101
#define ID_FILE_CLOSE 0xE102
#define ID_FILE_SAVE 0xE103
#define ID_FILE_SAVE_AS 0xE104
#define ID_FILE_MRU_FILE1 0xE110
#define ID_FILE_MRU_FILE16 0xE11F
#define ID_APP_ABOUT 0xE140
#define ID_APP_EXIT 0xE141
#define ID_EDIT_CLEAR 0xE120
#define ID_EDIT_COPY 0xE122
#define ID_EDIT_CUT 0xE123
#define ID_EDIT_PASTE 0xE125
#define ID_EDIT_SELECT_ALL 0xE12A
#define ID_EDIT_UNDO 0xE12B
#endif

// Help commands for CWinApp::WinHelpInternal beyond the system's HELP_* set.
#ifndef HELP_CONTEXT
#define HELP_CONTEXT 0x0001L
#endif

// Values of AfxMessageBox's help id when no help is wanted.
constexpr UINT AFX_NO_HELP = static_cast<UINT>(-1);

// WM_SIZEPARENT record: bars take their room from rect; a null hDWP asks for sizes only.
struct AFX_SIZEPARENTPARAMS {
    HDWP hDWP;
    RECT rect;
    SIZE sizeTotal;
    BOOL bStretch;
};
// Moves a child to lpRect (parent client coordinates) through the deferred-position batch.
void AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect);

// RunModalLoop flags.
constexpr DWORD MLF_NOIDLEMSG = 0x0001;
constexpr DWORD MLF_NOKICKIDLE = 0x0002;
constexpr DWORD MLF_SHOWONIDLE = 0x0004;
