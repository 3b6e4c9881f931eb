// The built-in speed list (the default list) behind the speed questions.
#include "SpeedSteps.h"

#include "PlayerState.h"

#include <atomic>

namespace {

class DefaultSpeedSteps final : public ISpeedSteps {
public:
    double GetLowerSpeed(double speed) override
    {
        const long long s = SpeedGridSteps(speed);
        for (int i = kCount - 1; i >= 0; --i) {
            if (SpeedGridSteps(kList[i]) < s) {
                return kList[i];
            }
        }
        return -1;
    }
    double GetHigherSpeed(double speed) override
    {
        const long long s = SpeedGridSteps(speed);
        for (double v : kList) {
            if (SpeedGridSteps(v) > s) {
                return v;
            }
        }
        return -1;
    }
    bool IsNormalSpeed(double speed) override
    {
        return SpeedGridSteps(speed) == SpeedGridSteps(1.0);
    }
    double EntryBelowNormal() override { return kList[kNormal - 1]; }
    double EntryAboveNormal() override { return kList[kNormal + 1]; }
    double ClampSpeed(double speed) override
    {
        const long long s = SpeedGridSteps(speed);
        if (s < SpeedGridSteps(kMinSpeed)) {
            return kMinSpeed;
        }
        return s > SpeedGridSteps(kMaxSpeed) ? kMaxSpeed
                                             : static_cast<double>(s) * kSpeedGridStep;
    }

private:
    static constexpr int kCount = kDefaultSpeedCount;
    static constexpr int kNormal = kDefaultNormalIndex;
    static constexpr const double (&kList)[kCount] = kDefaultSpeeds;
};

DefaultSpeedSteps g_default;
std::atomic<ISpeedSteps*> g_steps{&g_default};

}  // namespace

ISpeedSteps& SpeedSteps() { return *g_steps.load(); }
void SetSpeedSteps(ISpeedSteps* steps) { g_steps.store(steps ? steps : &g_default); }
