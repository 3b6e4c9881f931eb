// CMemoryException: thrown as one static object, since allocating it could itself fail.
#include "platform/framework/CMemoryException.h"

IMPLEMENT_DYNAMIC(CMemoryException, CSimpleException)

void AFXAPI AfxThrowMemoryException()
{
    static CMemoryException s_exception(FALSE);
    throw static_cast<CMemoryException*>(&s_exception);
}
