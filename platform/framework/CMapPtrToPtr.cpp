// CMapPtrToPtr's run-time class record.
#include "platform/framework/CMapPtrToPtr.h"

IMPLEMENT_DYNAMIC(CMapPtrToPtr, CObject)
