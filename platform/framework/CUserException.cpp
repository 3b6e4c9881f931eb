// CUserException and its throw function.
#include "CUserException.h"

IMPLEMENT_DYNAMIC(CUserException, CSimpleException)

void AFXAPI AfxThrowUserException()
{
    throw new CUserException;
}
