// CUIntArray's run-time class record.
#include "CUIntArray.h"

IMPLEMENT_SERIAL(CUIntArray, CObject, 1)
