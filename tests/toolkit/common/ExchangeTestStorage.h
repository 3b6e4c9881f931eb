// Storage places the exchange tests own: a registry key under HKCU removed with all it holds,
// and the plain Win32 reads that check what the exchange wrote.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace orvane::test {

// HKCU\Software\OrvaneTests\<tag>-<process>-<n>, created empty and deleted with its tree.
class TestRegistryKey {
public:
    explicit TestRegistryKey(const wchar_t* tag)
    {
        static int counter = 0;
        m_path = std::wstring(L"Software\\OrvaneTests\\") + tag + L"-" +
                 std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
        ::RegDeleteTreeW(HKEY_CURRENT_USER, m_path.c_str());
        ::RegCreateKeyExW(HKEY_CURRENT_USER, m_path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                          nullptr, &m_key, nullptr);
    }
    ~TestRegistryKey()
    {
        if (m_key) {
            ::RegCloseKey(m_key);
        }
        ::RegDeleteTreeW(HKEY_CURRENT_USER, m_path.c_str());
        ::RegDeleteKeyW(HKEY_CURRENT_USER, m_path.c_str());
    }
    TestRegistryKey(const TestRegistryKey&) = delete;
    TestRegistryKey& operator=(const TestRegistryKey&) = delete;

    HKEY Key() const { return m_key; }
    const std::wstring& Path() const { return m_path; }

    // A value of the subkey (path below this key): its type and bytes; false when missing.
    bool Query(const wchar_t* subkey, const wchar_t* name, DWORD* type,
               std::vector<BYTE>* data) const
    {
        HKEY key = nullptr;
        if (::RegOpenKeyExW(m_key, subkey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
            return false;
        }
        DWORD size = 0;
        bool ok = ::RegQueryValueExW(key, name, nullptr, type, nullptr, &size) == ERROR_SUCCESS;
        if (ok) {
            data->assign(size, 0);
            ok = ::RegQueryValueExW(key, name, nullptr, type, data->data(), &size) ==
                 ERROR_SUCCESS;
        }
        ::RegCloseKey(key);
        return ok;
    }
    bool HasSubkey(const wchar_t* subkey) const
    {
        HKEY key = nullptr;
        if (::RegOpenKeyExW(m_key, subkey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
            return false;
        }
        ::RegCloseKey(key);
        return true;
    }
    void Set(const wchar_t* subkey, const wchar_t* name, DWORD type, const void* data,
             DWORD size) const
    {
        HKEY key = nullptr;
        ::RegCreateKeyExW(m_key, subkey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        ::RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
        ::RegCloseKey(key);
    }

private:
    std::wstring m_path;
    HKEY m_key = nullptr;
};

inline std::wstring IniText(const std::wstring& file, const wchar_t* section, const wchar_t* key)
{
    std::vector<wchar_t> buffer(70000);
    const DWORD n = ::GetPrivateProfileStringW(section, key, L"<missing>", buffer.data(),
                                               static_cast<DWORD>(buffer.size()), file.c_str());
    return std::wstring(buffer.data(), n);
}

inline std::vector<std::wstring> IniSections(const std::wstring& file)
{
    std::vector<wchar_t> buffer(70000);
    const DWORD n = ::GetPrivateProfileSectionNamesW(buffer.data(),
                                                     static_cast<DWORD>(buffer.size()),
                                                     file.c_str());
    std::vector<std::wstring> names;
    for (const wchar_t* p = buffer.data(); p < buffer.data() + n && *p; p += wcslen(p) + 1) {
        names.emplace_back(p);
    }
    return names;
}

}  // namespace orvane::test
