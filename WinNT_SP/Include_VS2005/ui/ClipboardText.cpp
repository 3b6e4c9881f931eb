// The clipboard copy of a text file: every block the clipboard does not take is freed here.
#include "WinNT_SP/Include_VS2005/ui/ClipboardText.h"

#include "platform/framework/window/FrameworkWindows.h"
#include "WinNT_SP/Include_VS2005/MyException.h"
#include "WinNT_SP/Include_VS2005/SystemErrorText.h"
#include "WinNT_SP/Include_VS2005/ui/UiStrings.h"

#include <cstring>
#include <vector>

namespace {

// A movable global block that is freed unless the clipboard took it.
class GlobalBlock {
public:
    explicit GlobalBlock(SIZE_T bytes) : m_handle(::GlobalAlloc(GMEM_MOVEABLE, bytes))
    {
        if (!m_handle) {
            ThrowMyException(FormatSystemError(::GetLastError(), L"GlobalAlloc").c_str());
        }
    }
    ~GlobalBlock()
    {
        Unlock();
        if (m_handle) {
            ::GlobalFree(m_handle);
        }
    }
    GlobalBlock(const GlobalBlock&) = delete;
    GlobalBlock& operator=(const GlobalBlock&) = delete;

    void* Lock()
    {
        m_locked = ::GlobalLock(m_handle);
        if (!m_locked) {
            ThrowMyException(FormatSystemError(::GetLastError(), L"GlobalLock").c_str());
        }
        return m_locked;
    }
    void Unlock()
    {
        if (m_locked) {
            ::GlobalUnlock(m_handle);
            m_locked = nullptr;
        }
    }
    void HandTo(UINT format, const wchar_t* step)
    {
        Unlock();
        if (!::SetClipboardData(format, m_handle)) {
            ThrowMyException(FormatSystemError(::GetLastError(), step).c_str());
        }
        m_handle = nullptr;  // the clipboard owns it now
    }

private:
    HGLOBAL m_handle;
    void* m_locked = nullptr;
};

}  // namespace

std::wstring CopyFileTextToClipboard(CFile& file)
{
    CWnd* main = AfxGetMainWnd();
    if (!::OpenClipboard(main ? main->GetSafeHwnd() : nullptr)) {
        const DWORD code = ::GetLastError();
        return code == 0 ? LoadUiText(IDS_CLIPBOARD_BUSY)
                         : FormatSystemError(code, L"OpenClipboard");
    }
    std::wstring error;
    try {
        ::EmptyClipboard();
        const ULONGLONG length = file.GetLength() - file.GetPosition();
        const SIZE_T bytes = static_cast<SIZE_T>(length);
        std::vector<char> ansi;
        {
            GlobalBlock unicode(bytes + 2);
            BYTE* data = static_cast<BYTE*>(unicode.Lock());
            const UINT read = file.Read(data, static_cast<UINT>(bytes + 2));
            std::memset(data + (read < bytes ? read : bytes), 0, 2);
            const wchar_t* text = reinterpret_cast<const wchar_t*>(data);
            const int chars = static_cast<int>(wcsnlen(text, (bytes + 2) / 2));
            const int need =
                ::WideCharToMultiByte(CP_ACP, 0, text, chars, nullptr, 0, nullptr, nullptr);
            ansi.resize(static_cast<size_t>(need) + 1, 0);
            ::WideCharToMultiByte(CP_ACP, 0, text, chars, ansi.data(), need, nullptr, nullptr);
            unicode.HandTo(CF_UNICODETEXT, L"SetClipboardData(13)");
        }
        for (UINT format : {static_cast<UINT>(CF_TEXT), static_cast<UINT>(CF_OEMTEXT)}) {
            GlobalBlock block(ansi.size());
            std::memcpy(block.Lock(), ansi.data(), ansi.size());
            block.HandTo(format, L"SetClipboardData(CF_TEXT)");
        }
    } catch (CException* e) {
        error = GetExceptionText(e);
        e->Delete();
    }
    ::CloseClipboard();
    return error;
}
