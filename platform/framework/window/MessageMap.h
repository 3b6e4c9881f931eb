// Message maps: static tables that route window messages, commands and notifications to
// member functions. Each entry holds a non-capturing lambda that casts the target to the class
// whose map declares it and calls the handler directly, so no member-pointer casts are needed.
// Maps chain to the base class's map; CCmdTarget ends the chain.
#pragma once

#include "platform/framework/window/AfxWinBase.h"

#include <type_traits>

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

// ---- handler signatures ---------------------------------------------------------------------
// A handler must be declared exactly as its entry passes the message: no argument or result may
// merely convert (an OnTimer(unsigned) where the message passes UINT_PTR would lose the upper
// half of a 64-bit timer id). Each entry checks its handler at compile time.
template <class Sig, class MemberPointer>
struct AfxHandlerIs : std::false_type {};
template <class Sig, class Class>
struct AfxHandlerIs<Sig, Sig Class::*> : std::true_type {};
template <class MemberPointer>
struct AfxHandlerSig;
template <class Sig, class Class>
struct AfxHandlerSig<Sig Class::*> {
    using type = Sig;
};
#define AFX_SIG(fn, ...)                                                                    \
    static_assert(AfxHandlerIs<__VA_ARGS__, decltype(&ThisClass::fn)>::value,               \
                  "the handler " #fn " must be declared exactly as " #__VA_ARGS__)
// Window-message handlers are declared as CWnd declares its own.
#define AFX_SIG_CWND(fn)                                                                    \
    static_assert(std::is_same_v<AfxHandlerSig<decltype(&ThisClass::fn)>::type,            \
                                 AfxHandlerSig<decltype(&CWnd::fn)>::type>,                 \
                  "the handler " #fn " must be declared exactly as CWnd declares it")

// ---- building blocks ------------------------------------------------------------------------
#define AFX_THUNK(body)                                                                     \
    [](CCmdTarget* t_, AFX_MSGCALL& c_) -> BOOL {                                           \
        auto* p_ = static_cast<ThisClass*>(t_);                                             \
        (void)p_;                                                                           \
        (void)c_;                                                                           \
        body;                                                                               \
        return TRUE;                                                                        \
    }
#define AFX_THUNK_EX(check, expr)                                                       \
    [](CCmdTarget* t_, AFX_MSGCALL& c_) -> BOOL {                                           \
        check;                                                                              \
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
    AFX_MSG_ENTRY(message, AFX_SIG(memberFxn, LRESULT(WPARAM, LPARAM));                     \
                           c_.result = p_->memberFxn(c_.wParam, c_.lParam))
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                                  \
    {0, 0, 0, 0, AfxSig_regmsg, &(nMessageVariable),                                        \
     AFX_THUNK(AFX_SIG(memberFxn, LRESULT(WPARAM, LPARAM));                                 \
               c_.result = p_->memberFxn(c_.wParam, c_.lParam))},
#define ON_THREAD_MESSAGE(message, memberFxn)                                               \
    AFX_MSG_ENTRY(message, AFX_SIG(memberFxn, void(WPARAM, LPARAM));                        \
                           p_->memberFxn(c_.wParam, c_.lParam))
#define ON_REGISTERED_THREAD_MESSAGE(nMessageVariable, memberFxn)                           \
    {0, 0, 0, 0, AfxSig_regmsg, &(nMessageVariable),                                        \
     AFX_THUNK(AFX_SIG(memberFxn, void(WPARAM, LPARAM)); p_->memberFxn(c_.wParam, c_.lParam))},

// ---- commands -------------------------------------------------------------------------------
#define ON_COMMAND(id, memberFxn)                                                           \
    AFX_CMD_ENTRY(WM_COMMAND, CN_COMMAND, id, id,                                           \
                  AFX_THUNK(AFX_SIG(memberFxn, void());                                     \
                            p_->memberFxn()))
#define ON_COMMAND_EX(id, memberFxn)                                                        \
    AFX_CMD_ENTRY(WM_COMMAND, CN_COMMAND, id, id,                                           \
                  AFX_THUNK_EX(AFX_SIG(memberFxn, BOOL(UINT)),                         \
                                   p_->memberFxn(c_.nID)))
#define ON_COMMAND_RANGE(id, idLast, memberFxn)                                             \
    AFX_CMD_ENTRY(WM_COMMAND, CN_COMMAND, id, idLast,                                       \
                  AFX_THUNK(AFX_SIG(memberFxn, void(UINT));                                 \
                            p_->memberFxn(c_.nID)))
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn)                                          \
    AFX_CMD_ENTRY(WM_COMMAND, CN_COMMAND, id, idLast,                                       \
                  AFX_THUNK_EX(AFX_SIG(memberFxn, BOOL(UINT)),                         \
                                   p_->memberFxn(c_.nID)))
#define ON_UPDATE_COMMAND_UI(id, memberFxn)                                                 \
    AFX_CMD_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI, id, id,                                 \
                  AFX_THUNK(AFX_SIG(memberFxn, void(CCmdUI*));                              \
                            p_->memberFxn(static_cast<CCmdUI*>(c_.pExtra))))
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn)                                   \
    AFX_CMD_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI, id, idLast,                             \
                  AFX_THUNK(AFX_SIG(memberFxn, void(CCmdUI*));                              \
                            p_->memberFxn(static_cast<CCmdUI*>(c_.pExtra))))

