// COM helpers: reference counting of the smart pointers and the E_POINTER error on an empty
// one, BSTR ownership, variant equality and conversion, dates and their text forms.
#include <gtest/gtest.h>

#include "platform/framework/Framework.h"

namespace {

class Counted : public IUnknown {
public:
    LONG refs = 1;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (iid == IID_IUnknown) {
            *out = this;
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
};

TEST(ComHelpers, SmartPointerCounting)
{
    Counted object;
    {
        CComPtr<IUnknown> a(&object);
        EXPECT_EQ(2, object.refs);
        CComPtr<IUnknown> b = a;
        EXPECT_EQ(3, object.refs);
        CComPtr<IUnknown> c(std::move(b));
        EXPECT_EQ(3, object.refs);
        EXPECT_TRUE(!b);
        IUnknown* raw = nullptr;
        EXPECT_EQ(S_OK, a.CopyTo(&raw));
        EXPECT_EQ(4, object.refs);
        raw->Release();
        CComQIPtr<IUnknown> q(static_cast<IUnknown*>(&object));
        EXPECT_EQ(4, object.refs);
        EXPECT_TRUE(a.IsEqualObject(&object));
        q.Release();
        c.Detach()->Release();
    }
    EXPECT_EQ(1, object.refs);
}

TEST(ComHelpers, EmptyPointerRaisesEPointer)
{
    CComPtr<IUnknown> empty;
    try {
        empty->AddRef();
        FAIL() << "no exception";
    } catch (COleException* e) {
        EXPECT_EQ(E_POINTER, e->m_sc);
        e->Delete();
    }
    IUnknown* out = nullptr;
    EXPECT_EQ(E_POINTER, empty.QueryInterface(&out));
}

TEST(ComHelpers, Bstr)
{
    CComBSTR a(L"text");
    EXPECT_EQ(4u, a.Length());
    CComBSTR b = a;
    EXPECT_NE(static_cast<BSTR>(a), static_cast<BSTR>(b));
    EXPECT_TRUE(b == L"text");
    b += L" more";
    EXPECT_TRUE(b == L"text more");
    EXPECT_TRUE(CComBSTR() == L"");
    BSTR detached = b.Detach();
    EXPECT_TRUE(!b);
    ::SysFreeString(detached);
    CComBSTR fromString(CString(L"cs"));
    EXPECT_EQ(2u, fromString.Length());
}

TEST(ComHelpers, VariantEqualityAndConversion)
{
    EXPECT_TRUE(COleVariant(L"abc") == COleVariant(L"abc"));
    EXPECT_FALSE(COleVariant(L"abc") == COleVariant(L"ABC"));
    EXPECT_FALSE(COleVariant(static_cast<long>(1)) == COleVariant(static_cast<short>(1)));
    EXPECT_TRUE(COleVariant(static_cast<short>(5), VT_BOOL) ==
                COleVariant(static_cast<long>(1), VT_BOOL));
    EXPECT_TRUE(COleVariant() == COleVariant());
    COleVariant v(static_cast<long>(42));
    v.ChangeType(VT_BSTR);
    EXPECT_EQ(VT_BSTR, v.vt);
    EXPECT_STREQ(L"42", v.bstrVal);
    COleVariant copy;
    copy = v;
    EXPECT_TRUE(copy == v);
    COleVariant text(L"not a number");
    try {
        text.ChangeType(VT_I4);
        FAIL() << "no exception";
    } catch (COleException* e) {
        EXPECT_TRUE(FAILED(e->m_sc));
        e->Delete();
    }
    CComVariant com(7);
    EXPECT_EQ(VT_I4, com.vt);
    EXPECT_EQ(S_OK, com.ChangeType(VT_R8));
    EXPECT_EQ(7.0, com.dblVal);
}

TEST(ComHelpers, DatesAndTheirTextForms)
{
    COleDateTime day(2010, 11, 6, 0, 0, 0);
    ASSERT_EQ(COleDateTime::valid, day.GetStatus());
    EXPECT_STREQ(L"2010-06-11", day.Format(L"%Y-%d-%m").GetString());
    COleDateTime noon(2010, 11, 6, 12, 30, 0);
    EXPECT_STREQ(L"2010-06-11T12:30:00", noon.Format(L"%Y-%d-%mT%H:%M:%S").GetString());
    EXPECT_EQ(2010, noon.GetYear());
    EXPECT_EQ(11, noon.GetMonth());
    EXPECT_EQ(6, noon.GetDay());
    EXPECT_EQ(12, noon.GetHour());
    EXPECT_EQ(30, noon.GetMinute());
    EXPECT_EQ(7, noon.GetDayOfWeek());  // a Saturday
    EXPECT_EQ(310, noon.GetDayOfYear());
    EXPECT_NEAR(12.5 / 24, noon.m_dt - day.m_dt, 1e-9);
    EXPECT_EQ(40488.0, day.m_dt);

    COleDateTime bad;
    EXPECT_NE(0, bad.SetDateTime(2010, 2, 30, 0, 0, 0));
    EXPECT_EQ(COleDateTime::invalid, bad.GetStatus());
    EXPECT_STREQ(L"Invalid DateTime", bad.Format(L"%Y").GetString());
    EXPECT_EQ(-1, bad.GetYear());
    EXPECT_NE(0, bad.SetDateTime(2011, 2, 29, 0, 0, 0));
    EXPECT_EQ(0, bad.SetDateTime(2012, 2, 29, 0, 0, 0));
    EXPECT_NE(0, bad.SetDateTime(2012, 1, 1, 24, 0, 0));
    COleDateTime none;
    none.SetStatus(COleDateTime::null);
    EXPECT_STREQ(L"", none.Format(L"%Y").GetString());
    COleDateTime time;
    EXPECT_EQ(0, time.SetTime(12, 30, 0));
    EXPECT_DOUBLE_EQ(0.5 + 30.0 / 1440, time.m_dt);
}

}  // namespace
