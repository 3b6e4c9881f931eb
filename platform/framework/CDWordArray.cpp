// CDWordArray's run-time class record.
#include "platform/framework/CDWordArray.h"

IMPLEMENT_SERIAL(CDWordArray, CObject, 1)