// ---- control notifications (WM_COMMAND from a child) ----------------------------------------
#define ON_CONTROL(code, id, memberFxn)                                                     \
    AFX_CMD_ENTRY(WM_COMMAND, code, id, id, AFX_THUNK(AFX_SIG(memberFxn, void()); p_->memberFxn()))
#define ON_CONTROL_RANGE(code, id, idLast, memberFxn)                                       \
    AFX_CMD_ENTRY(WM_COMMAND, code, id, idLast,                                             \
                  AFX_THUNK(AFX_SIG(memberFxn, void(UINT));                                 \
                            p_->memberFxn(c_.nID)))
#define ON_CONTROL_REFLECT(code, memberFxn)                                                 \
    AFX_CMD_ENTRY(WM_REFLECT_BASE + WM_COMMAND, code, 0, 0,                                 \
                  AFX_THUNK(AFX_SIG(memberFxn, void());                                     \
                            p_->memberFxn()))
#define ON_CONTROL_REFLECT_EX(code, memberFxn)                                              \
    AFX_CMD_ENTRY(WM_REFLECT_BASE + WM_COMMAND, code, 0, 0,                                 \
                  AFX_THUNK_EX(AFX_SIG(memberFxn, BOOL()),                             \
                                   p_->memberFxn()))

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
    AFX_CMD_ENTRY(WM_NOTIFY, code, id, id,                                                  \
                  AFX_THUNK(AFX_SIG(memberFxn, void(NMHDR*, LRESULT*));                     \
                            p_->memberFxn(AFX_NOTIFY_ARGS)))
#define ON_NOTIFY_RANGE(code, id, idLast, memberFxn)                                        \
    AFX_CMD_ENTRY(WM_NOTIFY, code, id, idLast,                                              \
                  AFX_THUNK(AFX_SIG(memberFxn, void(UINT, NMHDR*, LRESULT*));               \
                            p_->memberFxn(c_.nID, AFX_NOTIFY_ARGS)))
#define ON_NOTIFY_EX(code, id, memberFxn)                                                   \
    AFX_CMD_ENTRY(WM_NOTIFY, code, id, id,                                                  \
                  AFX_THUNK_EX(AFX_SIG(memberFxn, BOOL(UINT, NMHDR*, LRESULT*)),       \
                                   p_->memberFxn(c_.nID, AFX_NOTIFY_ARGS)))
#define ON_NOTIFY_EX_RANGE(code, id, idLast, memberFxn)                                     \
    AFX_CMD_ENTRY(WM_NOTIFY, code, id, idLast,                                              \
                  AFX_THUNK_EX(AFX_SIG(memberFxn, BOOL(UINT, NMHDR*, LRESULT*)),       \
                                   p_->memberFxn(c_.nID, AFX_NOTIFY_ARGS)))
#define ON_NOTIFY_REFLECT(code, memberFxn)                                                  \
    AFX_CMD_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, code, 0, 0,                                  \
                  AFX_THUNK(AFX_SIG(memberFxn, void(NMHDR*, LRESULT*));                     \
                            p_->memberFxn(AFX_NOTIFY_ARGS)))
#define ON_NOTIFY_REFLECT_EX(code, memberFxn)                                               \
    AFX_CMD_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, code, 0, 0,                                  \
                  AFX_THUNK_EX(AFX_SIG(memberFxn, BOOL(NMHDR*, LRESULT*)),             \
                                   p_->memberFxn(AFX_NOTIFY_ARGS)))

// ---- reflected window messages --------------------------------------------------------------
#define ON_WM_CTLCOLOR_REFLECT()                                                            \
    {WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0, 0, AfxSig_msg, nullptr,                           \
     [](CCmdTarget* t_, AFX_MSGCALL& c_) -> BOOL {  AFX_SIG(CtlColor, HBRUSH(CDC*, UINT));  \
                                                                                            \
         auto* cc_ = reinterpret_cast<AFX_CTLCOLOR*>(c_.lParam);                            \
         HBRUSH br_ = static_cast<ThisClass*>(t_)->CtlColor(CDC::FromHandle(cc_->hDC),      \
                                                            cc_->nCtlType);                 \
         c_.result = reinterpret_cast<LRESULT>(br_);                                        \
         return br_ != nullptr;                                                             \
     }},
