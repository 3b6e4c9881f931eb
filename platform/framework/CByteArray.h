// CByteArray: the framework's array of bytes.
#pragma once

#include "platform/framework/CArray.h"
#include "platform/framework/CStringT.h"

class CByteArray : public CArray<BYTE, BYTE> {
    DECLARE_SERIAL(CByteArray)
public:
    CByteArray() noexcept = default;
};
