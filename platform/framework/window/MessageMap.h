// Message maps: static tables that route window messages, commands and notifications to
// member functions. Each entry holds a non-capturing lambda that casts the target to the class
// whose map declares it and calls the handler directly, so no member-pointer casts are needed.
// Maps chain to the base class's map; CCmdTarget ends the chain.
#pragma once

#include "AfxWinBase.h"

// One dispatch: the window message (or the routed command) and where the result goes.
struct AFX_MSGCALL {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    UINT nID = 0;
    int nCode = 0;
    void* pExtra = nullptr;
    LRESULT result = 0;
};

// Returns FALSE when the handler declines (the _EX forms, a null reflected brush), so that
// routing goes on.
using AFX_PMSG = BOOL (*)(CCmdTarget* target, AFX_MSGCALL& call);

enum AfxSig : UINT {
    AfxSig_end = 0,
    AfxSig_msg,     // window message nMessage
    AfxSig_regmsg,  // registered window message held in *pnMessage
    AfxSig_cmd,     // routed through OnCmdMsg: nMessage/nCode/[nID, nLastID]
};

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;
    UINT nCode;
    UINT nID;
    UINT nLastID;
    UINT nSig;
    const UINT* pnMessage;
    AFX_PMSG pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// WM_NOTIFY routing record (pExtra of OnCmdMsg for notification codes).
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// Reflected WM_CTLCOLORxxx record (lParam of WM_REFLECT_BASE + WM_CTLCOLOR).
struct AFX_CTLCOLOR {
    HWND hWnd;
    HDC hDC;
    UINT nCtlType;
};

// Filled by the "is there a handler" probe of OnCmdMsg instead of calling the handler.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget;
    const AFX_MSGMAP_ENTRY* pEntry;
};

#define DECLARE_MESSAGE_MAP()                                   \
protected:                                                      \
    static const AFX_MSGMAP* GetThisMessageMap();               \
    const AFX_MSGMAP* GetMessageMap() const override;

#define AFX_MSGMAP_BODY_BEGIN(theClass, baseClass)              \
    {                                                           \
        using ThisClass [[maybe_unused]] = theClass;            \
        using TheBaseClass = baseClass;                         \
        static const AFX_MSGMAP_ENTRY messageEntries_[] = {

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                              \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }      \
    const AFX_MSGMAP* theClass::GetThisMessageMap() AFX_MSGMAP_BODY_BEGIN(theClass, baseClass)

// For class templates: BEGIN_TEMPLATE_MESSAGE_MAP(CMyT, Base, Base).
#define BEGIN_TEMPLATE_MESSAGE_MAP(theClass, typeName, baseClass)                           \
    template <typename typeName>                                                            \
    const AFX_MSGMAP* theClass<typeName>::GetMessageMap() const                             \
    {                                                                                       \
        return GetThisMessageMap();                                                         \
    }                                                                                       \
    template <typename typeName>                                                            \
    const AFX_MSGMAP* theClass<typeName>::GetThisMessageMap()                               \
        AFX_MSGMAP_BODY_BEGIN(theClass<typeName>, baseClass)

#define END_MESSAGE_MAP()                                                                   \
    {0, 0, 0, 0, AfxSig_end, nullptr, nullptr}                                              \
    };                                                                                      \
    static const AFX_MSGMAP messageMap_ = {&TheBaseClass::GetThisMessageMap,               \
                                           &messageEntries_[0]};                            \
    return &messageMap_;                                                                    \
    }

// ---- building blocks ------------------------------------------------------------------------
#define AFX_THUNK(body)                                                                     \
    [](CCmdTarget* t_, AFX_MSGCALL& c_) -> BOOL {                                           \
        auto* p_ = static_cast<ThisClass*>(t_);                                             \
        (void)p_;                                                                           \
        (void)c_;                                                                           \
        body;                                                                               \
        return TRUE;                                                                        \
    }
#define AFX_THUNK_EX(expr)                                                                  \
    [](CCmdTarget* t_, AFX_MSGCALL& c_) -> BOOL {                                           \
        auto* p_ = static_cast<ThisClass*>(t_);                                             \
        (void)c_;                                                                           \
        return (expr) ? TRUE : FALSE;                                                       \
    }
#define AFX_MSG_ENTRY(msg, body) {(msg), 0, 0, 0, AfxSig_msg, nullptr, AFX_THUNK(body)},
#define AFX_CMD_ENTRY(msg, code, id, idLast, thunk)                                         \
    {(msg), static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(idLast),      \
     AfxSig_cmd, nullptr, thunk},