#define ON_WM_DRAWITEM_REFLECT()                                                            \
    AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_DRAWITEM,                                            \
                  AFX_SIG(DrawItem, void(LPDRAWITEMSTRUCT));                                \
                                                                                            \
                  p_->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(AFX_LP)); c_.result = TRUE)
#define ON_WM_MEASUREITEM_REFLECT()                                                         \
    AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_MEASUREITEM,                                         \
                  AFX_SIG(MeasureItem, void(LPMEASUREITEMSTRUCT));                          \
                                                                                            \
                  p_->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(AFX_LP));           \
                  c_.result = TRUE)
#define ON_WM_HSCROLL_REFLECT()                                                             \
    AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_HSCROLL, AFX_SIG(HScroll, void(UINT, UINT));         \
                      p_->HScroll(LOWORD(AFX_WP), HIWORD(AFX_WP)))
#define ON_WM_VSCROLL_REFLECT()                                                             \
    AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_VSCROLL, AFX_SIG(VScroll, void(UINT, UINT));         \
                      p_->VScroll(LOWORD(AFX_WP), HIWORD(AFX_WP)))

// ---- window messages ------------------------------------------------------------------------
#define ON_WM_CREATE()                                                                      \
    AFX_MSG_ENTRY(WM_CREATE, AFX_SIG_CWND(OnCreate);                                        \
                        c_.result = p_->OnCreate(reinterpret_cast<LPCREATESTRUCT>(AFX_LP)))
#define ON_WM_NCCREATE()                                                                    \
    AFX_MSG_ENTRY(WM_NCCREATE,                                                              \
                  AFX_SIG_CWND(OnNcCreate);                                                 \
                                                                                            \
                  c_.result = p_->OnNcCreate(reinterpret_cast<LPCREATESTRUCT>(AFX_LP)))
#define ON_WM_DESTROY() AFX_MSG_ENTRY(WM_DESTROY, AFX_SIG_CWND(OnDestroy); p_->OnDestroy())
#define ON_WM_NCDESTROY() AFX_MSG_ENTRY(WM_NCDESTROY, AFX_SIG_CWND(OnNcDestroy); p_->OnNcDestroy())
#define ON_WM_CLOSE() AFX_MSG_ENTRY(WM_CLOSE, AFX_SIG_CWND(OnClose); p_->OnClose())
#define ON_WM_SIZE()                                                                        \
    AFX_MSG_ENTRY(WM_SIZE, AFX_SIG_CWND(OnSize);                                            \
                           p_->OnSize(static_cast<UINT>(AFX_WP), AFX_X, AFX_Y))
#define ON_WM_MOVE() AFX_MSG_ENTRY(WM_MOVE, AFX_SIG_CWND(OnMove); p_->OnMove(AFX_X, AFX_Y))
#define ON_WM_SIZING()                                                                      \
    AFX_MSG_ENTRY(WM_SIZING, AFX_SIG_CWND(OnSizing);                                        \
                             p_->OnSizing(static_cast<UINT>(AFX_WP),                        \
                                          reinterpret_cast<LPRECT>(AFX_LP));               \
                  c_.result = TRUE)
#define ON_WM_MOVING()                                                                      \
    AFX_MSG_ENTRY(WM_MOVING, AFX_SIG_CWND(OnMoving);                                        \
                             p_->OnMoving(static_cast<UINT>(AFX_WP),                        \
                                          reinterpret_cast<LPRECT>(AFX_LP));               \
                  c_.result = TRUE)
#define ON_WM_ENTERSIZEMOVE() AFX_MSG_ENTRY(WM_ENTERSIZEMOVE, AFX_SIG_CWND(OnEnterSizeMove); \
                      p_->OnEnterSizeMove())
#define ON_WM_EXITSIZEMOVE() AFX_MSG_ENTRY(WM_EXITSIZEMOVE, AFX_SIG_CWND(OnExitSizeMove);   \
                      p_->OnExitSizeMove())
#define ON_WM_TIMER() AFX_MSG_ENTRY(WM_TIMER, AFX_SIG_CWND(OnTimer);                        \
                      p_->OnTimer(static_cast<UINT_PTR>(AFX_WP)))
#define ON_WM_PAINT() AFX_MSG_ENTRY(WM_PAINT, AFX_SIG_CWND(OnPaint); p_->OnPaint())
#define ON_WM_NCPAINT() AFX_MSG_ENTRY(WM_NCPAINT, AFX_SIG_CWND(OnNcPaint); p_->OnNcPaint())
#define ON_WM_ERASEBKGND()                                                                  \
    AFX_MSG_ENTRY(WM_ERASEBKGND,                                                            \
                  AFX_SIG_CWND(OnEraseBkgnd);                                               \
                                                                                            \
                  c_.result = p_->OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(AFX_WP))))
