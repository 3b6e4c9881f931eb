// Text files written line by line in the ANSI code page, UTF-8 or UTF-16 (little endian),
// with a byte-order mark at position 0 for the Unicode encodings.
#pragma once

#include "WinNT_SP/Include_VS2005/CFile64.h"

enum TextFileEncoding : int {
    TFE_ANSI = 0,
    TFE_UTF8 = 2,
    TFE_UTF16 = 3,
};

class TextFile : public CFile64 {
public:
    BOOL Open(LPCTSTR fileName, UINT openFlags, CFileException* error = nullptr) override;
    void Close() override;

    // Creates (truncating) for writing; the caller sets the encoding afterwards.
    std::wstring CreateForWrite(const wchar_t* path);
    // One line: a final LF is dropped and CR LF appended. Throws the framework's file exception.
    void WriteLine(const wchar_t* text);

    int m_encoding = TFE_ANSI;
    BOOL m_byteOrderMark = TRUE;
};
