// CDWordArray's run-time class record.
#include "CDWordArray.h"

IMPLEMENT_SERIAL(CDWordArray, CObject, 1)
