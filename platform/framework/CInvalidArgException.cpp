// CInvalidArgException and its throw function.
#include "platform/framework/CInvalidArgException.h"

IMPLEMENT_DYNAMIC(CInvalidArgException, CSimpleException)

void AFXAPI AfxThrowInvalidArgException()
{
    throw new CInvalidArgException;
}
