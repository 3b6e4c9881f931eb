// Run-time classes: kind queries, down-casts, creation by class and by 8-bit or wide name,
// schemas, the module-wide class list, and the exception classes' run-time behaviour.
#include <gtest/gtest.h>

#include "platform/framework/Framework.h"

#include <cstring>
#include <cwchar>

namespace {

class CShapeBase : public CObject {
    DECLARE_DYNAMIC(CShapeBase)
};
IMPLEMENT_DYNAMIC(CShapeBase, CObject)

class CCircleShape : public CShapeBase {
    DECLARE_DYNCREATE(CCircleShape)
public:
    int radius = 3;
};
IMPLEMENT_DYNCREATE(CCircleShape, CShapeBase)

class CSquareShape : public CShapeBase {
    DECLARE_SERIAL(CSquareShape)
};
IMPLEMENT_SERIAL(CSquareShape, CShapeBase, 5)

TEST(RuntimeClass, KindQueriesAndDownCasts)
{
    CCircleShape circle;
    CObject* object = &circle;
    EXPECT_TRUE(object->IsKindOf(RUNTIME_CLASS(CCircleShape)));
    EXPECT_TRUE(object->IsKindOf(RUNTIME_CLASS(CShapeBase)));
    EXPECT_TRUE(object->IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(object->IsKindOf(RUNTIME_CLASS(CSquareShape)));
    EXPECT_EQ(&circle, DYNAMIC_DOWNCAST(CShapeBase, object));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CSquareShape, object));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CShapeBase, static_cast<CObject*>(nullptr)));
    EXPECT_TRUE(RUNTIME_CLASS(CSquareShape)->IsDerivedFrom(RUNTIME_CLASS(CShapeBase)));
    EXPECT_FALSE(RUNTIME_CLASS(CShapeBase)->IsDerivedFrom(RUNTIME_CLASS(CSquareShape)));
    EXPECT_EQ(RUNTIME_CLASS(CCircleShape), circle.GetRuntimeClass());
}

TEST(RuntimeClass, RecordFields)
{
    CRuntimeClass* square = RUNTIME_CLASS(CSquareShape);
    EXPECT_STREQ("CSquareShape", square->m_lpszClassName);
    EXPECT_EQ(5u, square->m_wSchema);
    EXPECT_EQ(static_cast<int>(sizeof(CSquareShape)), square->m_nObjectSize);
    EXPECT_EQ(RUNTIME_CLASS(CShapeBase), square->m_pBaseClass);
    EXPECT_EQ(0xFFFFu, RUNTIME_CLASS(CCircleShape)->m_wSchema);
    EXPECT_TRUE(CSquareShape().IsSerializable());
    EXPECT_FALSE(CCircleShape().IsSerializable());
}

