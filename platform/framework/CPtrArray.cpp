// CPtrArray's run-time class record.
#include "CPtrArray.h"

IMPLEMENT_DYNAMIC(CPtrArray, CObject)