#define ON_WM_PRINTCLIENT()                                                                 \
    AFX_MSG_ENTRY(WM_PRINTCLIENT,                                                           \
                  AFX_SIG_CWND(OnPrintClient);                                              \
                                                                                            \
                  p_->OnPrintClient(CDC::FromHandle(reinterpret_cast<HDC>(AFX_WP)),         \
                                    static_cast<UINT>(AFX_LP)))
#define ON_WM_SYSCOLORCHANGE() AFX_MSG_ENTRY(WM_SYSCOLORCHANGE, AFX_SIG_CWND(OnSysColorChange); \
                      p_->OnSysColorChange())
#define ON_WM_SETTINGCHANGE()                                                               \
    AFX_MSG_ENTRY(WM_SETTINGCHANGE, AFX_SIG_CWND(OnSettingChange);                          \
                      p_->OnSettingChange(static_cast<UINT>(AFX_WP),                        \
                                                        reinterpret_cast<LPCTSTR>(AFX_LP)))
#define ON_WM_FONTCHANGE() AFX_MSG_ENTRY(WM_FONTCHANGE, AFX_SIG_CWND(OnFontChange);         \
                      p_->OnFontChange())
#define ON_WM_TIMECHANGE() AFX_MSG_ENTRY(WM_TIMECHANGE, AFX_SIG_CWND(OnTimeChange);         \
                      p_->OnTimeChange())
#define ON_WM_DISPLAYCHANGE()                                                               \
    AFX_MSG_ENTRY(WM_DISPLAYCHANGE,                                                         \
                  AFX_SIG_CWND(OnDisplayChange);                                            \
                                                                                            \
                  p_->OnDisplayChange(static_cast<UINT>(AFX_WP), LOWORD(AFX_LP),            \
                                      HIWORD(AFX_LP)))
#define ON_WM_THEMECHANGED() AFX_MSG_ENTRY(WM_THEMECHANGED, AFX_SIG_CWND(OnThemeChanged);   \
                      c_.result = p_->OnThemeChanged())
#define ON_WM_SETCURSOR()                                                                   \
    AFX_MSG_ENTRY(WM_SETCURSOR, AFX_SIG_CWND(OnSetCursor);                                  \
                      c_.result = p_->OnSetCursor(AFX_WND(AFX_WP), LOWORD(AFX_LP),          \
                                                            HIWORD(AFX_LP)))
#define ON_WM_MOUSEACTIVATE()                                                               \
    AFX_MSG_ENTRY(WM_MOUSEACTIVATE,                                                         \
                  AFX_SIG_CWND(OnMouseActivate);                                            \
                                                                                            \
                  c_.result = p_->OnMouseActivate(AFX_WND(AFX_WP), LOWORD(AFX_LP),          \
                                                  HIWORD(AFX_LP)))
#define AFX_MOUSE_ENTRY(msg, fn)                                                            \
    AFX_MSG_ENTRY(msg, AFX_SIG_CWND(fn); p_->fn(static_cast<UINT>(AFX_WP), AFX_PT))
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
#define ON_WM_MOUSELEAVE() AFX_MSG_ENTRY(WM_MOUSELEAVE, AFX_SIG_CWND(OnMouseLeave);         \
                      p_->OnMouseLeave())
#define ON_WM_NCMOUSELEAVE() AFX_MSG_ENTRY(WM_NCMOUSELEAVE, AFX_SIG_CWND(OnNcMouseLeave);   \
                      p_->OnNcMouseLeave())
#define AFX_XBUTTON_ENTRY(msg, fn)                                                          \
    AFX_MSG_ENTRY(msg, AFX_SIG_CWND(fn);                                                    \
                       p_->fn(GET_KEYSTATE_WPARAM(AFX_WP), GET_XBUTTON_WPARAM(AFX_WP),      \
                              AFX_PT);                                                      \
                  c_.result = TRUE)
#define ON_WM_XBUTTONDOWN() AFX_XBUTTON_ENTRY(WM_XBUTTONDOWN, OnXButtonDown)
#define ON_WM_XBUTTONUP() AFX_XBUTTON_ENTRY(WM_XBUTTONUP, OnXButtonUp)
#define ON_WM_XBUTTONDBLCLK() AFX_XBUTTON_ENTRY(WM_XBUTTONDBLCLK, OnXButtonDblClk)
#define ON_WM_MOUSEWHEEL()                                                                  \
    AFX_MSG_ENTRY(WM_MOUSEWHEEL,                                                            \
                  AFX_SIG_CWND(OnMouseWheel);                                               \
                                                                                            \
                  c_.result = p_->OnMouseWheel(LOWORD(AFX_WP),                              \
                                               static_cast<short>(HIWORD(AFX_WP)), AFX_PT))
