// Start-up header, registry, wave/mixer device and audio endpoint dumps.
#include "WinNT_SP/Include_VS2005/ui/SystemDump.h"

#include "WinNT_SP/Include_VS2005/TextFormat.h"
#include "WinNT_SP/Include_VS2005/TraceLog.h"

#include <mmdeviceapi.h>
#include <mmsystem.h>
#include <propsys.h>
#include <shellapi.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <vector>

namespace {

CReleaseModeDebug* Sink(CReleaseModeDebug* sink)
{
    return sink ? sink : &TraceLog();
}

constexpr size_t kValueTextChars = 1000;

void Append(std::wstring& text, const wchar_t* format, ...)
{
    wchar_t buffer[64];
    va_list args;
    va_start(args, format);
    const int n = std::vswprintf(buffer, 64, format, args);
    va_end(args);
    if (n > 0) {
        text.append(buffer, static_cast<size_t>(n));
    }
}

const wchar_t* RootPrefix(HKEY root)
{
    if (root == HKEY_CLASSES_ROOT) {
        return L"HKEY_CLASSES_ROOT\\";
    }
    if (root == HKEY_CURRENT_USER) {
        return L"HKCU\\";
    }
    if (root == HKEY_LOCAL_MACHINE) {
        return L"HKLM\\";
    }
    if (root == HKEY_USERS) {
        return L"HKEY_USERS\\";
    }
    if (root == HKEY_PERFORMANCE_DATA) {
        return L"HKEY_PERFORMANCE_DATA\\";
    }
    if (root == HKEY_CURRENT_CONFIG) {
        return L"HKEY_CURRENT_CONFIG\\";
    }
    if (root == HKEY_DYN_DATA) {
        return L"HKEY_DYN_DATA\\";
    }
    return L"?\\";
}

const wchar_t* TypeWord(DWORD type)
{
    switch (type) {
    case REG_EXPAND_SZ:
        return L"REG_EXPAND_SZ";
    case REG_BINARY:
        return L"REG_BINARY";
    case REG_DWORD_BIG_ENDIAN:
        return L"REG_DWORD_BIG_ENDIAN";
    case REG_LINK:
        return L"REG_LINK";
    case REG_MULTI_SZ:
        return L"REG_MULTI_SZ";
    case REG_RESOURCE_LIST:
        return L"REG_RESOURCE_LIST";
    case REG_FULL_RESOURCE_DESCRIPTOR:
        return L"REG_FULL_RESOURCE_DESCRIPTOR";
    case REG_RESOURCE_REQUIREMENTS_LIST:
        return L"REG_RESOURCE_REQUIREMENTS_LIST";
    default:
        return nullptr;
    }
}

// Characters up to the first NUL, bounded by the data (registry strings may lack the NUL).
size_t BoundedLength(const wchar_t* text, size_t chars)
{
    size_t n = 0;
    while (n < chars && text[n]) {
        ++n;
    }
    return n;
}

DWORD ExpectedSize(DWORD type, const BYTE* data, DWORD size)
{
    const wchar_t* chars = reinterpret_cast<const wchar_t*>(data);
    const size_t count = size / sizeof(wchar_t);
    switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
        return static_cast<DWORD>((BoundedLength(chars, count) + 1) * sizeof(wchar_t));
    case REG_DWORD:
        return 4;
    case REG_MULTI_SZ: {
        size_t pos = 0;
        while (pos < count && chars[pos]) {
            pos += BoundedLength(chars + pos, count - pos) + 1;
        }
        return static_cast<DWORD>((pos + 1) * sizeof(wchar_t));
    }
    default:
        return size;
    }
}

}  // namespace

