// A read-only log view over the rich edit control: appends coloured or bold text at the end and
// hands its content out as RTF (the network opening dialog's details).
#pragma once

#include "platform/framework/window/FrameworkWindows.h"

#include <richedit.h>

#include <string>
#include <vector>

class CRichEditCtrlEx : public CRichEditCtrl {
public:
    CRichEditCtrlEx();

    void SetNextTextColor(COLORREF color);
    // The bold effect stays on for every following append.
    void SetNextTextBold();
    void AppendText(const wchar_t* text, BOOL scroll);
    void AppendColoredText(COLORREF color, const wchar_t* text, BOOL scroll);
    void ClearText();
    // The whole content as RTF bytes.
    std::string GetRtf();

    BOOL m_selectAllOnFocus = FALSE;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static DWORD CALLBACK StreamIn(DWORD_PTR cookie, BYTE* buffer, LONG count, LONG* done);
    static DWORD CALLBACK StreamOut(DWORD_PTR cookie, BYTE* buffer, LONG count, LONG* done);
    void Stream(UINT flags);

    CHARFORMATW m_charFormat;
    PARAFORMAT2 m_paraFormat;
    std::wstring m_pending;
    size_t m_pendingOffset = 0;
    std::string m_out;
};
