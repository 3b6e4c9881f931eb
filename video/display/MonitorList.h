// The monitors that are part of the desktop, with their display names, and the monitor each
// video stream goes full screen on. Enumerated afresh by each list on its first query, so a
// list always reflects the display configuration of its moment.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class MonitorSystem;

struct MonitorInfo {
    std::wstring name;  // "%i. %s", or "Default Monitor" for the fallback entry
    int primary = 0;
    WORD bitsPerPixel = 0;
    RECT rect{};
};

class MonitorList {
public:
    MonitorList();
    explicit MonitorList(MonitorSystem& system);

    int GetCount();
    const MonitorInfo* GetAt(int index);
    // The first primary entry, else the first entry; NULL only for an empty list.
    const MonitorInfo* GetPrimary();
    // Exact name; an empty or unknown name gives the primary monitor.
    const MonitorInfo* FindByName(const std::wstring& name);
    // Kind 1 camera, 2 screen, by the monitor names in the playback settings text.
    const MonitorInfo* GetForStream(int kind, const wchar_t* settingsText);

private:
    void Enumerate();
    void EnumerateIfEmpty();

    MonitorSystem& m_system;
    std::vector<MonitorInfo> m_entries;
};
