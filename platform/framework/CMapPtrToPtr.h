// CMapPtrToPtr: the framework's map from pointer to pointer (neither owned).
#pragma once

#include "platform/framework/CMap.h"

class CMapPtrToPtr : public CMap<void*, void*, void*, void*> {
    DECLARE_DYNAMIC(CMapPtrToPtr)
public:
    explicit CMapPtrToPtr(INT_PTR blockSize = 10) noexcept : CMap(blockSize) {}
};
