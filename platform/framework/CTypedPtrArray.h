// CTypedPtrArray: a pointer array (CPtrArray or CObArray kind) that hands out typed pointers.
#pragma once

#include "platform/framework/CPtrArray.h"

template <class BASE_CLASS, class TYPE>
class CTypedPtrArray : public BASE_CLASS {
public:
    TYPE GetAt(INT_PTR index) const { return static_cast<TYPE>(BASE_CLASS::GetAt(index)); }
    TYPE& ElementAt(INT_PTR index)
    {
        return reinterpret_cast<TYPE&>(BASE_CLASS::ElementAt(index));
    }
    void SetAt(INT_PTR index, TYPE element) { BASE_CLASS::SetAt(index, element); }
    void SetAtGrow(INT_PTR index, TYPE element) { BASE_CLASS::SetAtGrow(index, element); }
    INT_PTR Add(TYPE element) { return BASE_CLASS::Add(element); }
    INT_PTR Append(const CTypedPtrArray& src) { return BASE_CLASS::Append(src); }
    void Copy(const CTypedPtrArray& src) { BASE_CLASS::Copy(src); }
    void InsertAt(INT_PTR index, TYPE element, INT_PTR count = 1)
    {
        BASE_CLASS::InsertAt(index, element, count);
    }
    void InsertAt(INT_PTR startIndex, CTypedPtrArray* newArray)
    {
        BASE_CLASS::InsertAt(startIndex, newArray);
    }
    TYPE* GetData() { return reinterpret_cast<TYPE*>(BASE_CLASS::GetData()); }
    const TYPE* GetData() const { return reinterpret_cast<const TYPE*>(BASE_CLASS::GetData()); }
    TYPE operator[](INT_PTR index) const { return GetAt(index); }
    TYPE& operator[](INT_PTR index) { return ElementAt(index); }
};
