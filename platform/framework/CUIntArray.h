// CUIntArray: the framework's array of unsigned integers.
#pragma once

#include "CArray.h"
#include "CStringT.h"

class CUIntArray : public CArray<UINT, UINT> {
    DECLARE_SERIAL(CUIntArray)
public:
    CUIntArray() noexcept = default;
};
