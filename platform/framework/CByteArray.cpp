// CByteArray's run-time class record.
#include "platform/framework/CByteArray.h"

IMPLEMENT_SERIAL(CByteArray, CObject, 1)
