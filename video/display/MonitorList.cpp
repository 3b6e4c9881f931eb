// Monitor enumeration: adapters with an active attached monitor and a mode on the desktop.
#include "video/display/MonitorList.h"

#include "video/EngineGlobals.h"
#include "video/EngineText.h"
#include "video/display/MonitorSystem.h"
#include "video/PlaySettings.h"

MonitorList::MonitorList() : m_system(MonitorSystem::Default()) {}

MonitorList::MonitorList(MonitorSystem& system) : m_system(system) {}

void MonitorList::EnumerateIfEmpty()
{
    if (m_entries.empty()) {
        Enumerate();
    }
}

void MonitorList::Enumerate()
{
    m_entries.clear();
    int number = 1;
    DISPLAY_DEVICEW adapter{};
    for (DWORD a = 0; m_system.EnumDevice(nullptr, a, &adapter); ++a) {
        if (adapter.StateFlags & DISPLAY_DEVICE_MIRRORING_DRIVER) {
            continue;
        }
        DISPLAY_DEVICEW monitor{};
        DWORD m = 0;
        bool found = false;
        for (; m_system.EnumDevice(adapter.DeviceName, m, &monitor); ++m) {
            const DWORD wanted = DISPLAY_DEVICE_ACTIVE | DISPLAY_DEVICE_ATTACHED;
            if ((monitor.StateFlags & wanted) == wanted) {
                found = true;
                break;
            }
        }
        if (!found) {
            continue;
        }
        std::wstring description = monitor.DeviceString;
        if (description.empty()) {
            LOG_UNEXPECTED(FormatText(L"DeviceString[%i, %i]: %s (%s)", static_cast<int>(a),
                                      static_cast<int>(m), monitor.DeviceName,
                                      adapter.DeviceString));
            description = EngineString(212);
        }
        DEVMODEW mode{};
        if (!m_system.EnumSettings(adapter.DeviceName, ENUM_CURRENT_SETTINGS, &mode) &&
            !m_system.EnumSettings(adapter.DeviceName, ENUM_REGISTRY_SETTINGS, &mode)) {
            LOG_UNEXPECTED(FormatText(L"EnumDisplaySettingsEx: 0x%X (%s)", GetLastError(),
                                      adapter.DeviceString));
            continue;
        }
        const POINT origin{mode.dmPosition.x, mode.dmPosition.y};
        if (!m_system.IsOnDesktop(origin)) {
            continue;
        }
        MonitorInfo info;
        info.name = FormatText(L"%i. %s", number, description.c_str());
        info.primary = (adapter.StateFlags & DISPLAY_DEVICE_PRIMARY_DEVICE) ? 1 : 0;
        info.bitsPerPixel = static_cast<WORD>(mode.dmBitsPerPel);
        info.rect = RECT{origin.x, origin.y, origin.x + static_cast<LONG>(mode.dmPelsWidth),
                         origin.y + static_cast<LONG>(mode.dmPelsHeight)};
        m_entries.push_back(info);
        ++number;
    }
    if (m_entries.empty()) {
        int bits = 0;
        int width = 0;
        int height = 0;
        m_system.ScreenMetrics(&bits, &width, &height);
        MonitorInfo info;
        info.name = EngineString(212);
        info.primary = 1;
        info.bitsPerPixel = static_cast<WORD>(bits);
        info.rect = RECT{0, 0, width, height};
        m_entries.push_back(info);
        LOG_UNEXPECTED(FormatText(L"SetDefaultMonitor: [%ix%i]", width, height));
    }
    if (m_entries.size() == 1) {
        m_entries[0].primary = 1;
    }
}

int MonitorList::GetCount()
{
    EnumerateIfEmpty();
    return static_cast<int>(m_entries.size());
}

const MonitorInfo* MonitorList::GetAt(int index)
{
    EnumerateIfEmpty();
    if (index < 0 || index >= static_cast<int>(m_entries.size())) {
        return nullptr;
    }
    return &m_entries[static_cast<size_t>(index)];
}

const MonitorInfo* MonitorList::GetPrimary()
{
    EnumerateIfEmpty();
    for (const MonitorInfo& info : m_entries) {
        if (info.primary) {
            return &info;
        }
    }
    // Several monitors none of which is flagged primary: full screen still needs a monitor.
    return m_entries.empty() ? nullptr : &m_entries[0];
}

const MonitorInfo* MonitorList::FindByName(const std::wstring& name)
{
    EnumerateIfEmpty();
    if (name.empty() || m_entries.empty()) {
        return GetPrimary();
    }
    for (const MonitorInfo& info : m_entries) {
        if (info.name == name) {
            return &info;
        }
    }
    LOG_UNEXPECTED(FormatText(L"GetInfoMonitor: %s", name.c_str()));
    return GetPrimary();
}

const MonitorInfo* MonitorList::GetForStream(int kind, const wchar_t* settingsText)
{
    if (kind != 1 && kind != 2) {
        return nullptr;
    }
    EnumerateIfEmpty();
    PlaySettings settings;
    settings.SetText(settingsText ? settingsText : L"");
    PlaySettingsValues values;
    settings.GetValues(&values);
    return FindByName(kind == 1 ? values.CamMonitor : values.ScrMonitor);
}
