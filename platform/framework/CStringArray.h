// CStringArray: the framework's array of strings.
#pragma once

#include "platform/framework/CArray.h"
#include "platform/framework/CStringT.h"

class CStringArray : public CArray<CString, LPCTSTR> {
    DECLARE_SERIAL(CStringArray)
public:
    CStringArray() noexcept = default;
    INT_PTR Add(const CString& text) { return CArray::Add(text); }
    void SetAt(INT_PTR index, const CString& text) { CArray::SetAt(index, text); }
    void SetAtGrow(INT_PTR index, const CString& text) { CArray::SetAtGrow(index, text); }
    void InsertAt(INT_PTR index, const CString& text, INT_PTR count = 1)
    {
        CArray::InsertAt(index, text, count);
    }
    using CArray::InsertAt;
};
