// CUIntArray's run-time class record.
#include "platform/framework/CUIntArray.h"

IMPLEMENT_SERIAL(CUIntArray, CObject, 1)