#define ON_WM_MOUSEHWHEEL()                                                                 \
    AFX_MSG_ENTRY(WM_MOUSEHWHEEL,                                                           \
                  AFX_SIG_CWND(OnMouseHWheel);                                              \
                                                                                            \
                  p_->OnMouseHWheel(LOWORD(AFX_WP), static_cast<short>(HIWORD(AFX_WP)),     \
                                    AFX_PT))
#define AFX_NCMOUSE_ENTRY(msg, fn)                                                          \
    AFX_MSG_ENTRY(msg, AFX_SIG_CWND(fn); p_->fn(static_cast<UINT>(AFX_WP), AFX_PT))
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
#define ON_WM_NCHITTEST() AFX_MSG_ENTRY(WM_NCHITTEST, AFX_SIG_CWND(OnNcHitTest);            \
                      c_.result = p_->OnNcHitTest(AFX_PT))
#define ON_WM_NCCALCSIZE()                                                                  \
    AFX_MSG_ENTRY(WM_NCCALCSIZE,                                                            \
                  AFX_SIG_CWND(OnNcCalcSize);                                               \
                                                                                            \
                  p_->OnNcCalcSize(static_cast<BOOL>(AFX_WP),                               \
                                   reinterpret_cast<NCCALCSIZE_PARAMS*>(AFX_LP)))
#define ON_WM_NCACTIVATE()                                                                  \
    AFX_MSG_ENTRY(WM_NCACTIVATE, AFX_SIG_CWND(OnNcActivate);                                \
                      c_.result = p_->OnNcActivate(static_cast<BOOL>(AFX_WP)))
#define AFX_KEY_ENTRY(msg, fn)                                                              \
    AFX_MSG_ENTRY(msg, AFX_SIG_CWND(fn);                                                    \
                       p_->fn(static_cast<UINT>(AFX_WP), LOWORD(AFX_LP), HIWORD(AFX_LP)))
#define ON_WM_KEYDOWN() AFX_KEY_ENTRY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() AFX_KEY_ENTRY(WM_KEYUP, OnKeyUp)
#define ON_WM_SYSKEYDOWN() AFX_KEY_ENTRY(WM_SYSKEYDOWN, OnSysKeyDown)
#define ON_WM_SYSKEYUP() AFX_KEY_ENTRY(WM_SYSKEYUP, OnSysKeyUp)
#define ON_WM_CHAR() AFX_KEY_ENTRY(WM_CHAR, OnChar)
#define ON_WM_SYSCHAR() AFX_KEY_ENTRY(WM_SYSCHAR, OnSysChar)
#define ON_WM_HOTKEY()                                                                      \
    AFX_MSG_ENTRY(WM_HOTKEY, AFX_SIG_CWND(OnHotKey);                                        \
                             p_->OnHotKey(static_cast<UINT>(AFX_WP), LOWORD(AFX_LP),        \
                                          HIWORD(AFX_LP)))
#define ON_WM_GETDLGCODE() AFX_MSG_ENTRY(WM_GETDLGCODE, AFX_SIG_CWND(OnGetDlgCode);         \
                      c_.result = p_->OnGetDlgCode())
#define ON_WM_SETFOCUS() AFX_MSG_ENTRY(WM_SETFOCUS, AFX_SIG_CWND(OnSetFocus);               \
                      p_->OnSetFocus(AFX_WND(AFX_WP)))
#define ON_WM_KILLFOCUS() AFX_MSG_ENTRY(WM_KILLFOCUS, AFX_SIG_CWND(OnKillFocus);            \
                      p_->OnKillFocus(AFX_WND(AFX_WP)))
#define ON_WM_ACTIVATE()                                                                    \
    AFX_MSG_ENTRY(WM_ACTIVATE, AFX_SIG_CWND(OnActivate);                                    \
                      p_->OnActivate(LOWORD(AFX_WP), AFX_WND(AFX_LP),                       \
                                              static_cast<BOOL>(HIWORD(AFX_WP))))
#define ON_WM_ACTIVATEAPP()                                                                 \
    AFX_MSG_ENTRY(WM_ACTIVATEAPP, AFX_SIG_CWND(OnActivateApp);                              \
                      p_->OnActivateApp(static_cast<BOOL>(AFX_WP),                          \
                                                    static_cast<DWORD>(AFX_LP)))
#define ON_WM_CHILDACTIVATE() AFX_MSG_ENTRY(WM_CHILDACTIVATE, AFX_SIG_CWND(OnChildActivate); \
                      p_->OnChildActivate())