TEST(RuntimeClass, CreationByClassAndByName)
{
    CObject* made = RUNTIME_CLASS(CCircleShape)->CreateObject();
    ASSERT_NE(nullptr, made);
    EXPECT_EQ(3, DYNAMIC_DOWNCAST(CCircleShape, made)->radius);
    delete made;
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CShapeBase)->CreateObject());

    EXPECT_EQ(RUNTIME_CLASS(CSquareShape), CRuntimeClass::FromName("CSquareShape"));
    EXPECT_EQ(RUNTIME_CLASS(CSquareShape), CRuntimeClass::FromName(L"CSquareShape"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("csquareshape"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("CNoSuchClass"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName(L"CSquare\x00e9"));
    EXPECT_EQ(RUNTIME_CLASS(CFileException), CRuntimeClass::FromName("CFileException"));
    CObject* byName = CRuntimeClass::CreateObject(L"CSquareShape");
    ASSERT_NE(nullptr, byName);
    EXPECT_TRUE(byName->IsKindOf(RUNTIME_CLASS(CSquareShape)));
    delete byName;
    EXPECT_EQ(nullptr, CRuntimeClass::CreateObject("CShapeBase"));

    int count = 0;
    AfxForEachRuntimeClass([](CRuntimeClass* cls, void* context) {
        if (std::strcmp(cls->m_lpszClassName, "CCircleShape") == 0) {
            ++*static_cast<int*>(context);
        }
        return true;
    }, &count);
    EXPECT_EQ(1, count);
}

TEST(Exceptions, ThrownByPointerCaughtByBase)
{
    try {
        AfxThrowFileException(CFileException::fileNotFound, ERROR_FILE_NOT_FOUND, L"C:\\x.wmv");
    } catch (CException* e) {
        ASSERT_TRUE(e->IsKindOf(RUNTIME_CLASS(CFileException)));
        auto* file = static_cast<CFileException*>(e);
        EXPECT_EQ(CFileException::fileNotFound, file->m_cause);
        EXPECT_EQ(ERROR_FILE_NOT_FOUND, file->m_lOsError);
        wchar_t text[128];
        UINT help = 99;
        EXPECT_TRUE(e->GetErrorMessage(text, 128, &help));
        EXPECT_EQ(0u, help);
        EXPECT_NE(nullptr, std::wcsstr(text, L"C:\\x.wmv"));
        wchar_t small[6];
        EXPECT_TRUE(e->GetErrorMessage(small, 6));
        EXPECT_EQ(5u, std::wcslen(small));
        e->Delete();
    }
}

TEST(Exceptions, MemoryExceptionIsStaticAndSurvivesDelete)
{
    CMemoryException* first = nullptr;
    try {
        AfxThrowMemoryException();
    } catch (CMemoryException* e) {
        first = e;
        e->Delete();
    }
    try {
        AfxThrowMemoryException();
    } catch (CException* e) {
        EXPECT_EQ(first, e);
        EXPECT_EQ(E_OUTOFMEMORY, COleException::Process(e));
        wchar_t text[64];
        EXPECT_TRUE(e->GetErrorMessage(text, 64));
        EXPECT_STREQ(L"Out of memory.", text);
        e->Delete();
    }
}

TEST(Exceptions, KindsAndMessages)
{
    struct Case {
        void (*thrower)();
        CRuntimeClass* kind;
    };
    const Case cases[] = {
        {[] { AfxThrowResourceException(); }, RUNTIME_CLASS(CResourceException)},
        {[] { AfxThrowInvalidArgException(); }, RUNTIME_CLASS(CInvalidArgException)},
        {[] { AfxThrowNotSupportedException(); }, RUNTIME_CLASS(CNotSupportedException)},
        {[] { AfxThrowUserException(); }, RUNTIME_CLASS(CUserException)},
        {[] { AfxThrowOleException(E_NOINTERFACE); }, RUNTIME_CLASS(COleException)},
        {[] { AfxThrowArchiveException(CArchiveException::badClass); },
         RUNTIME_CLASS(CArchiveException)},
    };
    for (const Case& c : cases) {
        try {
            c.thrower();
            ADD_FAILURE() << "no exception";
        } catch (CException* e) {
            EXPECT_TRUE(e->IsKindOf(c.kind)) << c.kind->m_lpszClassName;
            wchar_t text[256] = L"";
            EXPECT_TRUE(e->GetErrorMessage(text, 256)) << c.kind->m_lpszClassName;
            EXPECT_GT(std::wcslen(text), 0u) << c.kind->m_lpszClassName;
            e->Delete();
        }
    }
    COleException ole(E_NOINTERFACE);
    EXPECT_EQ(E_NOINTERFACE, COleException::Process(&ole));
    CUserException user;
    EXPECT_EQ(E_UNEXPECTED, COleException::Process(&user));
}

struct CauseCase {
    LONG osError;
    int cause;
};

TEST(Exceptions, SystemErrorsMapToFileCauses)
{
    const CauseCase cases[] = {
        {NO_ERROR, CFileException::none},
        {ERROR_FILE_NOT_FOUND, CFileException::fileNotFound},
        {ERROR_PATH_NOT_FOUND, CFileException::badPath},
        {ERROR_ACCESS_DENIED, CFileException::accessDenied},
        {ERROR_SHARING_VIOLATION, CFileException::sharingViolation},
        {ERROR_LOCK_VIOLATION, CFileException::lockViolation},
        {ERROR_HANDLE_EOF, CFileException::endOfFile},
        {ERROR_DISK_FULL, CFileException::diskFull},
        {ERROR_INVALID_NAME, CFileException::badPath},
        {ERROR_NEGATIVE_SEEK, CFileException::badSeek},
        {ERROR_FILE_EXISTS, CFileException::accessDenied},
        {ERROR_TOO_MANY_OPEN_FILES, CFileException::tooManyOpenFiles},
        {ERROR_DIR_NOT_EMPTY, CFileException::removeCurrentDir},
        {12345, CFileException::genericException},
    };
    for (const CauseCase& c : cases) {
        EXPECT_EQ(c.cause, CFileException::OsErrorToException(c.osError)) << c.osError;
    }
}

TEST(Exceptions, ThrowOsErrorNeverPassesAsSuccess)
{
    try {
        CFileException::ThrowOsError(0, L"f");
        FAIL() << "no exception";
    } catch (CFileException* e) {
        EXPECT_EQ(CFileException::genericException, e->m_cause);
        e->Delete();
    }
}

}  // namespace
