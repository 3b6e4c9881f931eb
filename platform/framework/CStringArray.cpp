// CStringArray's run-time class record.
#include "platform/framework/CStringArray.h"

IMPLEMENT_SERIAL(CStringArray, CObject, 1)
