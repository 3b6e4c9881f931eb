// CByteArray's run-time class record.
#include "CByteArray.h"

IMPLEMENT_SERIAL(CByteArray, CObject, 1)
