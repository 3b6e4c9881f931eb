// The speed list's rules. Speeds are compared on the 0.001 grid; the stored text never names
// 1.0, which is implied, and its separators follow the written values (a list whose first value
// is 1.0 still starts without a comma).
#include "WinNT_SP/Include_VS2005/SpeedListRules.h"

#include "WinNT_SP/Include_VS2005/ListText.h"
#include "WinNT_SP/Include_VS2005/SupportStrings.h"
#include "WinNT_SP/Include_VS2005/TextFormat.h"
#include "platform/base/GridSteps.h"

#include <algorithm>

long long SpeedGridSteps(double value)
{
    return GridSteps(value, kSpeedGridStep);
}

bool IsInSpeedRange(double value)
{
    const long long s = SpeedGridSteps(value);
    return s >= SpeedGridSteps(kMinSpeed) && s <= SpeedGridSteps(kMaxSpeed);
}

int SetDefaultSpeedList(double* values, int* normalIndex)
{
    std::copy(std::begin(kDefaultSpeeds), std::end(kDefaultSpeeds), values);
    *normalIndex = kDefaultNormalIndex;
    return kDefaultSpeedCount;
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
        if (!ParseNumberToStep(item.c_str(), kSpeedGridStep, &v) || !IsInSpeedRange(v) ||
            v == 1.0) {
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

bool LoadSpeedListText(const wchar_t* text, double* values, int* count, int* normalIndex)
{
    double parsed[kMaxSpeeds];
    int normal = 0;
    const int n = ParseSpeedList(text, parsed, &normal);
    if (!IsUsableSpeedList(parsed, n)) {
        *count = SetDefaultSpeedList(values, normalIndex);
        return false;
    }
    std::copy(parsed, parsed + n, values);
    *count = n;
    *normalIndex = normal;
    return true;
}
