// The two instantiations of the string template, and the field splitter that works on it.
#include "platform/framework/CStringT.h"

#include <cwchar>

template class CStringT<wchar_t>;
template class CStringT<char>;

BOOL AFXAPI AfxExtractSubString(CString& result, LPCTSTR fullText, int subIndex, TCHAR separator)
{
    result.Empty();
    if (!fullText || subIndex < 0 || (separator == 0 && subIndex > 0)) {
        return FALSE;
    }
    const wchar_t* p = fullText;
    for (; subIndex > 0; --subIndex) {
        p = std::wcschr(p, separator);
        if (!p) {
            return FALSE;
        }
        ++p;
    }
    const wchar_t* end = std::wcschr(p, separator);
    int length = end ? static_cast<int>(end - p) : static_cast<int>(std::wcslen(p));
    result = CString(p, length);
    return TRUE;
}
