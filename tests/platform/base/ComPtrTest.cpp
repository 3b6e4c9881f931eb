// The one COM owner type below the framework: every reference taken is given back once, and an
// empty dereference goes to the module's handler (the framework's throws; none means fail fast).
#include "platform/base/CComPtr.h"

#include <gtest/gtest.h>

#include <utility>

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

TEST(CComPtr, MoveAssignmentTransfersWithoutCounting)
{
    Counted first;
    Counted second;
    {
        CComPtr<IUnknown> a(&first);
        CComPtr<IUnknown> b(&second);
        b = std::move(a);  // second's reference goes, first's moves over
        EXPECT_EQ(1, second.refs);
        EXPECT_EQ(2, first.refs);
        EXPECT_TRUE(!a);
        CComPtr<IUnknown>& same = b;
        b = std::move(same);  // a self-move keeps the reference
        EXPECT_EQ(2, first.refs);
        EXPECT_EQ(&first, b.p);
    }
    EXPECT_EQ(1, first.refs);
    EXPECT_EQ(1, second.refs);
}

TEST(CComPtr, OutParameterAttachAndDetachKeepTheCount)
{
    Counted object;
    {
        CComPtr<IUnknown> p(&object);
        IUnknown** out = &p;  // releases what was held, as an out-parameter needs
        EXPECT_EQ(1, object.refs);
        EXPECT_EQ(S_OK, object.QueryInterface(IID_IUnknown, reinterpret_cast<void**>(out)));
        EXPECT_EQ(2, object.refs);
        IUnknown* handed = p.Detach();  // the reference goes to the caller
        EXPECT_EQ(2, object.refs);
        p.Attach(handed);               // and comes back without a new count
        EXPECT_EQ(2, object.refs);
    }
    EXPECT_EQ(1, object.refs);
}

TEST(CComPtr, QiAssignmentFromAnotherInterfaceReleasesTheOldOnce)
{
    Counted first;
    Counted second;
    {
        CComQIPtr<IUnknown> p(static_cast<IUnknown*>(&first));
        EXPECT_EQ(2, first.refs);
        p = static_cast<IUnknown*>(&second);
        EXPECT_EQ(1, first.refs);
        EXPECT_EQ(2, second.refs);
    }
    EXPECT_EQ(1, second.refs);
}

struct EmptyDereference {};

TEST(CComPtr, EmptyDereferenceGoesToTheModuleHandler)
{
    orvane::SetComPtrEmptyHandler([] { throw EmptyDereference{}; });
    CComPtr<IUnknown> empty;
    EXPECT_THROW(empty->AddRef(), EmptyDereference);
    orvane::SetComPtrEmptyHandler(nullptr);
}

}  // namespace