#define ON_WM_ENABLE() AFX_MSG_ENTRY(WM_ENABLE, AFX_SIG_CWND(OnEnable);                     \
                      p_->OnEnable(static_cast<BOOL>(AFX_WP)))
#define ON_WM_SHOWWINDOW()                                                                  \
    AFX_MSG_ENTRY(WM_SHOWWINDOW,                                                            \
                  AFX_SIG_CWND(OnShowWindow);                                               \
                                                                                            \
                  p_->OnShowWindow(static_cast<BOOL>(AFX_WP), static_cast<UINT>(AFX_LP)))
#define ON_WM_WINDOWPOSCHANGING()                                                           \
    AFX_MSG_ENTRY(WM_WINDOWPOSCHANGING,                                                     \
                  AFX_SIG_CWND(OnWindowPosChanging);                                        \
                                                                                            \
                  p_->OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(AFX_LP)))
#define ON_WM_WINDOWPOSCHANGED()                                                            \
    AFX_MSG_ENTRY(WM_WINDOWPOSCHANGED,                                                      \
                  AFX_SIG_CWND(OnWindowPosChanged);                                         \
                                                                                            \
                  p_->OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(AFX_LP)))
#define ON_WM_STYLECHANGED()                                                                \
    AFX_MSG_ENTRY(WM_STYLECHANGED, AFX_SIG_CWND(OnStyleChanged);                            \
                      p_->OnStyleChanged(static_cast<int>(AFX_WP),                          \
                                                      reinterpret_cast<LPSTYLESTRUCT>(AFX_LP)))
#define ON_WM_STYLECHANGING()                                                               \
    AFX_MSG_ENTRY(WM_STYLECHANGING,                                                         \
                  AFX_SIG_CWND(OnStyleChanging);                                            \
                                                                                            \
                  p_->OnStyleChanging(static_cast<int>(AFX_WP),                             \
                                      reinterpret_cast<LPSTYLESTRUCT>(AFX_LP)))
#define ON_WM_GETMINMAXINFO()                                                               \
    AFX_MSG_ENTRY(WM_GETMINMAXINFO,                                                         \
                  AFX_SIG_CWND(OnGetMinMaxInfo);                                            \
                                                                                            \
                  p_->OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(AFX_LP)))
#define ON_WM_SYSCOMMAND()                                                                  \
    AFX_MSG_ENTRY(WM_SYSCOMMAND, AFX_SIG_CWND(OnSysCommand);                                \
                      p_->OnSysCommand(static_cast<UINT>(AFX_WP), AFX_LP))
#define ON_WM_HELPINFO()                                                                    \
    AFX_MSG_ENTRY(WM_HELPINFO, AFX_SIG_CWND(OnHelpInfo);                                    \
                           c_.result = p_->OnHelpInfo(reinterpret_cast<HELPINFO*>(AFX_LP)))
#define ON_WM_CONTEXTMENU()                                                                 \
    AFX_MSG_ENTRY(WM_CONTEXTMENU, AFX_SIG_CWND(OnContextMenu);                              \
                      p_->OnContextMenu(AFX_WND(AFX_WP), AFX_PT))
#define ON_WM_INITMENU()                                                                    \
    AFX_MSG_ENTRY(WM_INITMENU, AFX_SIG_CWND(OnInitMenu);                                    \
                        p_->OnInitMenu(CMenu::FromHandle(reinterpret_cast<HMENU>(AFX_WP))))
#define ON_WM_INITMENUPOPUP()                                                               \
    AFX_MSG_ENTRY(WM_INITMENUPOPUP,                                                         \
                  AFX_SIG_CWND(OnInitMenuPopup);                                            \
                                                                                            \
                  p_->OnInitMenuPopup(CMenu::FromHandle(reinterpret_cast<HMENU>(AFX_WP)),   \
                                      LOWORD(AFX_LP), static_cast<BOOL>(HIWORD(AFX_LP))))
#define ON_WM_UNINITMENUPOPUP()                                                             \
    AFX_MSG_ENTRY(WM_UNINITMENUPOPUP,                                                       \
                  AFX_SIG_CWND(OnUnInitMenuPopup);                                          \
                                                                                            \
                  p_->OnUnInitMenuPopup(CMenu::FromHandle(reinterpret_cast<HMENU>(AFX_WP)), \
                                        static_cast<UINT>(AFX_LP)))
#define ON_WM_MENUSELECT()                                                                  \
    AFX_MSG_ENTRY(WM_MENUSELECT, AFX_SIG_CWND(OnMenuSelect);                                \
                      p_->OnMenuSelect(LOWORD(AFX_WP), HIWORD(AFX_WP),                      \
                                                  reinterpret_cast<HMENU>(AFX_LP)))
