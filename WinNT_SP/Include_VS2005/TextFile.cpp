// Line-by-line text files (see TextFile.h).
#include "WinNT_SP/Include_VS2005/TextFile.h"
#include "WinNT_SP/Include_VS2005/TraceScope.h"

#include "WinNT_SP/Include_VS2005/MyException.h"

#include <cwchar>
#include <string>

BOOL TextFile::Open(LPCTSTR fileName, UINT openFlags, CFileException* error)
{
    m_encoding = TFE_ANSI;
    return CFile64::Open(fileName, openFlags, error);
}

void TextFile::Close()
{
    m_encoding = TFE_ANSI;
    CFile64::Close();
}

std::wstring TextFile::CreateForWrite(const wchar_t* path)
{
    TRACE_FUNCTION();
    m_encoding = TFE_ANSI;
    CFileException error;
    if (Open(path, modeCreate | modeWrite | shareExclusive, &error)) {
        return std::wstring();
    }
    return GetExceptionText(&error);
}

void TextFile::WriteLine(const wchar_t* textIn)
{
    TRACE_FUNCTION();
    std::wstring text = textIn ? textIn : L"";
    if (!text.empty() && text.back() == L'\n') {
        text.pop_back();
    }
    const bool atStart = GetPosition() == 0;
    std::string bytes;
    if (m_encoding == TFE_UTF16) {
        if (atStart && m_byteOrderMark) {
            bytes += "\xFF\xFE";
        }
        bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
        bytes.append("\r\0\n\0", 4);
    } else {
        const UINT codePage = m_encoding == TFE_UTF8 ? CP_UTF8 : CP_ACP;
        if (m_encoding == TFE_UTF8 && atStart && m_byteOrderMark) {
            bytes += "\xEF\xBB\xBF";
        }
        if (!text.empty()) {
            const int n = WideCharToMultiByte(codePage, 0, text.data(), int(text.size()), nullptr,
                                              0, nullptr, nullptr);
            std::string converted(size_t(n > 0 ? n : 0), '\0');
            if (n > 0) {
                WideCharToMultiByte(codePage, 0, text.data(), int(text.size()), converted.data(),
                                    n, nullptr, nullptr);
            }
            bytes += converted;
        }
        bytes += "\r\n";
    }
    Write(bytes.data(), static_cast<UINT>(bytes.size()));
}
