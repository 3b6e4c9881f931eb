// CStringArray's run-time class record.
#include "CStringArray.h"

IMPLEMENT_SERIAL(CStringArray, CObject, 1)