#define ON_WM_MENUCHAR()                                                                    \
    AFX_MSG_ENTRY(WM_MENUCHAR,                                                              \
                  AFX_SIG_CWND(OnMenuChar);                                                 \
                                                                                            \
                  c_.result = p_->OnMenuChar(LOWORD(AFX_WP), HIWORD(AFX_WP),                \
                                             CMenu::FromHandle(reinterpret_cast<HMENU>(AFX_LP))))
#define ON_WM_ENTERMENULOOP()                                                               \
    AFX_MSG_ENTRY(WM_ENTERMENULOOP, AFX_SIG_CWND(OnEnterMenuLoop);                          \
                      p_->OnEnterMenuLoop(static_cast<BOOL>(AFX_WP)))
#define ON_WM_EXITMENULOOP()                                                                \
    AFX_MSG_ENTRY(WM_EXITMENULOOP, AFX_SIG_CWND(OnExitMenuLoop);                            \
                      p_->OnExitMenuLoop(static_cast<BOOL>(AFX_WP)))
#define ON_WM_CAPTURECHANGED()                                                              \
    AFX_MSG_ENTRY(WM_CAPTURECHANGED, AFX_SIG_CWND(OnCaptureChanged);                        \
                      p_->OnCaptureChanged(AFX_WND(AFX_LP)))
#define ON_WM_CANCELMODE() AFX_MSG_ENTRY(WM_CANCELMODE, AFX_SIG_CWND(OnCancelMode);         \
                      p_->OnCancelMode())
#define ON_WM_HSCROLL()                                                                     \
    AFX_MSG_ENTRY(WM_HSCROLL, AFX_SIG_CWND(OnHScroll);                                      \
                              p_->OnHScroll(LOWORD(AFX_WP), HIWORD(AFX_WP),                 \
                                            reinterpret_cast<CScrollBar*>(AFX_WND(AFX_LP))))
#define ON_WM_VSCROLL()                                                                     \
    AFX_MSG_ENTRY(WM_VSCROLL, AFX_SIG_CWND(OnVScroll);                                      \
                              p_->OnVScroll(LOWORD(AFX_WP), HIWORD(AFX_WP),                 \
                                            reinterpret_cast<CScrollBar*>(AFX_WND(AFX_LP))))
#define ON_WM_DRAWITEM()                                                                    \
    AFX_MSG_ENTRY(WM_DRAWITEM, AFX_SIG_CWND(OnDrawItem);                                    \
                      p_->OnDrawItem(static_cast<int>(AFX_WP),                              \
                                              reinterpret_cast<LPDRAWITEMSTRUCT>(AFX_LP));  \
                  c_.result = TRUE)
#define ON_WM_MEASUREITEM()                                                                 \
    AFX_MSG_ENTRY(WM_MEASUREITEM,                                                           \
                  AFX_SIG_CWND(OnMeasureItem);                                              \
                                                                                            \
                  p_->OnMeasureItem(static_cast<int>(AFX_WP),                               \
                                    reinterpret_cast<LPMEASUREITEMSTRUCT>(AFX_LP));         \
                  c_.result = TRUE)
#define ON_WM_DELETEITEM()                                                                  \
    AFX_MSG_ENTRY(WM_DELETEITEM, AFX_SIG_CWND(OnDeleteItem);                                \
                      p_->OnDeleteItem(static_cast<int>(AFX_WP),                            \
                                                  reinterpret_cast<LPDELETEITEMSTRUCT>(AFX_LP)); \
                  c_.result = TRUE)
#define ON_WM_COMPAREITEM()                                                                 \
    AFX_MSG_ENTRY(WM_COMPAREITEM,                                                           \
                  AFX_SIG_CWND(OnCompareItem);                                              \
                                                                                            \
                  c_.result = p_->OnCompareItem(static_cast<int>(AFX_WP),                   \
                                                reinterpret_cast<LPCOMPAREITEMSTRUCT>(AFX_LP)))
// All WM_CTLCOLORxxx messages arrive under the one entry.
#define ON_WM_CTLCOLOR()                                                                    \
    AFX_MSG_ENTRY(WM_CTLCOLOR,                                                              \
                  AFX_SIG_CWND(OnCtlColor);                                                 \
                                                                                            \
                  c_.result = reinterpret_cast<LRESULT>(p_->OnCtlColor(                     \
                      CDC::FromHandle(reinterpret_cast<HDC>(AFX_WP)), AFX_WND(AFX_LP),      \
                      c_.message - WM_CTLCOLORMSGBOX)))