#define AFX_WP c_.wParam
#define AFX_LP c_.lParam
#define AFX_X static_cast<short>(LOWORD(c_.lParam))
#define AFX_Y static_cast<short>(HIWORD(c_.lParam))
#define AFX_PT CPoint(AFX_X, AFX_Y)
#define AFX_WND(h) CWnd::FromHandle(reinterpret_cast<HWND>(h))
#define AFX_NOTIFY_ARGS                                                                     \
    static_cast<AFX_NOTIFY*>(c_.pExtra)->pNMHDR, static_cast<AFX_NOTIFY*>(c_.pExtra)->pResult

// ---- general messages -----------------------------------------------------------------------
#define ON_MESSAGE(message, memberFxn)                                                      \
    AFX_MSG_ENTRY(message, c_.result = p_->memberFxn(c_.wParam, c_.lParam))
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                                  \
    {0, 0, 0, 0, AfxSig_regmsg, &(nMessageVariable),                                        \
     AFX_THUNK(c_.result = p_->memberFxn(c_.wParam, c_.lParam))},
#define ON_THREAD_MESSAGE(message, memberFxn)                                               \
    AFX_MSG_ENTRY(message, p_->memberFxn(c_.wParam, c_.lParam))
#define ON_REGISTERED_THREAD_MESSAGE(nMessageVariable, memberFxn)                           \
    {0, 0, 0, 0, AfxSig_regmsg, &(nMessageVariable),                                        \
     AFX_THUNK(p_->memberFxn(c_.wParam, c_.lParam))},

// ---- commands -------------------------------------------------------------------------------
#define ON_COMMAND(id, memberFxn)                                                           \
    AFX_CMD_ENTRY(WM_COMMAND, CN_COMMAND, id, id, AFX_THUNK(p_->memberFxn()))
#define ON_COMMAND_EX(id, memberFxn)                                                        \
    AFX_CMD_ENTRY(WM_COMMAND, CN_COMMAND, id, id, AFX_THUNK_EX(p_->memberFxn(c_.nID)))
#define ON_COMMAND_RANGE(id, idLast, memberFxn)                                             \
    AFX_CMD_ENTRY(WM_COMMAND, CN_COMMAND, id, idLast, AFX_THUNK(p_->memberFxn(c_.nID)))
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn)                                          \
    AFX_CMD_ENTRY(WM_COMMAND, CN_COMMAND, id, idLast, AFX_THUNK_EX(p_->memberFxn(c_.nID)))
#define ON_UPDATE_COMMAND_UI(id, memberFxn)                                                 \
    AFX_CMD_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI, id, id,                                 \
                  AFX_THUNK(p_->memberFxn(static_cast<CCmdUI*>(c_.pExtra))))
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn)                                   \
    AFX_CMD_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI, id, idLast,                             \
                  AFX_THUNK(p_->memberFxn(static_cast<CCmdUI*>(c_.pExtra))))

// ---- control notifications (WM_COMMAND from a child) ----------------------------------------
#define ON_CONTROL(code, id, memberFxn)                                                     \
    AFX_CMD_ENTRY(WM_COMMAND, code, id, id, AFX_THUNK(p_->memberFxn()))
#define ON_CONTROL_RANGE(code, id, idLast, memberFxn)                                       \
    AFX_CMD_ENTRY(WM_COMMAND, code, id, idLast, AFX_THUNK(p_->memberFxn(c_.nID)))
#define ON_CONTROL_REFLECT(code, memberFxn)                                                 \
    AFX_CMD_ENTRY(WM_REFLECT_BASE + WM_COMMAND, code, 0, 0, AFX_THUNK(p_->memberFxn()))
#define ON_CONTROL_REFLECT_EX(code, memberFxn)                                              \
    AFX_CMD_ENTRY(WM_REFLECT_BASE + WM_COMMAND, code, 0, 0, AFX_THUNK_EX(p_->memberFxn()))

#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn) ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_EN_HSCROLL(id, memberFxn) ON_CONTROL(EN_HSCROLL, id, memberFxn)
#define ON_EN_VSCROLL(id, memberFxn) ON_CONTROL(EN_VSCROLL, id, memberFxn)
#define ON_EN_ERRSPACE(id, memberFxn) ON_CONTROL(EN_ERRSPACE, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn) ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_SELENDCANCEL(id, memberFxn) ON_CONTROL(CBN_SELENDCANCEL, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn) ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_DBLCLK(id, memberFxn) ON_CONTROL(CBN_DBLCLK, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SELCANCEL(id, memberFxn) ON_CONTROL(LBN_SELCANCEL, id, memberFxn)
#define ON_LBN_SETFOCUS(id, memberFxn) ON_CONTROL(LBN_SETFOCUS, id, memberFxn)
#define ON_LBN_KILLFOCUS(id, memberFxn) ON_CONTROL(LBN_KILLFOCUS, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_STN_DBLCLK(id, memberFxn) ON_CONTROL(STN_DBLCLK, id, memberFxn)

