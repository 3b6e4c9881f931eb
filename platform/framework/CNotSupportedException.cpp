// CNotSupportedException and its throw function.
#include "platform/framework/CNotSupportedException.h"

IMPLEMENT_DYNAMIC(CNotSupportedException, CSimpleException)

void AFXAPI AfxThrowNotSupportedException()
{
    throw new CNotSupportedException;
}