#define ON_WM_PARENTNOTIFY()                                                                \
    AFX_MSG_ENTRY(WM_PARENTNOTIFY, AFX_SIG_CWND(OnParentNotify);                            \
                      p_->OnParentNotify(static_cast<UINT>(AFX_WP), AFX_LP))
#define ON_WM_DROPFILES()                                                                   \
    AFX_MSG_ENTRY(WM_DROPFILES, AFX_SIG_CWND(OnDropFiles);                                  \
                      p_->OnDropFiles(reinterpret_cast<HDROP>(AFX_WP)))
#define ON_WM_COPYDATA()                                                                    \
    AFX_MSG_ENTRY(WM_COPYDATA,                                                              \
                  AFX_SIG_CWND(OnCopyData);                                                 \
                                                                                            \
                  c_.result = p_->OnCopyData(AFX_WND(AFX_WP),                               \
                                             reinterpret_cast<COPYDATASTRUCT*>(AFX_LP)))
#define ON_WM_ENTERIDLE()                                                                   \
    AFX_MSG_ENTRY(WM_ENTERIDLE, AFX_SIG_CWND(OnEnterIdle);                                  \
                      p_->OnEnterIdle(static_cast<UINT>(AFX_WP), AFX_WND(AFX_LP)))
#define ON_WM_QUERYENDSESSION()                                                             \
    AFX_MSG_ENTRY(WM_QUERYENDSESSION, AFX_SIG_CWND(OnQueryEndSession);                      \
                      c_.result = p_->OnQueryEndSession())
#define ON_WM_ENDSESSION()                                                                  \
    AFX_MSG_ENTRY(WM_ENDSESSION, AFX_SIG_CWND(OnEndSession);                                \
                      p_->OnEndSession(static_cast<BOOL>(AFX_WP)))
#define ON_WM_QUERYDRAGICON()                                                               \
    AFX_MSG_ENTRY(WM_QUERYDRAGICON, AFX_SIG_CWND(OnQueryDragIcon);                          \
                              c_.result = reinterpret_cast<LRESULT>(p_->OnQueryDragIcon()))
#define ON_WM_PALETTECHANGED()                                                              \
    AFX_MSG_ENTRY(WM_PALETTECHANGED, AFX_SIG_CWND(OnPaletteChanged);                        \
                      p_->OnPaletteChanged(AFX_WND(AFX_WP)))
#define ON_WM_QUERYNEWPALETTE()                                                             \
    AFX_MSG_ENTRY(WM_QUERYNEWPALETTE, AFX_SIG_CWND(OnQueryNewPalette);                      \
                      c_.result = p_->OnQueryNewPalette())
#define ON_WM_DEVICECHANGE()                                                                \
    AFX_MSG_ENTRY(WM_DEVICECHANGE, AFX_SIG_CWND(OnDeviceChange);                            \
                      c_.result = p_->OnDeviceChange(static_cast<UINT>(AFX_WP),             \
                                                                  static_cast<DWORD_PTR>(AFX_LP)))
#define ON_WM_POWERBROADCAST()                                                              \
    AFX_MSG_ENTRY(WM_POWERBROADCAST,                                                        \
                  AFX_SIG_CWND(OnPowerBroadcast);                                           \
                                                                                            \
                  c_.result = p_->OnPowerBroadcast(static_cast<UINT>(AFX_WP), AFX_LP))
#define ON_WM_APPCOMMAND()                                                                  \
    AFX_MSG_ENTRY(WM_APPCOMMAND,                                                            \
                  AFX_SIG_CWND(OnAppCommand);                                               \
                                                                                            \
                  p_->OnAppCommand(AFX_WND(AFX_WP), GET_APPCOMMAND_LPARAM(AFX_LP),          \
                                   GET_DEVICE_LPARAM(AFX_LP), GET_KEYSTATE_LPARAM(AFX_LP)); \
                  c_.result = TRUE)
#define ON_WM_CHANGEUISTATE()                                                               \
    AFX_MSG_ENTRY(WM_CHANGEUISTATE, AFX_SIG_CWND(OnChangeUIState);                          \
                      p_->OnChangeUIState(LOWORD(AFX_WP), HIWORD(AFX_WP)))
#define ON_WM_UPDATEUISTATE()                                                               \
    AFX_MSG_ENTRY(WM_UPDATEUISTATE, AFX_SIG_CWND(OnUpdateUIState);                          \
                      p_->OnUpdateUIState(LOWORD(AFX_WP), HIWORD(AFX_WP)))
#define ON_WM_WTSSESSION_CHANGE()                                                           \
    AFX_MSG_ENTRY(WM_WTSSESSION_CHANGE, AFX_SIG_CWND(OnSessionChange);                      \
                      p_->OnSessionChange(static_cast<UINT>(AFX_WP),                        \
                                                            static_cast<UINT>(AFX_LP)))
