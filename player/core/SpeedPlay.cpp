// The speed list. Speeds are compared on the 0.001 grid; the stored text never names 1.0, which
// is implied, and its separators follow the written values (a list whose first value is 1.0
// still starts without a comma).
#include "SpeedPlay.h"

#include "ListText.h"
#include "PlayerState.h"
#include "Sett.h"
#include "SupportStrings.h"
#include "TextFormat.h"

#include <algorithm>

namespace {

const double kDefaultSpeeds[] = {0.35, 0.5, 0.7, 1.0, 1.5, 2.0, 3.0};
constexpr int kDefaultCount = 7;
constexpr int kDefaultNormal = 3;

}  // namespace

int SetDefaultSpeedList(double* values, int* normalIndex)
{
    std::copy(std::begin(kDefaultSpeeds), std::end(kDefaultSpeeds), values);
    *normalIndex = kDefaultNormal;
    return kDefaultCount;
}

int SortSpeedList(double* values, int count)
{
    std::sort(values, values + count);
    for (int i = 0; i < count; ++i) {
        if (values[i] == 1.0) {
            return i;
        }
    }
    return -1;
}

int ParseSpeedList(const wchar_t* text, double* values, int* normalIndex)
{
    ListTextItem items[kMaxStoredSpeeds];
    const int n = SplitListText(text ? text : L"", L',', L'"', kMaxStoredSpeeds, items);
    if (n > kMaxStoredSpeeds) {
        return 0;
    }
    int count = 0;
    for (int i = 0; i < n; ++i) {
        const std::wstring item(items[i].start, items[i].length);
        double v = 0;
        if (!ParseNumberToStep(item.c_str(), 0.001, &v) || !IsInSpeedRange(v) || v == 1.0) {
            return 0;
        }
        const bool seen = std::any_of(values, values + count, [v](double x) { return x == v; });
        if (!seen) {
            values[count++] = v;
        }
    }
    values[count++] = 1.0;
    *normalIndex = SortSpeedList(values, count);
    return count;
}

std::wstring FormatSpeedList(const double* values, int count)
{
    std::wstring text;
    for (int i = 0; i < count; ++i) {
        if (values[i] == 1.0) {
            continue;
        }
        text += FormatNewString(text.empty() ? L"%g" : L",%g", values[i]);
    }
    return text;
}

bool IsUsableSpeedList(const double* values, int count)
{
    return count >= 3 && values[0] != 1.0 && values[count - 1] != 1.0;
}

SpeedPlay::SpeedPlay() { m_count = SetDefaultSpeedList(m_values, &m_normal); }

bool SpeedPlay::LoadFromText(const wchar_t* text)
{
    double values[kMaxSpeeds];
    int normal = 0;
    const int count = ParseSpeedList(text, values, &normal);
    if (!IsUsableSpeedList(values, count)) {
        m_count = SetDefaultSpeedList(m_values, &m_normal);
        return false;
    }
    std::copy(values, values + count, m_values);
    m_count = count;
    m_normal = normal;
    return true;
}

bool SpeedPlay::LoadSpeedList()
{
    return LoadFromText(AppSettings().Item(SETT_SpeedPlayList).GetStringValue());
}

std::wstring SpeedPlay::FormatSpeedList() { return ::FormatSpeedList(m_values, m_count); }

bool SpeedPlay::IsNormalSpeed(double speed)
{
    const double normal = m_values[m_normal];
    return speed == normal || SpeedGridSteps(speed) == SpeedGridSteps(normal);
}

double SpeedPlay::LowestSpeed() { return m_values[0]; }
double SpeedPlay::HighestSpeed() { return m_values[m_count - 1]; }

double SpeedPlay::GetLowerSpeed(double speed)
{
    const long long s = SpeedGridSteps(speed);
    for (int i = m_count - 1; i >= 0; --i) {
        if (SpeedGridSteps(m_values[i]) < s && IsInSpeedRange(m_values[i])) {
            return m_values[i];
        }
    }
    return -1;
}

double SpeedPlay::GetHigherSpeed(double speed)
{
    const long long s = SpeedGridSteps(speed);
    for (int i = 0; i < m_count; ++i) {
        if (SpeedGridSteps(m_values[i]) > s && IsInSpeedRange(m_values[i])) {
            return m_values[i];
        }
    }
    return -1;
}

double SpeedPlay::EntryBelowNormal() { return m_normal > 0 ? m_values[m_normal - 1] : -1; }

double SpeedPlay::EntryAboveNormal()
{
    return m_normal + 1 < m_count ? m_values[m_normal + 1] : -1;
}

double SpeedPlay::ClampSpeed(double speed)
{
    const long long s = SpeedGridSteps(speed);
    if (s < SpeedGridSteps(kMinSpeed)) {
        return kMinSpeed;
    }
    return s > SpeedGridSteps(kMaxSpeed) ? kMaxSpeed : speed;
}

SpeedPlay& TheSpeedList()
{
    static SpeedPlay list;
    return list;
}

void RegisterSpeedList()
{
    SetSpeedListService(&TheSpeedList());
}
