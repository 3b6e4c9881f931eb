// CUIntArray: the framework's array of unsigned integers.
#pragma once

#include "platform/framework/CArray.h"
#include "platform/framework/CStringT.h"

class CUIntArray : public CArray<UINT, UINT> {
    DECLARE_SERIAL(CUIntArray)
public:
    CUIntArray() noexcept = default;
};
