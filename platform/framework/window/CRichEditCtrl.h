// CRichEditCtrl: a rich edit control (RichEdit 2.0 class) with selection formatting and
// streaming in and out.
#pragma once

#include "platform/framework/window/CWnd.h"

class CImageList;

class CRichEditCtrl : public CWnd {
    DECLARE_DYNAMIC(CRichEditCtrl)

public:
    CRichEditCtrl() = default;

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                          UINT nID);
    void GetSel(CHARRANGE& cr) const { SendMessage(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&cr)); }
    void GetSel(long& nStartChar, long& nEndChar) const
    {
        CHARRANGE cr{};
        GetSel(cr);
        nStartChar = cr.cpMin;
        nEndChar = cr.cpMax;
    }
    void SetSel(CHARRANGE& cr) { SendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&cr)); }
    void SetSel(long nStartChar, long nEndChar)
    {
        CHARRANGE cr{nStartChar, nEndChar};
        SetSel(cr);
    }
    void ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo = FALSE)
    {
        SendMessage(EM_REPLACESEL, bCanUndo, reinterpret_cast<LPARAM>(lpszNewText));
    }
    CString GetSelText() const;
    BOOL SetSelectionCharFormat(CHARFORMAT& cf)
    {
        cf.cbSize = sizeof(CHARFORMAT);
        return static_cast<BOOL>(
            SendMessage(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf)));
    }
    BOOL SetSelectionCharFormat(CHARFORMAT2& cf)
    {
        cf.cbSize = sizeof(CHARFORMAT2);
        return static_cast<BOOL>(
            SendMessage(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf)));
    }
    DWORD GetSelectionCharFormat(CHARFORMAT& cf) const
    {
        cf.cbSize = sizeof(CHARFORMAT);
        return static_cast<DWORD>(
            SendMessage(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf)));
    }
    DWORD GetSelectionCharFormat(CHARFORMAT2& cf) const
    {
        cf.cbSize = sizeof(CHARFORMAT2);
        return static_cast<DWORD>(
            SendMessage(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf)));
    }
    BOOL SetDefaultCharFormat(CHARFORMAT& cf)
    {
        cf.cbSize = sizeof(CHARFORMAT);
        return static_cast<BOOL>(
            SendMessage(EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf)));
    }
    BOOL SetDefaultCharFormat(CHARFORMAT2& cf)
    {
        cf.cbSize = sizeof(CHARFORMAT2);
        return static_cast<BOOL>(
            SendMessage(EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf)));
    }
    DWORD GetDefaultCharFormat(CHARFORMAT& cf) const
    {
        cf.cbSize = sizeof(CHARFORMAT);
        return static_cast<DWORD>(
            SendMessage(EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf)));
    }
    BOOL SetParaFormat(PARAFORMAT& pf)
    {
        pf.cbSize = sizeof(PARAFORMAT);
        return static_cast<BOOL>(SendMessage(EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf)));
    }
    BOOL SetParaFormat(PARAFORMAT2& pf)
    {
        pf.cbSize = sizeof(PARAFORMAT2);
        return static_cast<BOOL>(SendMessage(EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf)));
    }
    DWORD GetParaFormat(PARAFORMAT& pf) const
    {
        pf.cbSize = sizeof(PARAFORMAT);
        return static_cast<DWORD>(SendMessage(EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf)));
    }
    // Streams through the callback of es; returns the number of characters read or written.
    long StreamIn(int nFormat, EDITSTREAM& es)
    {
        return static_cast<long>(
            SendMessage(EM_STREAMIN, static_cast<WPARAM>(nFormat), reinterpret_cast<LPARAM>(&es)));
    }
    long StreamOut(int nFormat, EDITSTREAM& es)
    {
        return static_cast<long>(
            SendMessage(EM_STREAMOUT, static_cast<WPARAM>(nFormat), reinterpret_cast<LPARAM>(&es)));
    }
    DWORD SetEventMask(DWORD dwEventMask)
    {
        return static_cast<DWORD>(SendMessage(EM_SETEVENTMASK, 0, dwEventMask));
    }
    DWORD GetEventMask() const { return static_cast<DWORD>(SendMessage(EM_GETEVENTMASK)); }
    COLORREF SetBackgroundColor(BOOL bSysColor, COLORREF cr)
    {
        return static_cast<COLORREF>(SendMessage(EM_SETBKGNDCOLOR, bSysColor, cr));
    }
    void LimitText(long nChars = 0) { SendMessage(EM_EXLIMITTEXT, 0, nChars); }
    long GetLimitText() const { return static_cast<long>(SendMessage(EM_GETLIMITTEXT)); }
    long GetTextLength() const { return static_cast<long>(SendMessage(WM_GETTEXTLENGTH)); }
    long GetTextLengthEx(DWORD dwFlags, UINT nCodePage = 1200) const
    {
        GETTEXTLENGTHEX gtl{dwFlags, nCodePage};
        return static_cast<long>(SendMessage(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&gtl)));
    }
    int GetLineCount() const { return static_cast<int>(SendMessage(EM_GETLINECOUNT)); }
    int LineIndex(int nLine = -1) const
    {
        return static_cast<int>(SendMessage(EM_LINEINDEX, static_cast<WPARAM>(nLine)));
    }
    long LineFromChar(long nIndex) const
    {
        return static_cast<long>(SendMessage(EM_EXLINEFROMCHAR, 0, nIndex));
    }
    int LineLength(int nLine = -1) const
    {
        return static_cast<int>(SendMessage(EM_LINELENGTH, static_cast<WPARAM>(nLine)));
    }
    void LineScroll(int nLines, int nChars = 0)
    {
        SendMessage(EM_LINESCROLL, static_cast<WPARAM>(nChars), nLines);
    }
    int GetFirstVisibleLine() const
    {
        return static_cast<int>(SendMessage(EM_GETFIRSTVISIBLELINE));
    }
    BOOL SetReadOnly(BOOL bReadOnly = TRUE)
    {
        return static_cast<BOOL>(SendMessage(EM_SETREADONLY, bReadOnly));
    }
    void HideSelection(BOOL bHide, BOOL bPerm) { SendMessage(EM_HIDESELECTION, bHide, bPerm); }
    BOOL SetTargetDevice(HDC hDC, long lLineWidth)
    {
        return static_cast<BOOL>(
            SendMessage(EM_SETTARGETDEVICE, reinterpret_cast<WPARAM>(hDC), lLineWidth));
    }
    void RequestResize() { SendMessage(EM_REQUESTRESIZE); }
    UINT SetOptions(WORD wOp, DWORD dwFlags)
    {
        return static_cast<UINT>(SendMessage(EM_SETOPTIONS, wOp, dwFlags));
    }
    BOOL SetTextMode(UINT fMode) { return SendMessage(EM_SETTEXTMODE, fMode) == 0; }
    BOOL SetAutoURLDetect(BOOL bEnable = TRUE)
    {
        return SendMessage(EM_AUTOURLDETECT, bEnable) == 0;
    }
    BOOL GetModify() const { return static_cast<BOOL>(SendMessage(EM_GETMODIFY)); }
    void SetModify(BOOL bModified = TRUE) { SendMessage(EM_SETMODIFY, bModified); }
    BOOL CanPaste(UINT nFormat = 0) const
    {
        return static_cast<BOOL>(SendMessage(EM_CANPASTE, nFormat));
    }
    BOOL CanUndo() const { return static_cast<BOOL>(SendMessage(EM_CANUNDO)); }
    BOOL Undo() { return static_cast<BOOL>(SendMessage(EM_UNDO)); }
    BOOL Redo() { return static_cast<BOOL>(SendMessage(EM_REDO)); }
    void EmptyUndoBuffer() { SendMessage(EM_EMPTYUNDOBUFFER); }
    void Clear() { SendMessage(WM_CLEAR); }
    void Copy() { SendMessage(WM_COPY); }
    void Cut() { SendMessage(WM_CUT); }
    void Paste() { SendMessage(WM_PASTE); }
    CPoint PosFromChar(UINT nChar) const
    {
        POINTL pt{};
        SendMessage(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&pt), nChar);
        return CPoint(pt.x, pt.y);
    }
    int CharFromPos(CPoint pt) const
    {
        POINTL ptl{pt.x, pt.y};
        return static_cast<int>(SendMessage(EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&ptl)));
    }
    long FindText(DWORD dwFlags, FINDTEXTEXW* pFindText) const
    {
        return static_cast<long>(
            SendMessage(EM_FINDTEXTEXW, dwFlags, reinterpret_cast<LPARAM>(pFindText)));
    }
    void GetRect(LPRECT lpRect) const
    {
        SendMessage(EM_GETRECT, 0, reinterpret_cast<LPARAM>(lpRect));
    }
    void SetRect(LPCRECT lpRect) { SendMessage(EM_SETRECT, 0, reinterpret_cast<LPARAM>(lpRect)); }
};