// ---- WM_NOTIFY ------------------------------------------------------------------------------
#define ON_NOTIFY(code, id, memberFxn)                                                      \
    AFX_CMD_ENTRY(WM_NOTIFY, code, id, id, AFX_THUNK(p_->memberFxn(AFX_NOTIFY_ARGS)))
#define ON_NOTIFY_RANGE(code, id, idLast, memberFxn)                                        \
    AFX_CMD_ENTRY(WM_NOTIFY, code, id, idLast,                                              \
                  AFX_THUNK(p_->memberFxn(c_.nID, AFX_NOTIFY_ARGS)))
#define ON_NOTIFY_EX(code, id, memberFxn)                                                   \
    AFX_CMD_ENTRY(WM_NOTIFY, code, id, id, AFX_THUNK_EX(p_->memberFxn(c_.nID, AFX_NOTIFY_ARGS)))
#define ON_NOTIFY_EX_RANGE(code, id, idLast, memberFxn)                                     \
    AFX_CMD_ENTRY(WM_NOTIFY, code, id, idLast,                                              \
                  AFX_THUNK_EX(p_->memberFxn(c_.nID, AFX_NOTIFY_ARGS)))
#define ON_NOTIFY_REFLECT(code, memberFxn)                                                  \
    AFX_CMD_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, code, 0, 0,                                  \
                  AFX_THUNK(p_->memberFxn(AFX_NOTIFY_ARGS)))
#define ON_NOTIFY_REFLECT_EX(code, memberFxn)                                               \
    AFX_CMD_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, code, 0, 0,                                  \
                  AFX_THUNK_EX(p_->memberFxn(AFX_NOTIFY_ARGS)))

// ---- reflected window messages --------------------------------------------------------------
#define ON_WM_CTLCOLOR_REFLECT()                                                            \
    {WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0, 0, AfxSig_msg, nullptr,                           \
     [](CCmdTarget* t_, AFX_MSGCALL& c_) -> BOOL {                                          \
         auto* cc_ = reinterpret_cast<AFX_CTLCOLOR*>(c_.lParam);                            \
         HBRUSH br_ = static_cast<ThisClass*>(t_)->CtlColor(CDC::FromHandle(cc_->hDC),      \
                                                            cc_->nCtlType);                 \
         c_.result = reinterpret_cast<LRESULT>(br_);                                        \
         return br_ != nullptr;                                                             \
     }},
#define ON_WM_DRAWITEM_REFLECT()                                                            \
    AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_DRAWITEM,                                            \
                  p_->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(AFX_LP)); c_.result = TRUE)
#define ON_WM_MEASUREITEM_REFLECT()                                                         \
    AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_MEASUREITEM,                                         \
                  p_->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(AFX_LP));           \
                  c_.result = TRUE)
#define ON_WM_HSCROLL_REFLECT()                                                             \
    AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_HSCROLL, p_->HScroll(LOWORD(AFX_WP), HIWORD(AFX_WP)))
#define ON_WM_VSCROLL_REFLECT()                                                             \
    AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_VSCROLL, p_->VScroll(LOWORD(AFX_WP), HIWORD(AFX_WP)))

// ---- window messages ------------------------------------------------------------------------
#define ON_WM_CREATE()                                                                      \
    AFX_MSG_ENTRY(WM_CREATE, c_.result = p_->OnCreate(reinterpret_cast<LPCREATESTRUCT>(AFX_LP)))
#define ON_WM_NCCREATE()                                                                    \
    AFX_MSG_ENTRY(WM_NCCREATE,                                                              \
                  c_.result = p_->OnNcCreate(reinterpret_cast<LPCREATESTRUCT>(AFX_LP)))
#define ON_WM_DESTROY() AFX_MSG_ENTRY(WM_DESTROY, p_->OnDestroy())
#define ON_WM_NCDESTROY() AFX_MSG_ENTRY(WM_NCDESTROY, p_->OnNcDestroy())
#define ON_WM_CLOSE() AFX_MSG_ENTRY(WM_CLOSE, p_->OnClose())
#define ON_WM_SIZE()                                                                        \
    AFX_MSG_ENTRY(WM_SIZE, p_->OnSize(static_cast<UINT>(AFX_WP), AFX_X, AFX_Y))
