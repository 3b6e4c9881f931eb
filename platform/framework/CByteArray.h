// CByteArray: the framework's array of bytes.
#pragma once

#include "CArray.h"
#include "CStringT.h"

class CByteArray : public CArray<BYTE, BYTE> {
    DECLARE_SERIAL(CByteArray)
public:
    CByteArray() noexcept = default;
};
