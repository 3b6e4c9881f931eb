// The conversion helpers CW2A, CA2W and their TCHAR spellings (CT2A, CA2T, CW2T, CT2W and
// the const forms): a temporary holding the other width's text, in a code page (CP_ACP by
// default). With UNICODE, TCHAR is wchar_t, so the T-to-W forms pass the text through.
#pragma once

#include "platform/framework/StringTraits.h"

#include <vector>

template <class From, class To>
class CStringConvert {
public:
    explicit CStringConvert(const From* text, UINT codePage = CP_ACP)
    {
        if (!text) {
            return;
        }
        int length = fw::Length(text);
        int needed = fw::ConvertedLength(text, length, codePage);
        m_text.assign(static_cast<size_t>(needed) + 1, To(0));
        fw::Convert(text, length, m_text.data(), needed, codePage);
        m_valid = true;
    }
    CStringConvert(const CStringConvert&) = delete;
    CStringConvert& operator=(const CStringConvert&) = delete;
    operator To*() noexcept { return m_valid ? m_text.data() : nullptr; }
    operator const To*() const noexcept { return m_valid ? m_text.data() : nullptr; }

private:
    std::vector<To> m_text;
    bool m_valid = false;
};

template <class CharT>
class CStringPass {
public:
    explicit CStringPass(const CharT* text, UINT = CP_ACP) noexcept : m_text(text) {}
    operator const CharT*() const noexcept { return m_text; }
    operator CharT*() const noexcept { return const_cast<CharT*>(m_text); }

private:
    const CharT* m_text;
};

using CW2A = CStringConvert<wchar_t, char>;
using CA2W = CStringConvert<char, wchar_t>;
using CW2CA = CW2A;
using CA2CW = CA2W;
using CT2A = CW2A;
using CT2CA = CW2A;
using CA2T = CA2W;
using CA2CT = CA2W;
using CW2T = CStringPass<wchar_t>;
using CW2CT = CStringPass<wchar_t>;
using CT2W = CStringPass<wchar_t>;
using CT2CW = CStringPass<wchar_t>;
using CW2W = CStringPass<wchar_t>;
using CA2A = CStringPass<char>;
