// Benchmark: save and load of a settings file with every key set and a 2000-entry list.
// Prints the median of several runs; the target is under 50 ms for the pair.
#include "WinNT_SP/Include_VS2005/Sett.h"
#include "WinNT_SP/Include_VS2005/SettingsPaths.h"

#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

double NowMs()
{
    LARGE_INTEGER f;
    LARGE_INTEGER c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return double(c.QuadPart) * 1000.0 / double(f.QuadPart);
}

void FillEverything(Sett& s)
{
    for (int k = SETT_QVRSettVers; k < SETT_End; ++k) {
        TypedValue& item = s.Item(SettKey(k));
        switch (item.type) {
        case TVT_INT32: item.SetInt(k); break;
        case TVT_DOUBLE: item.SetDouble(k / 3.0); break;
        case TVT_STRING: item.SetStringValue(L"C:\\Some Folder\\value, with (escapes)"); break;
        case TVT_TEXT: item.SetStringValue(L"(a=1,b=(2,3),c=text)"); break;
        case TVT_LIST: {
            const uint32_t n = k == SETT_RecentURLList ? 2000 : 8;
            item.SetListSize(n);
            for (uint32_t i = 0; i < n; ++i) {
                const std::wstring v = L"(Name=entry" + std::to_wstring(i) +
                                       L",Descr=(url=http://server/path/file" +
                                       std::to_wstring(i) + L".wmv))";
                item.ListEntry(i)->SetStringValue(v.c_str());
            }
            break;
        }
        default: break;
        }
    }
}

}  // namespace

int main()
{
    CoInitialize(nullptr);
    wchar_t tmp[MAX_PATH];
    GetTempPathW(MAX_PATH, tmp);
    const std::wstring path = std::wstring(tmp) + L"orvane-bench-settings.xml";
    Sett s;
    FillEverything(s);
    std::vector<double> save;
    std::vector<double> load;
    for (int run = 0; run < 9; ++run) {
        const double t0 = NowMs();
        const std::wstring err = s.Save(path.c_str(), true);
        const double t1 = NowMs();
        Sett back;
        const std::wstring err2 = back.Load(path.c_str());
        const double t2 = NowMs();
        if (!err.empty() || !err2.empty() || back.Item(SETT_RecentURLList).ListCount() != 2000) {
            std::printf("settings bench: FAILED\n");
            return 1;
        }
        save.push_back(t1 - t0);
        load.push_back(t2 - t1);
    }
    std::sort(save.begin(), save.end());
    std::sort(load.begin(), load.end());
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    LARGE_INTEGER size = {};
    GetFileSizeEx(h, &size);
    CloseHandle(h);
    DeleteFileW(path.c_str());
    std::printf("settings save (all keys, 2000-entry list, %lld bytes): median %.1f ms\n",
                static_cast<long long>(size.QuadPart), save[4]);
    std::printf("settings load: median %.1f ms\n", load[4]);
    std::printf("settings save + load: %.1f ms (target < 50 ms)\n", save[4] + load[4]);
    return 0;
}
