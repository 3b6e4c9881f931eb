// CPtrList's run-time class record.
#include "platform/framework/CPtrList.h"

IMPLEMENT_DYNAMIC(CPtrList, CObject)
