// CWordArray's run-time class record.
#include "platform/framework/CWordArray.h"

IMPLEMENT_SERIAL(CWordArray, CObject, 1)
