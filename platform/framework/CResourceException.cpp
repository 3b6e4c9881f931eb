// CResourceException and its throw function.
#include "platform/framework/CResourceException.h"

IMPLEMENT_DYNAMIC(CResourceException, CSimpleException)

void AFXAPI AfxThrowResourceException()
{
    throw new CResourceException;
}