#define ON_WM_MOVE() AFX_MSG_ENTRY(WM_MOVE, p_->OnMove(AFX_X, AFX_Y))
#define ON_WM_SIZING()                                                                      \
    AFX_MSG_ENTRY(WM_SIZING, p_->OnSizing(static_cast<UINT>(AFX_WP),                       \
                                          reinterpret_cast<LPRECT>(AFX_LP));               \
                  c_.result = TRUE)
#define ON_WM_MOVING()                                                                      \
    AFX_MSG_ENTRY(WM_MOVING, p_->OnMoving(static_cast<UINT>(AFX_WP),                       \
                                          reinterpret_cast<LPRECT>(AFX_LP));               \
                  c_.result = TRUE)
#define ON_WM_ENTERSIZEMOVE() AFX_MSG_ENTRY(WM_ENTERSIZEMOVE, p_->OnEnterSizeMove())
#define ON_WM_EXITSIZEMOVE() AFX_MSG_ENTRY(WM_EXITSIZEMOVE, p_->OnExitSizeMove())
#define ON_WM_TIMER() AFX_MSG_ENTRY(WM_TIMER, p_->OnTimer(static_cast<UINT_PTR>(AFX_WP)))
#define ON_WM_PAINT() AFX_MSG_ENTRY(WM_PAINT, p_->OnPaint())
#define ON_WM_NCPAINT() AFX_MSG_ENTRY(WM_NCPAINT, p_->OnNcPaint())
#define ON_WM_ERASEBKGND()                                                                  \
    AFX_MSG_ENTRY(WM_ERASEBKGND,                                                            \
                  c_.result = p_->OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(AFX_WP))))
#define ON_WM_PRINTCLIENT()                                                                 \
    AFX_MSG_ENTRY(WM_PRINTCLIENT,                                                           \
                  p_->OnPrintClient(CDC::FromHandle(reinterpret_cast<HDC>(AFX_WP)),         \
                                    static_cast<UINT>(AFX_LP)))
#define ON_WM_SYSCOLORCHANGE() AFX_MSG_ENTRY(WM_SYSCOLORCHANGE, p_->OnSysColorChange())
#define ON_WM_SETTINGCHANGE()                                                               \
    AFX_MSG_ENTRY(WM_SETTINGCHANGE, p_->OnSettingChange(static_cast<UINT>(AFX_WP),          \
                                                        reinterpret_cast<LPCTSTR>(AFX_LP)))
#define ON_WM_FONTCHANGE() AFX_MSG_ENTRY(WM_FONTCHANGE, p_->OnFontChange())
#define ON_WM_TIMECHANGE() AFX_MSG_ENTRY(WM_TIMECHANGE, p_->OnTimeChange())
#define ON_WM_DISPLAYCHANGE()                                                               \
    AFX_MSG_ENTRY(WM_DISPLAYCHANGE,                                                         \
                  p_->OnDisplayChange(static_cast<UINT>(AFX_WP), LOWORD(AFX_LP),            \
                                      HIWORD(AFX_LP)))
#define ON_WM_THEMECHANGED() AFX_MSG_ENTRY(WM_THEMECHANGED, c_.result = p_->OnThemeChanged())
#define ON_WM_SETCURSOR()                                                                   \
    AFX_MSG_ENTRY(WM_SETCURSOR, c_.result = p_->OnSetCursor(AFX_WND(AFX_WP), LOWORD(AFX_LP), \
                                                            HIWORD(AFX_LP)))
#define ON_WM_MOUSEACTIVATE()                                                               \
    AFX_MSG_ENTRY(WM_MOUSEACTIVATE,                                                         \
                  c_.result = p_->OnMouseActivate(AFX_WND(AFX_WP), LOWORD(AFX_LP),          \
                                                  HIWORD(AFX_LP)))
#define AFX_MOUSE_ENTRY(msg, fn)                                                            \
    AFX_MSG_ENTRY(msg, p_->fn(static_cast<UINT>(AFX_WP), AFX_PT))
