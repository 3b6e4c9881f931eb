// CCriticalSection's run-time class record.
#include "platform/framework/CCriticalSection.h"

IMPLEMENT_DYNAMIC(CCriticalSection, CSyncObject)