std::wstring FormatRegistryValue(DWORD type, const BYTE* data, DWORD size, int maxShown)
{
    std::wstring text;
    if (const wchar_t* word = TypeWord(type)) {
        text = std::wstring(word) + L" ";
    } else if (type != REG_SZ && type != REG_DWORD) {
        Append(text, L"(%u) ", static_cast<unsigned>(type));
    }
    const DWORD expected = ExpectedSize(type, data, size);
    if (expected != size) {
        Append(text, L"(S=%u,E=%u)", static_cast<unsigned>(size), static_cast<unsigned>(expected));
    }
    const size_t limit = maxShown > 0 ? static_cast<size_t>(maxShown) : 0;
    if (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ) {
        const wchar_t* chars = reinterpret_cast<const wchar_t*>(data);
        const size_t count = size / sizeof(wchar_t);
        if (count == 0 || chars[0] == 0) {
            text += L"[]";
        } else {
            size_t pos = 0;
            size_t shown = 0;
            bool cut = false;
            for (int index = 0; pos < count && chars[pos] && !cut; ++index) {
                const size_t n = BoundedLength(chars + pos, count - pos);
                if (index > 0) {
                    Append(text, L" %i", index);
                }
                const size_t take = n < limit - shown ? n : limit - shown;
                cut = take < n;
                text += L"[";
                text.append(chars + pos, take);
                text += L"]";
                shown += take;
                pos += n + 1;
                if (type != REG_MULTI_SZ) {
                    break;
                }
            }
            if (cut) {
                Append(text, L"..%u", static_cast<unsigned>(size));
            }
        }
    } else if (type == REG_DWORD) {
        DWORD value = 0;
        std::memcpy(&value, data, size < 4 ? size : 4);
        Append(text, L"%u", static_cast<unsigned>(value));
    } else {
        const DWORD shown = size < limit ? size : static_cast<DWORD>(limit);
        for (DWORD i = 0; i < shown; ++i) {
            Append(text, (i > 0 && i % 4 == 0) ? L" %02X" : L"%02X", data[i]);
        }
        if (shown < size) {
            Append(text, L"..%u", static_cast<unsigned>(size));
        }
    }
    if (text.size() > kValueTextChars - 1) {
        text.resize(kValueTextChars - 1);
    }
    return text;
}

void LogRegistryKey(unsigned flags, CReleaseModeDebug* sink, HKEY root, const wchar_t* subkey,
                    int maxShown, ...)
{
    std::vector<const wchar_t*> names;
    va_list args;
    va_start(args, maxShown);
    for (const wchar_t* name = va_arg(args, const wchar_t*); name;
         name = va_arg(args, const wchar_t*)) {
        names.push_back(name);
    }
    va_end(args);
    const bool all = names.empty();
    names.push_back(nullptr);
    LogRegistryKeyV(flags, sink, root, subkey, all ? nullptr : names.data(), maxShown);
}

