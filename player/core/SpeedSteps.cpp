// The built-in speed list (0.35, 0.5, 0.7, 1, 1.5, 2, 3) behind the speed questions.
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
        return SpeedGridSteps(speed) == 1000;
    }
    double EntryBelowNormal() override { return kList[kNormal - 1]; }
    double EntryAboveNormal() override { return kList[kNormal + 1]; }
    double ClampSpeed(double speed) override
    {
        const long long s = SpeedGridSteps(speed);
        if (s < 334) {
            return 0.334;
        }
        return s > 3000 ? 3.0 : static_cast<double>(s) * 0.001;
    }

private:
    static constexpr int kCount = 7;
    static constexpr int kNormal = 3;
    static constexpr double kList[kCount] = {0.35, 0.5, 0.7, 1.0, 1.5, 2.0, 3.0};
};

DefaultSpeedSteps g_default;
std::atomic<ISpeedSteps*> g_steps{&g_default};

}  // namespace

ISpeedSteps& SpeedSteps() { return *g_steps.load(); }
void SetSpeedSteps(ISpeedSteps* steps) { g_steps.store(steps ? steps : &g_default); }

bool IsInSpeedRange(double value)
{
    const long long s = SpeedGridSteps(value);
    return s >= 334 && s <= 3000;
}
