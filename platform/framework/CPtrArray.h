// CPtrArray: the framework's array of pointers (not owned).
#pragma once

#include "platform/framework/CArray.h"
#include "platform/framework/CStringT.h"

class CPtrArray : public CArray<void*, void*> {
    DECLARE_DYNAMIC(CPtrArray)
public:
    CPtrArray() noexcept = default;
};
