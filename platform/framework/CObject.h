// CObject: root of the framework's class tree: run-time class queries, serialization hook.
#pragma once

#include "platform/framework/CRuntimeClass.h"

class CObject {
public:
    static CRuntimeClass classCObject;
    static CRuntimeClass* GetThisClass() { return &classCObject; }
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = default;

    BOOL IsKindOf(const CRuntimeClass* cls) const noexcept;
    BOOL IsSerializable() const noexcept;
    virtual void Serialize(CArchive& ar);
    virtual void AssertValid() const {}

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

// The object when it is of that class (or derived), otherwise nullptr.
CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* cls, CObject* object) noexcept;

#define DYNAMIC_DOWNCAST(class_name, object) \
    (static_cast<class_name*>(AfxDynamicDownCast(RUNTIME_CLASS(class_name), (object))))
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(object))
