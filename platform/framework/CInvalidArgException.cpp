// CInvalidArgException and its throw function.
#include "CInvalidArgException.h"

IMPLEMENT_DYNAMIC(CInvalidArgException, CSimpleException)

void AFXAPI AfxThrowInvalidArgException()
{
    throw new CInvalidArgException;
}