void LogRegistryKeyV(unsigned flags, CReleaseModeDebug* sink, HKEY root, const wchar_t* subkey,
                     const wchar_t* const* names, int maxShown)
{
    sink = Sink(sink);
    LogPrintf(sink, flags, L"%s%s", RootPrefix(root), subkey);
    flags |= RMD_CONTINUATION;
    HKEY key;
    LSTATUS status = RegOpenKeyExW(root, subkey, 0, KEY_QUERY_VALUE, &key);
    if (status != ERROR_SUCCESS) {
        LogPrintf(sink, flags, L"RegOpenKeyEx err.%u", static_cast<unsigned>(status));
        return;
    }
    DWORD subkeys = 0;
    DWORD values = 0;
    DWORD longestName = 0;
    DWORD longestData = 0;
    status = RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                              &longestName, &longestData, nullptr, nullptr);
    if (status != ERROR_SUCCESS) {
        LogPrintf(sink, flags, L"RegQueryInfoKey err.%u", static_cast<unsigned>(status));
        RegCloseKey(key);
        return;
    }
    LogPrintf(sink, flags, L"S=%u V=%u N=%u D=%u", static_cast<unsigned>(subkeys),
              static_cast<unsigned>(values), static_cast<unsigned>(longestName),
              static_cast<unsigned>(longestData));
    const DWORD nameChars = 4 * longestName + 1;
    const DWORD dataBytes = longestData < 4 ? 4 : longestData;
    std::vector<wchar_t> name;
    std::vector<BYTE> data;
    try {
        name.resize(nameChars);
        data.resize(dataBytes);
    } catch (const std::bad_alloc&) {
        LogPrintf(sink, flags, L"malloc err.");
        RegCloseKey(key);
        return;
    }
    for (DWORD index = 0; index < values; ++index) {
        DWORD nameLength = nameChars;
        DWORD type = 0;
        DWORD size = dataBytes;
        status = RegEnumValueW(key, index, name.data(), &nameLength, nullptr, &type, data.data(),
                               &size);
        std::vector<BYTE> bigger;
        if (status == ERROR_MORE_DATA && size > dataBytes) {
            // The value grew since the key was queried: read it whole, then show the cut part.
            bigger.resize(size);
            nameLength = nameChars;
            status = RegEnumValueW(key, index, name.data(), &nameLength, nullptr, &type,
                                   bigger.data(), &size);
        }
        if (status == ERROR_NO_MORE_ITEMS) {
            break;
        }
        if (status != ERROR_SUCCESS) {
            LogPrintf(sink, flags, L"%u: RegEnumValue err.%u", static_cast<unsigned>(index),
                      static_cast<unsigned>(status));
            continue;
        }
        if (names) {
            bool listed = false;
            for (const wchar_t* const* n = names; *n && !listed; ++n) {
                listed = _wcsicmp(*n, name.data()) == 0;
            }
            if (!listed) {
                continue;
            }
        }
        const BYTE* bytes = data.data();
        if (!bigger.empty()) {
            LogPrintf(sink, flags, L"%u: unexp.size %u>%u", static_cast<unsigned>(index),
                      static_cast<unsigned>(size), static_cast<unsigned>(dataBytes));
            std::memcpy(data.data(), bigger.data(), dataBytes);
            size = dataBytes;
        }
        const std::wstring text = FormatRegistryValue(type, bytes, size, maxShown);
        LogPrintf(sink, flags, L"%u: %s=%s", static_cast<unsigned>(index), name.data(),
                  text.c_str());
    }
    RegCloseKey(key);
}

namespace {

const wchar_t* WindowsShortName(const OSVERSIONINFOW& v)
{
    const DWORD ver = v.dwMajorVersion * 100 + v.dwMinorVersion;
    if (v.dwPlatformId == 1) {
        switch (ver) {
        case 400:
            return L"95";
        case 410:
            return L"98";
        case 490:
            return L"ME";
        default:
            return L"??";
        }
    }
    if (v.dwPlatformId == 2) {
        switch (ver) {
        case 400:
            return L"NT";
        case 500:
            return L"2K";
        case 501:
            return L"XP";
        case 502:
            return L"3S";
        case 600:
            return L"VI";
        case 601:
            return L"-7";
        default:
            return L"??";
        }
    }
    return L"??";
}

// The system's word size: a 64-bit program runs only on a 64-bit system, a 32-bit one on
// either (on a 64-bit system under WOW64).
unsigned ProcessBits()
{
    if (sizeof(void*) == 8) {
        return 64;
    }
    using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
    auto isWow64 = reinterpret_cast<IsWow64ProcessFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "IsWow64Process")));
    BOOL wow = FALSE;
    return isWow64 && isWow64(GetCurrentProcess(), &wow) && wow ? 64 : 32;
}

