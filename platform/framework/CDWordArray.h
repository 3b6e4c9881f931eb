// CDWordArray: the framework's array of 32-bit words.
#pragma once

#include "platform/framework/CArray.h"
#include "platform/framework/CStringT.h"

class CDWordArray : public CArray<DWORD, DWORD> {
    DECLARE_SERIAL(CDWordArray)
public:
    CDWordArray() noexcept = default;
};
