// CObject's run-time class record and queries.
#include "platform/framework/CObject.h"

CRuntimeClass CObject::classCObject = {"CObject", static_cast<int>(sizeof(CObject)), 0xFFFF,
                                       nullptr, nullptr, nullptr};
static const AFX_CLASSINIT _init_CObject(&CObject::classCObject);

CRuntimeClass* CObject::GetRuntimeClass() const
{
    return &classCObject;
}

BOOL CObject::IsKindOf(const CRuntimeClass* cls) const noexcept
{
    return GetRuntimeClass()->IsDerivedFrom(cls);
}

BOOL CObject::IsSerializable() const noexcept
{
    return GetRuntimeClass()->m_wSchema != 0xFFFF;
}

void CObject::Serialize(CArchive&)
{
}

CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* cls, CObject* object) noexcept
{
    return object && object->IsKindOf(cls) ? object : nullptr;
}
