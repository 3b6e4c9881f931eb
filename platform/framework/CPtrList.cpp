// CPtrList's run-time class record.
#include "CPtrList.h"

IMPLEMENT_DYNAMIC(CPtrList, CObject)
