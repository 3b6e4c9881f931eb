// CMapPtrToPtr's run-time class record.
#include "CMapPtrToPtr.h"

IMPLEMENT_DYNAMIC(CMapPtrToPtr, CObject)