std::wstring ProgramFileText(const wchar_t* path)
{
    WIN32_FIND_DATAW find;
    HANDLE h = FindFirstFileW(path, &find);
    wchar_t text[160];
    if (h == INVALID_HANDLE_VALUE) {
        std::swprintf(text, 160, L"<Err %u in %ls>", static_cast<unsigned>(GetLastError()),
                      L"FindFirstFile");
        return text;
    }
    FindClose(h);
    const unsigned long long size =
        static_cast<unsigned long long>(find.nFileSizeHigh) << 32 | find.nFileSizeLow;
    std::swprintf(text, 160, L"%llu", size);
    std::wstring out = text;
    SYSTEMTIME st;
    if (FileTimeToSystemTime(&find.ftLastWriteTime, &st)) {
        std::swprintf(text, 160, L" %04i.%02i.%02i %02i:%02i:%02i.%03i UTC", st.wYear, st.wMonth,
                      st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
        out += text;
    } else {
        std::swprintf(text, 160, L"%ls<Err %u in %ls>", out.empty() ? L"" : L" ",
                      static_cast<unsigned>(GetLastError()), L"FileTimeToSystemTime");
        out += text;
    }
    return out;
}

}  // namespace

void LogStartupHeader(const wchar_t* versionText, CReleaseModeDebug* sink)
{
    sink = Sink(sink);
    SYSTEMTIME now;
    GetLocalTime(&now);
    TIME_ZONE_INFORMATION zone;
    const DWORD zoneId = GetTimeZoneInformation(&zone);
    long bias = 0;
    const wchar_t* unknown = L"";
    if (zoneId == TIME_ZONE_ID_INVALID) {
        unknown = L"?";
    } else {
        bias =
            zone.Bias + (zoneId == TIME_ZONE_ID_DAYLIGHT ? zone.DaylightBias : zone.StandardBias);
    }
    const long absBias = bias < 0 ? -bias : bias;
    const DWORD tick = GetTickCount();
    LogPrintf(sink, RMD_CONTINUATION,
              L"%04i.%02i.%02i %02i:%02i:%02i.%03i (UTC%s%i:%02i%s) = Boot+%i:%02i:%02i.%03i",
              now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond,
              now.wMilliseconds, bias <= 0 ? L"+" : L"-", static_cast<int>(absBias / 60),
              static_cast<int>(absBias % 60), unknown, static_cast<int>(tick / 3600000),
              static_cast<int>(tick / 60000 % 60), static_cast<int>(tick / 1000 % 60),
              static_cast<int>(tick % 1000));

    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    GetVersionExW(&version);
    LogPrintf(sink, RMD_CONTINUATION, L"WinVer=%u-%u.%u(Win%s).%u,[%s], %ubit",
              static_cast<unsigned>(version.dwPlatformId),
              static_cast<unsigned>(version.dwMajorVersion),
              static_cast<unsigned>(version.dwMinorVersion), WindowsShortName(version),
              static_cast<unsigned>(version.dwBuildNumber & 0xFFFF), version.szCSDVersion,
              ProcessBits());

    wchar_t path[MAX_PATH];
    const DWORD pathLength = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (pathLength == 0) {
        LogPrintf(sink, RMD_CONTINUATION, L"Main=** Err.%u in GetModuleFileName(NULL) **",
                  static_cast<unsigned>(GetLastError()));
    } else {
        LogPrintf(sink, RMD_CONTINUATION, L"Main=%s", path);
    }
    const std::wstring fileText = pathLength ? ProgramFileText(path) : std::wstring();
    LogPrintf(sink, RMD_CONTINUATION, L"V=%s, (%i) %S %s", versionText ? versionText : L"",
              static_cast<int>(8 * sizeof(void*)),
              __DATE__, fileText.c_str());

    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    LogPrintf(sink, RMD_CONTINUATION, L"%i parms", argv ? argc : 0);
    for (int i = 0; argv && i < argc; ++i) {
        // A URL argument may carry a password: the dump shows it masked.
        LogPrintf(sink, RMD_CONTINUATION, L"%i: [%s]", i, MaskURLPassword(argv[i]).c_str());
    }
    if (argv) {
        LocalFree(argv);
    }
}

