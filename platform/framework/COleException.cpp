// COleException: message from the system's text for the code.
#include "platform/framework/COleException.h"

#include "platform/framework/CMemoryException.h"
#include "platform/framework/CStringT.h"

IMPLEMENT_DYNAMIC(COleException, CException)

BOOL COleException::GetErrorMessage(LPTSTR error, UINT maxError, PUINT helpContext) const
{
    wchar_t* system = nullptr;
    DWORD n = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                   FORMAT_MESSAGE_IGNORE_INSERTS,
                               nullptr, static_cast<DWORD>(m_sc), 0,
                               reinterpret_cast<LPWSTR>(&system), 0, nullptr);
    CString text;
    if (n && system) {
        text = system;
        text.TrimRight();
    } else {
        text.Format(L"OLE error 0x%08lX", static_cast<unsigned long>(m_sc));
    }
    if (system) {
        ::LocalFree(system);
    }
    return CopyMessage(text, error, maxError, helpContext);
}

SCODE COleException::Process(const CException* e) noexcept
{
    if (!e) {
        return E_UNEXPECTED;
    }
    if (e->IsKindOf(RUNTIME_CLASS(COleException))) {
        return static_cast<const COleException*>(e)->m_sc;
    }
    if (e->IsKindOf(RUNTIME_CLASS(CMemoryException))) {
        return E_OUTOFMEMORY;
    }
    return E_UNEXPECTED;
}

void AFXAPI AfxThrowOleException(SCODE sc)
{
    throw new COleException(sc);
}
