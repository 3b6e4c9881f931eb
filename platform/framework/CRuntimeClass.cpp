// The module-wide list of run-time classes, class queries, and the archive form of a class.
#include "platform/framework/CRuntimeClass.h"

#include "platform/framework/CArchive.h"
#include "platform/framework/CArchiveException.h"
#include "platform/framework/CObject.h"

#include <cstring>
#include <mutex>
#include <string>

namespace {

// Both are constant-initialised, so registration from any module's static constructors is safe.
CRuntimeClass* g_firstClass = nullptr;
std::mutex g_classListLock;

}  // namespace

void AFXAPI AfxClassInit(CRuntimeClass* newClass)
{
    std::lock_guard<std::mutex> lock(g_classListLock);
    for (CRuntimeClass* c = g_firstClass; c; c = c->m_pNextClass) {
        if (c == newClass) {
            return;
        }
    }
    newClass->m_pNextClass = g_firstClass;
    g_firstClass = newClass;
}

void AFXAPI AfxForEachRuntimeClass(bool (*visit)(CRuntimeClass* cls, void* context),
                                   void* context)
{
    std::lock_guard<std::mutex> lock(g_classListLock);
    for (CRuntimeClass* c = g_firstClass; c; c = c->m_pNextClass) {
        if (!visit(c, context)) {
            return;
        }
    }
}

CObject* CRuntimeClass::CreateObject() const
{
    return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const noexcept
{
    for (const CRuntimeClass* c = this; c; c = c->m_pBaseClass) {
        if (c == base) {
            return TRUE;
        }
    }
    return FALSE;
}

CRuntimeClass* CRuntimeClass::FromName(LPCSTR className) noexcept
{
    if (!className) {
        return nullptr;
    }
    std::lock_guard<std::mutex> lock(g_classListLock);
    for (CRuntimeClass* c = g_firstClass; c; c = c->m_pNextClass) {
        if (std::strcmp(c->m_lpszClassName, className) == 0) {
            return c;
        }
    }
    return nullptr;
}

CRuntimeClass* CRuntimeClass::FromName(LPCWSTR className) noexcept
{
    if (!className) {
        return nullptr;
    }
    // Class names are plain ASCII identifiers; a wider character matches nothing.
    std::string narrow;
    for (const wchar_t* p = className; *p; ++p) {
        if (*p > 0x7F) {
            return nullptr;
        }
        narrow += static_cast<char>(*p);
    }
    return FromName(narrow.c_str());
}

CObject* CRuntimeClass::CreateObject(LPCSTR className)
{
    CRuntimeClass* c = FromName(className);
    return c ? c->CreateObject() : nullptr;
}

CObject* CRuntimeClass::CreateObject(LPCWSTR className)
{
    CRuntimeClass* c = FromName(className);
    return c ? c->CreateObject() : nullptr;
}

void CRuntimeClass::Store(CArchive& ar) const
{
    WORD length = static_cast<WORD>(std::strlen(m_lpszClassName));
    ar << static_cast<WORD>(m_wSchema) << length;
    ar.Write(m_lpszClassName, length);
}

CRuntimeClass* CRuntimeClass::Load(CArchive& ar, UINT* schema)
{
    WORD storedSchema = 0;
    WORD length = 0;
    ar >> storedSchema >> length;
    char name[64];
    if (length >= sizeof(name)) {
        return nullptr;
    }
    // A stream that ends inside the name is cut short, not a class of another name.
    if (ar.Read(name, length) != length) {
        AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
    }
    name[length] = 0;
    if (schema) {
        *schema = storedSchema;
    }
    return FromName(name);
}
