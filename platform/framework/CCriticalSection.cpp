// CCriticalSection's run-time class record.
#include "CCriticalSection.h"

IMPLEMENT_DYNAMIC(CCriticalSection, CSyncObject)
