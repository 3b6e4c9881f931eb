// The hook client base: its destructor is the one out-of-line member, which anchors the class.
#include "toolkit/common/CUTKHookManagerHookAble.h"

CUTKHookManagerHookAble::~CUTKHookManagerHookAble() = default;
