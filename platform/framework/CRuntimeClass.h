// CRuntimeClass: the framework's run-time class record (name, size, schema, factory, base)
// and the macros that give a class one. Every record defined with IMPLEMENT_DYNAMIC and kin
// enters a module-wide list at start-up, so a class can be found and created by its 8-bit name.
#pragma once

#include "platform/framework/FrameworkDefs.h"

class CObject;
class CArchive;

struct CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;  // 0xFFFF: not serializable
    CObject* (*m_pfnCreateObject)();
    CRuntimeClass* m_pBaseClass;
    CRuntimeClass* m_pNextClass;  // module list link, set at registration

    // A new object of this class, or nullptr when the class has no factory.
    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* base) const noexcept;

    // Registered class of that exact 8-bit (or widened) name, or nullptr.
    static CRuntimeClass* FromName(LPCSTR className) noexcept;
    static CRuntimeClass* FromName(LPCWSTR className) noexcept;
    static CObject* CreateObject(LPCSTR className);
    static CObject* CreateObject(LPCWSTR className);

    // The class's archive form: WORD schema, WORD name length, the name's bytes.
    void Store(CArchive& ar) const;
    // Reads that form; nullptr when the name is not a registered class. *schema gets the
    // stored schema.
    static CRuntimeClass* Load(CArchive& ar, UINT* schema);
};

// Adds a class record to the module list (used by the IMPLEMENT_ macros; idempotent).
void AFXAPI AfxClassInit(CRuntimeClass* newClass);

// Visits every registered class until the visitor returns false.
void AFXAPI AfxForEachRuntimeClass(bool (*visit)(CRuntimeClass* cls, void* context),
                                   void* context);

struct AFX_CLASSINIT {
    explicit AFX_CLASSINIT(CRuntimeClass* newClass) { AfxClassInit(newClass); }
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name) \
public: \
    static CRuntimeClass class##class_name; \
    static CRuntimeClass* GetThisClass() { return &class##class_name; } \
    virtual CRuntimeClass* GetRuntimeClass() const;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name) \
    static CObject* CreateObject();

#define DECLARE_SERIAL(class_name) \
    DECLARE_DYNCREATE(class_name) \
    friend CArchive& operator>>(CArchive& ar, class_name*& object);

#define IMPLEMENT_RUNTIMECLASS_(class_name, base_class_name, schema, factory) \
    CRuntimeClass class_name::class##class_name = { \
        #class_name, static_cast<int>(sizeof(class_name)), (schema), (factory), \
        RUNTIME_CLASS(base_class_name), nullptr}; \
    CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); } \
    static const AFX_CLASSINIT _init_##class_name(RUNTIME_CLASS(class_name));

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    IMPLEMENT_RUNTIMECLASS_(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name) \
    CObject* class_name::CreateObject() { return new class_name; } \
    IMPLEMENT_RUNTIMECLASS_(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, schema) \
    CObject* class_name::CreateObject() { return new class_name; } \
    IMPLEMENT_RUNTIMECLASS_(class_name, base_class_name, schema, class_name::CreateObject) \
    [[maybe_unused]] CArchive& operator>>(CArchive& ar, class_name*& object) \
    { \
        object = static_cast<class_name*>(ar.ReadObject(RUNTIME_CLASS(class_name))); \
        return ar; \
    }

// Schema flag: the reader accepts any stored schema and asks the archive for it.
#define VERSIONABLE_SCHEMA (0x80000000)
