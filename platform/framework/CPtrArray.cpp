// CPtrArray's run-time class record.
#include "platform/framework/CPtrArray.h"

IMPLEMENT_DYNAMIC(CPtrArray, CObject)
