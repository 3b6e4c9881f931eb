// CPtrList: the framework's list of pointers (not owned).
#pragma once

#include "platform/framework/CList.h"

class CPtrList : public CList<void*, void*> {
    DECLARE_DYNAMIC(CPtrList)
public:
    explicit CPtrList(INT_PTR blockSize = 10) noexcept : CList(blockSize) {}
};
