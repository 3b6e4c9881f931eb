// CWordArray: the framework's array of 16-bit words.
#pragma once

#include "platform/framework/CArray.h"
#include "platform/framework/CStringT.h"

class CWordArray : public CArray<WORD, WORD> {
    DECLARE_SERIAL(CWordArray)
public:
    CWordArray() noexcept = default;
};
