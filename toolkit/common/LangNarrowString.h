// LangNarrowString: an 8-bit copy of a wide text in the code page of the resource language
// (the ANSI code page for English).
#pragma once

#include <windows.h>

#include <string>

class LangNarrowString {
public:
    explicit LangNarrowString(LPCWSTR text);
    LangNarrowString(LPCWSTR text, UINT codePage);

    const char* c_str() const noexcept { return m_text.c_str(); }
    operator const char*() const noexcept { return m_text.c_str(); }
    const std::string& str() const noexcept { return m_text; }

private:
    std::string m_text;
};
