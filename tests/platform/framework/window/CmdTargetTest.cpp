// Command targets as reference-counted objects: the count starts at 1, Release at zero runs
// OnFinalRelease (deleting by default), QueryInterface answers IDispatch once automation is
// enabled and extra interfaces through the hook; and a target that is only a co-base.
#include "tests/platform/framework/window/TestApp.h"

#include <gtest/gtest.h>

#include <oleacc.h>

namespace {

class CountedTarget : public CCmdTarget {
public:
    explicit CountedTarget(bool* destroyed) : m_destroyed(destroyed) {}
    ~CountedTarget() override { *m_destroyed = true; }

private:
    bool* m_destroyed;
};

TEST(CmdTargetTest, ReleaseAtZeroDeletes)
{
    bool destroyed = false;
    auto* target = new CountedTarget(&destroyed);
    EXPECT_EQ(target->m_dwRef, 1);
    EXPECT_EQ(target->InternalAddRef(), 2u);
    EXPECT_EQ(target->ExternalAddRef(), 3u);
    EXPECT_EQ(target->ExternalRelease(), 2u);
    EXPECT_EQ(target->InternalRelease(), 1u);
    EXPECT_FALSE(destroyed);
    EXPECT_EQ(target->InternalRelease(), 0u);
    EXPECT_TRUE(destroyed);
}

class KeptTarget : public CCmdTarget {
public:
    int finalReleases = 0;
    void OnFinalRelease() override { ++finalReleases; }
};

TEST(CmdTargetTest, OnFinalReleaseCanKeepTheObject)
{
    KeptTarget target;
    target.InternalRelease();
    EXPECT_EQ(target.finalReleases, 1);
}

// Answers an extra interface through the hook, with the target's identity and lifetime.
class AccessibleTarget : public CCmdTarget {
public:
    explicit AccessibleTarget(bool* destroyed) : m_destroyed(destroyed) { EnableAutomation(); }
    ~AccessibleTarget() override { *m_destroyed = true; }

    LPUNKNOWN GetInterfaceHook(const void* iid) override
    {
        if (IsEqualIID(*static_cast<const IID*>(iid), IID_IAccessible)) {
            return GetIDispatch(FALSE);  // stands in for an IAccessible part in this test
        }
        return nullptr;
    }

private:
    bool* m_destroyed;
};

TEST(CmdTargetTest, DispatchAndInterfaceHookShareTheCount)
{
    bool destroyed = false;
    auto* target = new AccessibleTarget(&destroyed);
    IDispatch* dispatch = target->GetIDispatch(TRUE);
    ASSERT_NE(dispatch, nullptr);
    EXPECT_EQ(target->m_dwRef, 2);
    EXPECT_EQ(CCmdTarget::FromIDispatch(dispatch), target);
    UINT typeInfos = 99;
    EXPECT_EQ(dispatch->GetTypeInfoCount(&typeInfos), S_OK);
    EXPECT_EQ(typeInfos, 0u);

    IUnknown* unknown = nullptr;
    EXPECT_EQ(dispatch->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)), S_OK);
    EXPECT_EQ(target->m_dwRef, 3);
    void* accessible = nullptr;
    EXPECT_EQ(static_cast<HRESULT>(target->ExternalQueryInterface(&IID_IAccessible, &accessible)),
              S_OK);
    EXPECT_NE(accessible, nullptr);
    void* none = reinterpret_cast<void*>(1);
    EXPECT_EQ(static_cast<HRESULT>(target->ExternalQueryInterface(&IID_IStream, &none)),
              E_NOINTERFACE);
    EXPECT_EQ(none, nullptr);

    static_cast<IUnknown*>(accessible)->Release();
    unknown->Release();
    dispatch->Release();
    EXPECT_FALSE(destroyed);
    target->InternalRelease();
    EXPECT_TRUE(destroyed);
}

TEST(CmdTargetTest, WithoutAutomationNoDispatch)
{
    CCmdTarget target;
    EXPECT_EQ(target.GetIDispatch(TRUE), nullptr);
    void* out = nullptr;
    EXPECT_EQ(static_cast<HRESULT>(target.ExternalQueryInterface(&IID_IDispatch, &out)),
              E_NOINTERFACE);
}

// A class that is something else first and a command target second.
struct Payload {
    virtual ~Payload() = default;
    int value = 3;
};

class CoBaseTarget : public Payload, public CCmdTarget {
public:
    int commands = 0;

protected:
    void OnGo() { commands += value; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CoBaseTarget, CCmdTarget)
    ON_COMMAND(500, OnGo)
END_MESSAGE_MAP()

TEST(CmdTargetTest, CommandTargetAsSecondBase)
{
    CoBaseTarget target;
    CCmdTarget* asTarget = &target;
    EXPECT_TRUE(asTarget->OnCmdMsg(500, CN_COMMAND, nullptr, nullptr));
    EXPECT_EQ(target.commands, 3) << "the handler saw the full object";
    EXPECT_FALSE(asTarget->OnCmdMsg(501, CN_COMMAND, nullptr, nullptr));
}

}  // namespace