#define ON_WM_MOUSEMOVE() AFX_MOUSE_ENTRY(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_LBUTTONDOWN() AFX_MOUSE_ENTRY(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_MOUSE_ENTRY(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_MOUSE_ENTRY(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_MOUSE_ENTRY(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_MOUSE_ENTRY(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() AFX_MOUSE_ENTRY(WM_RBUTTONDBLCLK, OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() AFX_MOUSE_ENTRY(WM_MBUTTONDOWN, OnMButtonDown)
#define ON_WM_MBUTTONUP() AFX_MOUSE_ENTRY(WM_MBUTTONUP, OnMButtonUp)
#define ON_WM_MBUTTONDBLCLK() AFX_MOUSE_ENTRY(WM_MBUTTONDBLCLK, OnMButtonDblClk)
#define ON_WM_MOUSEHOVER() AFX_MOUSE_ENTRY(WM_MOUSEHOVER, OnMouseHover)
#define ON_WM_MOUSELEAVE() AFX_MSG_ENTRY(WM_MOUSELEAVE, p_->OnMouseLeave())
#define ON_WM_NCMOUSELEAVE() AFX_MSG_ENTRY(WM_NCMOUSELEAVE, p_->OnNcMouseLeave())
#define AFX_XBUTTON_ENTRY(msg, fn)                                                          \
    AFX_MSG_ENTRY(msg, p_->fn(GET_KEYSTATE_WPARAM(AFX_WP), GET_XBUTTON_WPARAM(AFX_WP),       \
                              AFX_PT);                                                      \
                  c_.result = TRUE)
#define ON_WM_XBUTTONDOWN() AFX_XBUTTON_ENTRY(WM_XBUTTONDOWN, OnXButtonDown)
#define ON_WM_XBUTTONUP() AFX_XBUTTON_ENTRY(WM_XBUTTONUP, OnXButtonUp)
#define ON_WM_XBUTTONDBLCLK() AFX_XBUTTON_ENTRY(WM_XBUTTONDBLCLK, OnXButtonDblClk)
#define ON_WM_MOUSEWHEEL()                                                                  \
    AFX_MSG_ENTRY(WM_MOUSEWHEEL,                                                            \
                  c_.result = p_->OnMouseWheel(LOWORD(AFX_WP),                              \
                                               static_cast<short>(HIWORD(AFX_WP)), AFX_PT))
#define ON_WM_MOUSEHWHEEL()                                                                 \
    AFX_MSG_ENTRY(WM_MOUSEHWHEEL,                                                           \
                  p_->OnMouseHWheel(LOWORD(AFX_WP), static_cast<short>(HIWORD(AFX_WP)),     \
                                    AFX_PT))
#define AFX_NCMOUSE_ENTRY(msg, fn)                                                          \
    AFX_MSG_ENTRY(msg, p_->fn(static_cast<UINT>(AFX_WP), AFX_PT))
#define ON_WM_NCMOUSEMOVE() AFX_NCMOUSE_ENTRY(WM_NCMOUSEMOVE, OnNcMouseMove)
#define ON_WM_NCMOUSEHOVER() AFX_NCMOUSE_ENTRY(WM_NCMOUSEHOVER, OnNcMouseHover)
#define ON_WM_NCLBUTTONDOWN() AFX_NCMOUSE_ENTRY(WM_NCLBUTTONDOWN, OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP() AFX_NCMOUSE_ENTRY(WM_NCLBUTTONUP, OnNcLButtonUp)
#define ON_WM_NCLBUTTONDBLCLK() AFX_NCMOUSE_ENTRY(WM_NCLBUTTONDBLCLK, OnNcLButtonDblClk)
#define ON_WM_NCRBUTTONDOWN() AFX_NCMOUSE_ENTRY(WM_NCRBUTTONDOWN, OnNcRButtonDown)
#define ON_WM_NCRBUTTONUP() AFX_NCMOUSE_ENTRY(WM_NCRBUTTONUP, OnNcRButtonUp)
#define ON_WM_NCRBUTTONDBLCLK() AFX_NCMOUSE_ENTRY(WM_NCRBUTTONDBLCLK, OnNcRButtonDblClk)
#define ON_WM_NCMBUTTONDOWN() AFX_NCMOUSE_ENTRY(WM_NCMBUTTONDOWN, OnNcMButtonDown)
#define ON_WM_NCMBUTTONUP() AFX_NCMOUSE_ENTRY(WM_NCMBUTTONUP, OnNcMButtonUp)
#define ON_WM_NCMBUTTONDBLCLK() AFX_NCMOUSE_ENTRY(WM_NCMBUTTONDBLCLK, OnNcMButtonDblClk)
#define ON_WM_NCHITTEST() AFX_MSG_ENTRY(WM_NCHITTEST, c_.result = p_->OnNcHitTest(AFX_PT))
#define ON_WM_NCCALCSIZE()                                                                  \
    AFX_MSG_ENTRY(WM_NCCALCSIZE,                                                            \
                  p_->OnNcCalcSize(static_cast<BOOL>(AFX_WP),                               \
                                   reinterpret_cast<NCCALCSIZE_PARAMS*>(AFX_LP)))
