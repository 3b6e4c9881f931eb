// The runtime class of a class nested in a bar class. The framework's macros paste the class
// name into identifiers, which a qualified name cannot be; this does by hand what they do.
#pragma once

#include "platform/framework/Framework.h"

#define UTK_IMPLEMENT_NESTED_DYNCREATE(outer, inner, base)                                       \
    CObject* outer::inner::CreateObject() { return new outer::inner; }                         \
    CRuntimeClass outer::inner::class##inner = {#outer "::" #inner,                            \
                                                static_cast<int>(sizeof(outer::inner)), 0xFFFF, \
                                                outer::inner::CreateObject,                    \
                                                RUNTIME_CLASS(base), nullptr};                 \
    CRuntimeClass* outer::inner::GetRuntimeClass() const { return &class##inner; }            \
    static const AFX_CLASSINIT _init_##outer##_##inner(&outer::inner::class##inner);
