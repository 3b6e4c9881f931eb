// CUserException and its throw function.
#include "platform/framework/CUserException.h"

IMPLEMENT_DYNAMIC(CUserException, CSimpleException)

void AFXAPI AfxThrowUserException()
{
    throw new CUserException;
}