#define ON_WM_NCACTIVATE()                                                                  \
    AFX_MSG_ENTRY(WM_NCACTIVATE, c_.result = p_->OnNcActivate(static_cast<BOOL>(AFX_WP)))
#define AFX_KEY_ENTRY(msg, fn)                                                              \
    AFX_MSG_ENTRY(msg, p_->fn(static_cast<UINT>(AFX_WP), LOWORD(AFX_LP), HIWORD(AFX_LP)))
#define ON_WM_KEYDOWN() AFX_KEY_ENTRY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() AFX_KEY_ENTRY(WM_KEYUP, OnKeyUp)
#define ON_WM_SYSKEYDOWN() AFX_KEY_ENTRY(WM_SYSKEYDOWN, OnSysKeyDown)
#define ON_WM_SYSKEYUP() AFX_KEY_ENTRY(WM_SYSKEYUP, OnSysKeyUp)
#define ON_WM_CHAR() AFX_KEY_ENTRY(WM_CHAR, OnChar)
#define ON_WM_SYSCHAR() AFX_KEY_ENTRY(WM_SYSCHAR, OnSysChar)
#define ON_WM_HOTKEY()                                                                      \
    AFX_MSG_ENTRY(WM_HOTKEY, p_->OnHotKey(static_cast<UINT>(AFX_WP), LOWORD(AFX_LP),        \
                                          HIWORD(AFX_LP)))
#define ON_WM_GETDLGCODE() AFX_MSG_ENTRY(WM_GETDLGCODE, c_.result = p_->OnGetDlgCode())
#define ON_WM_SETFOCUS() AFX_MSG_ENTRY(WM_SETFOCUS, p_->OnSetFocus(AFX_WND(AFX_WP)))
#define ON_WM_KILLFOCUS() AFX_MSG_ENTRY(WM_KILLFOCUS, p_->OnKillFocus(AFX_WND(AFX_WP)))
#define ON_WM_ACTIVATE()                                                                    \
    AFX_MSG_ENTRY(WM_ACTIVATE, p_->OnActivate(LOWORD(AFX_WP), AFX_WND(AFX_LP),              \
                                              static_cast<BOOL>(HIWORD(AFX_WP))))
#define ON_WM_ACTIVATEAPP()                                                                 \
    AFX_MSG_ENTRY(WM_ACTIVATEAPP, p_->OnActivateApp(static_cast<BOOL>(AFX_WP),              \
                                                    static_cast<DWORD>(AFX_LP)))
#define ON_WM_CHILDACTIVATE() AFX_MSG_ENTRY(WM_CHILDACTIVATE, p_->OnChildActivate())
#define ON_WM_ENABLE() AFX_MSG_ENTRY(WM_ENABLE, p_->OnEnable(static_cast<BOOL>(AFX_WP)))
#define ON_WM_SHOWWINDOW()                                                                  \
    AFX_MSG_ENTRY(WM_SHOWWINDOW,                                                            \
                  p_->OnShowWindow(static_cast<BOOL>(AFX_WP), static_cast<UINT>(AFX_LP)))
#define ON_WM_WINDOWPOSCHANGING()                                                           \
    AFX_MSG_ENTRY(WM_WINDOWPOSCHANGING,                                                     \
                  p_->OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(AFX_LP)))
#define ON_WM_WINDOWPOSCHANGED()                                                            \
    AFX_MSG_ENTRY(WM_WINDOWPOSCHANGED,                                                      \
                  p_->OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(AFX_LP)))
#define ON_WM_STYLECHANGED()                                                                \
    AFX_MSG_ENTRY(WM_STYLECHANGED, p_->OnStyleChanged(static_cast<int>(AFX_WP),             \
                                                      reinterpret_cast<LPSTYLESTRUCT>(AFX_LP)))
#define ON_WM_STYLECHANGING()                                                               \
    AFX_MSG_ENTRY(WM_STYLECHANGING,                                                         \
                  p_->OnStyleChanging(static_cast<int>(AFX_WP),                             \
                                      reinterpret_cast<LPSTYLESTRUCT>(AFX_LP)))
#define ON_WM_GETMINMAXINFO()                                                               \
    AFX_MSG_ENTRY(WM_GETMINMAXINFO,                                                         \
                  p_->OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(AFX_LP)))
#define ON_WM_SYSCOMMAND()                                                                  \
    AFX_MSG_ENTRY(WM_SYSCOMMAND, p_->OnSysCommand(static_cast<UINT>(AFX_WP), AFX_LP))
