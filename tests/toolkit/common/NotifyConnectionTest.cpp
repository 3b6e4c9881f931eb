// Event delivery: no listeners, a listener unregistering a later one, a listener sending a
// nested event, and a listener that throws.
#include <gtest/gtest.h>

#include "toolkit/common/NotifyConnection.h"

#include <functional>
#include <string>
#include <vector>

namespace {

class RecordingSink : public NotifySink {
public:
    RecordingSink(std::string name, std::vector<std::string>* log)
        : m_name(std::move(name)), m_log(log)
    {
    }
    void OnEvent(UINT code, WPARAM wParam, LPARAM, DWORD_PTR) override
    {
        m_log->push_back(m_name + ":" + std::to_string(code) + "/" + std::to_string(wParam));
        if (action) {
            action();
        }
    }
    std::function<void()> action;

private:
    std::string m_name;
    std::vector<std::string>* m_log;
};

class NotifyConnectionTest : public testing::Test {
protected:
    void TearDown() override
    {
        EXPECT_EQ(1, connection->m_dwRef);
        connection->InternalRelease();
    }
    NotifyConnection* connection = new NotifyConnection;
    std::vector<std::string> log;
};

TEST_F(NotifyConnectionTest, AnEventWithoutListenersCallsNothing)
{
    RecordingSink other("other", &log);
    connection->Advise(7, &other);
    EXPECT_FALSE(connection->SendEvent(10575, 1, 2, 3));
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(connection->SendEvent(7, 1, 2, 3));
    EXPECT_EQ((std::vector<std::string>{"other:7/1"}), log);
}

TEST_F(NotifyConnectionTest, AListenerUnregisteringALaterOneKeepsItFromBeingCalled)
{
    RecordingSink first("first", &log);
    RecordingSink second("second", &log);
    RecordingSink third("third", &log);
    connection->Advise(5, &first);
    const DWORD secondId = connection->Advise(5, &second);
    connection->Advise(5, &third);
    first.action = [&] { EXPECT_TRUE(connection->Unadvise(secondId)); };
    EXPECT_TRUE(connection->SendEvent(5, 0, 0, 0));
    EXPECT_EQ((std::vector<std::string>{"first:5/0", "third:5/0"}), log);
    EXPECT_EQ(-1, connection->FindRegistration(secondId));
    EXPECT_EQ(2, connection->GetRegistrationCount());
    EXPECT_FALSE(connection->Unadvise(secondId));
}

TEST_F(NotifyConnectionTest, ANestedEventIsDeliveredCompletelyFirst)
{
    RecordingSink outerA("A", &log);
    RecordingSink outerB("B", &log);
    RecordingSink innerC("C", &log);
    RecordingSink innerD("D", &log);
    connection->Advise(1, &outerA);
    connection->Advise(1, &outerB);
    connection->Advise(2, &innerC);
    connection->Advise(2, &innerD);
    bool nested = false;
    outerA.action = [&] {
        if (!nested) {
            nested = true;
            EXPECT_TRUE(connection->SendEvent(2, 9, 0, 0));
        }
    };
    EXPECT_TRUE(connection->SendEvent(1, 4, 0, 0));
    EXPECT_EQ((std::vector<std::string>{"A:1/4", "C:2/9", "D:2/9", "B:1/4"}), log);
    // A listener may also send the event it is hearing; it arrives once more, whole.
    log.clear();
    nested = false;
    outerB.action = [&] {
        if (!nested) {
            nested = true;
            connection->SendEvent(1, 5, 0, 0);
        }
    };
    outerA.action = nullptr;
    EXPECT_TRUE(connection->SendEvent(1, 4, 0, 0));
    EXPECT_EQ((std::vector<std::string>{"A:1/4", "B:1/4", "A:1/5", "B:1/5"}), log);
}

TEST_F(NotifyConnectionTest, AThrowingListenerDoesNotStopTheNext)
{
    RecordingSink thrower("thrower", &log);
    RecordingSink framework("framework", &log);
    RecordingSink next("next", &log);
    thrower.action = [] { throw std::runtime_error("listener failed"); };
    framework.action = [] { AfxThrowMemoryException(); };
    connection->Advise(3, &thrower);
    connection->Advise(3, &framework);
    connection->Advise(3, &next);
    EXPECT_TRUE(connection->SendEvent(3, 0, 0, 0));
    EXPECT_EQ((std::vector<std::string>{"thrower:3/0", "framework:3/0", "next:3/0"}), log);
}

}  // namespace