namespace {

constexpr UINT kQueryInterfaceSize = DRV_RESERVED + 12;
constexpr UINT kQueryInterface = DRV_RESERVED + 13;
constexpr DWORD kMaxInterfaceBytes = 520;

template <class Caps>
void LogDeviceLine(CReleaseModeDebug* sink, UINT index, MMRESULT result, const Caps& caps)
{
    if (result != MMSYSERR_NOERROR) {
        LogPrintf(sink, RMD_STAMPED, L"%u: err.%u", index, static_cast<unsigned>(result));
        return;
    }
    LogPrintf(sink, RMD_STAMPED, L"%u: %u %u %u.%u [%s]", index, caps.wMid, caps.wPid,
              static_cast<unsigned>(HIBYTE(caps.vDriverVersion)),
              static_cast<unsigned>(LOBYTE(caps.vDriverVersion)), caps.szPname);
}

template <class Message>
void LogInterfaceLine(CReleaseModeDebug* sink, Message message)
{
    ULONG size = 0;
    MMRESULT result = message(kQueryInterfaceSize, reinterpret_cast<DWORD_PTR>(&size), 0);
    if (result != MMSYSERR_NOERROR) {
        LogPrintf(sink, RMD_STAMPED, L" I err.%u", static_cast<unsigned>(result));
        return;
    }
    if (size == 0 || size > kMaxInterfaceBytes) {
        LogPrintf(sink, RMD_STAMPED, L" I=%u", static_cast<unsigned>(size));
        return;
    }
    wchar_t name[kMaxInterfaceBytes / sizeof(wchar_t) + 1] = {};
    result = message(kQueryInterface, reinterpret_cast<DWORD_PTR>(name), kMaxInterfaceBytes);
    if (result != MMSYSERR_NOERROR) {
        LogPrintf(sink, RMD_STAMPED, L" I=%u, err.%u", static_cast<unsigned>(size),
                  static_cast<unsigned>(result));
        return;
    }
    LogPrintf(sink, RMD_STAMPED, L" I=%u=[%s]", static_cast<unsigned>(size), name);
}

}  // namespace

void LogWaveDevices(CReleaseModeDebug* sink)
{
    sink = Sink(sink);
    const UINT inCount = waveInGetNumDevs();
    LogPrintf(sink, RMD_STAMPED, L"%u %s", inCount, L"WIn");
    for (UINT i = 0; i < inCount; ++i) {
        WAVEINCAPSW caps = {};
        LogDeviceLine(sink, i, waveInGetDevCapsW(i, &caps, sizeof(caps)), caps);
        LogInterfaceLine(sink, [i](UINT msg, DWORD_PTR p1, DWORD_PTR p2) {
            return waveInMessage(reinterpret_cast<HWAVEIN>(static_cast<UINT_PTR>(i)), msg, p1, p2);
        });
    }
    const UINT outCount = waveOutGetNumDevs();
    LogPrintf(sink, RMD_STAMPED, L"%u %s", outCount, L"WOut");
    for (UINT i = 0; i < outCount; ++i) {
        WAVEOUTCAPSW caps = {};
        LogDeviceLine(sink, i, waveOutGetDevCapsW(i, &caps, sizeof(caps)), caps);
        LogInterfaceLine(sink, [i](UINT msg, DWORD_PTR p1, DWORD_PTR p2) {
            return waveOutMessage(reinterpret_cast<HWAVEOUT>(static_cast<UINT_PTR>(i)), msg, p1,
                                  p2);
        });
    }
    const UINT mixCount = mixerGetNumDevs();
    LogPrintf(sink, RMD_STAMPED, L"%u %s", mixCount, L"Mix");
    for (UINT i = 0; i < mixCount; ++i) {
        MIXERCAPSW caps = {};
        LogDeviceLine(sink, i, mixerGetDevCapsW(i, &caps, sizeof(caps)), caps);
    }
    LogAudioEndpoints(sink);
}