#define ON_WM_HELPINFO()                                                                    \
    AFX_MSG_ENTRY(WM_HELPINFO, c_.result = p_->OnHelpInfo(reinterpret_cast<HELPINFO*>(AFX_LP)))
#define ON_WM_CONTEXTMENU()                                                                 \
    AFX_MSG_ENTRY(WM_CONTEXTMENU, p_->OnContextMenu(AFX_WND(AFX_WP), AFX_PT))
#define ON_WM_INITMENU()                                                                    \
    AFX_MSG_ENTRY(WM_INITMENU, p_->OnInitMenu(CMenu::FromHandle(reinterpret_cast<HMENU>(AFX_WP))))
#define ON_WM_INITMENUPOPUP()                                                               \
    AFX_MSG_ENTRY(WM_INITMENUPOPUP,                                                         \
                  p_->OnInitMenuPopup(CMenu::FromHandle(reinterpret_cast<HMENU>(AFX_WP)),   \
                                      LOWORD(AFX_LP), static_cast<BOOL>(HIWORD(AFX_LP))))
#define ON_WM_UNINITMENUPOPUP()                                                             \
    AFX_MSG_ENTRY(WM_UNINITMENUPOPUP,                                                       \
                  p_->OnUnInitMenuPopup(CMenu::FromHandle(reinterpret_cast<HMENU>(AFX_WP)), \
                                        static_cast<UINT>(AFX_LP)))
#define ON_WM_MENUSELECT()                                                                  \
    AFX_MSG_ENTRY(WM_MENUSELECT, p_->OnMenuSelect(LOWORD(AFX_WP), HIWORD(AFX_WP),           \
                                                  reinterpret_cast<HMENU>(AFX_LP)))
#define ON_WM_MENUCHAR()                                                                    \
    AFX_MSG_ENTRY(WM_MENUCHAR,                                                              \
                  c_.result = p_->OnMenuChar(LOWORD(AFX_WP), HIWORD(AFX_WP),                \
                                             CMenu::FromHandle(reinterpret_cast<HMENU>(AFX_LP))))
#define ON_WM_ENTERMENULOOP()                                                               \
    AFX_MSG_ENTRY(WM_ENTERMENULOOP, p_->OnEnterMenuLoop(static_cast<BOOL>(AFX_WP)))
#define ON_WM_EXITMENULOOP()                                                                \
    AFX_MSG_ENTRY(WM_EXITMENULOOP, p_->OnExitMenuLoop(static_cast<BOOL>(AFX_WP)))
#define ON_WM_CAPTURECHANGED()                                                              \
    AFX_MSG_ENTRY(WM_CAPTURECHANGED, p_->OnCaptureChanged(AFX_WND(AFX_LP)))
#define ON_WM_CANCELMODE() AFX_MSG_ENTRY(WM_CANCELMODE, p_->OnCancelMode())
#define ON_WM_HSCROLL()                                                                     \
    AFX_MSG_ENTRY(WM_HSCROLL, p_->OnHScroll(LOWORD(AFX_WP), HIWORD(AFX_WP),                 \
                                            reinterpret_cast<CScrollBar*>(AFX_WND(AFX_LP))))
#define ON_WM_VSCROLL()                                                                     \
    AFX_MSG_ENTRY(WM_VSCROLL, p_->OnVScroll(LOWORD(AFX_WP), HIWORD(AFX_WP),                 \
                                            reinterpret_cast<CScrollBar*>(AFX_WND(AFX_LP))))
#define ON_WM_DRAWITEM()                                                                    \
    AFX_MSG_ENTRY(WM_DRAWITEM, p_->OnDrawItem(static_cast<int>(AFX_WP),                     \
                                              reinterpret_cast<LPDRAWITEMSTRUCT>(AFX_LP));  \
                  c_.result = TRUE)
#define ON_WM_MEASUREITEM()                                                                 \
    AFX_MSG_ENTRY(WM_MEASUREITEM,                                                           \
                  p_->OnMeasureItem(static_cast<int>(AFX_WP),                               \
                                    reinterpret_cast<LPMEASUREITEMSTRUCT>(AFX_LP));         \
                  c_.result = TRUE)
#define ON_WM_DELETEITEM()                                                                  \
    AFX_MSG_ENTRY(WM_DELETEITEM, p_->OnDeleteItem(static_cast<int>(AFX_WP),                 \
                                                  reinterpret_cast<LPDELETEITEMSTRUCT>(AFX_LP)); \
                  c_.result = TRUE)
