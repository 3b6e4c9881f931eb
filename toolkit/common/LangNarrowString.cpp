#include "toolkit/common/LangNarrowString.h"

#include "toolkit/common/CUTKResourceManager.h"

LangNarrowString::LangNarrowString(LPCWSTR text)
    : LangNarrowString(text, GetResourceManager()->GetLanguageInfo()->nCodePage)
{
}

LangNarrowString::LangNarrowString(LPCWSTR text, UINT codePage)
{
    if (!text || !*text) {
        return;
    }
    const int length = ::WideCharToMultiByte(codePage, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1) {
        return;
    }
    m_text.resize(static_cast<size_t>(length));
    ::WideCharToMultiByte(codePage, 0, text, -1, m_text.data(), length, nullptr, nullptr);
    m_text.resize(static_cast<size_t>(length - 1));
}
