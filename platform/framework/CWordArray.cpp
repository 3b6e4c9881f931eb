// CWordArray's run-time class record.
#include "CWordArray.h"

IMPLEMENT_SERIAL(CWordArray, CObject, 1)