#define ON_WM_COMPAREITEM()                                                                 \
    AFX_MSG_ENTRY(WM_COMPAREITEM,                                                           \
                  c_.result = p_->OnCompareItem(static_cast<int>(AFX_WP),                   \
                                                reinterpret_cast<LPCOMPAREITEMSTRUCT>(AFX_LP)))
// All WM_CTLCOLORxxx messages arrive under the one entry.
#define ON_WM_CTLCOLOR()                                                                    \
    AFX_MSG_ENTRY(WM_CTLCOLOR,                                                              \
                  c_.result = reinterpret_cast<LRESULT>(p_->OnCtlColor(                     \
                      CDC::FromHandle(reinterpret_cast<HDC>(AFX_WP)), AFX_WND(AFX_LP),      \
                      c_.message - WM_CTLCOLORMSGBOX)))
#define ON_WM_PARENTNOTIFY()                                                                \
    AFX_MSG_ENTRY(WM_PARENTNOTIFY, p_->OnParentNotify(static_cast<UINT>(AFX_WP), AFX_LP))
#define ON_WM_DROPFILES()                                                                   \
    AFX_MSG_ENTRY(WM_DROPFILES, p_->OnDropFiles(reinterpret_cast<HDROP>(AFX_WP)))
#define ON_WM_COPYDATA()                                                                    \
    AFX_MSG_ENTRY(WM_COPYDATA,                                                              \
                  c_.result = p_->OnCopyData(AFX_WND(AFX_WP),                               \
                                             reinterpret_cast<COPYDATASTRUCT*>(AFX_LP)))
#define ON_WM_ENTERIDLE()                                                                   \
    AFX_MSG_ENTRY(WM_ENTERIDLE, p_->OnEnterIdle(static_cast<UINT>(AFX_WP), AFX_WND(AFX_LP)))
#define ON_WM_QUERYENDSESSION()                                                             \
    AFX_MSG_ENTRY(WM_QUERYENDSESSION, c_.result = p_->OnQueryEndSession())
#define ON_WM_ENDSESSION()                                                                  \
    AFX_MSG_ENTRY(WM_ENDSESSION, p_->OnEndSession(static_cast<BOOL>(AFX_WP)))
#define ON_WM_QUERYDRAGICON()                                                               \
    AFX_MSG_ENTRY(WM_QUERYDRAGICON, c_.result = reinterpret_cast<LRESULT>(p_->OnQueryDragIcon()))
#define ON_WM_PALETTECHANGED()                                                              \
    AFX_MSG_ENTRY(WM_PALETTECHANGED, p_->OnPaletteChanged(AFX_WND(AFX_WP)))
#define ON_WM_QUERYNEWPALETTE()                                                             \
    AFX_MSG_ENTRY(WM_QUERYNEWPALETTE, c_.result = p_->OnQueryNewPalette())
#define ON_WM_DEVICECHANGE()                                                                \
    AFX_MSG_ENTRY(WM_DEVICECHANGE, c_.result = p_->OnDeviceChange(static_cast<UINT>(AFX_WP), \
                                                                  static_cast<DWORD_PTR>(AFX_LP)))
#define ON_WM_POWERBROADCAST()                                                              \
    AFX_MSG_ENTRY(WM_POWERBROADCAST,                                                        \
                  c_.result = p_->OnPowerBroadcast(static_cast<UINT>(AFX_WP), AFX_LP))
#define ON_WM_APPCOMMAND()                                                                  \
    AFX_MSG_ENTRY(WM_APPCOMMAND,                                                            \
                  p_->OnAppCommand(AFX_WND(AFX_WP), GET_APPCOMMAND_LPARAM(AFX_LP),          \
                                   GET_DEVICE_LPARAM(AFX_LP), GET_KEYSTATE_LPARAM(AFX_LP)); \
                  c_.result = TRUE)
#define ON_WM_CHANGEUISTATE()                                                               \
    AFX_MSG_ENTRY(WM_CHANGEUISTATE, p_->OnChangeUIState(LOWORD(AFX_WP), HIWORD(AFX_WP)))
#define ON_WM_UPDATEUISTATE()                                                               \
    AFX_MSG_ENTRY(WM_UPDATEUISTATE, p_->OnUpdateUIState(LOWORD(AFX_WP), HIWORD(AFX_WP)))
#define ON_WM_WTSSESSION_CHANGE()                                                           \
    AFX_MSG_ENTRY(WM_WTSSESSION_CHANGE, p_->OnSessionChange(static_cast<UINT>(AFX_WP),      \
                                                            static_cast<UINT>(AFX_LP)))
