// String-table texts of the support library and the printf-style formatting into strings.
#include "WinNT_SP/Include_VS2005/SupportStrings.h"

#include <windows.h>

#include <cstdarg>
#include <cwchar>
#include <vector>

namespace {

struct BuiltIn {
    unsigned id;
    const wchar_t* text;
};

const BuiltIn kTexts[] = {
    {IDS_MIXER_NOT_FOUND,
     L"System mixer \"%s\" cannot be found. Most likely you have another mixer program that is "
     L"part of the software for your sound board. You should use this program instead of the "
     L"system mixer."},
    {IDS_CREATE_LOG_FILE_FAILED, L"Unable to create file \"%s\" - system error %lu (%s)"},
    {IDS_UNKNOWN_ERROR, L"Unknown error"},
    {IDS_XML_NODE_FAILED, L"Failed to create XML node \"%s\" from description: [%s]."},
    {IDS_SETTINGS_INVALID,
     L"The file \"%s\" does not appear to be a valid %s settings file or the file has been "
     L"corrupted."},
    {IDS_SETTINGS_RESTORE_BACKUP,
     L"Settings file \"%s\" is invalid or corrupted. %s will try to restore the Settings from "
     L"the backup file \"%s\"."},
    {IDS_SETTINGS_BACKUP_INVALID,
     L"Settings backup file \"%s\" is invalid or corrupted. %s will use default settings."},
    {IDS_SETTINGS_USE_DEFAULTS,
     L"Settings file \"%s\" is invalid or corrupted. %s will use default settings."},
    {IDS_DELETE_FILE_FAILED, L"Unable to delete the file \"%s\" - system error %lu (%s)."},
    {IDS_SYSTEM_ERROR, L"%s\r\n\r\nSystem error code: 0x%X\r\nFunction: %s."},
    {IDS_ACCESS_DENIED_HINT,
     L"The operation may have failed because of specific system settings or special software "
     L"(like a firewall). You should verify your system settings (most likely, rights "
     L"management) and settings for such special software."},
    {IDS_CREATE_FOLDER_FAILED, L"Unable to create folder \"%s\" - system error %lu (%s)."},
    {IDS_BAD_REGISTRY_FORMAT, L"Invalid registry value format: %s."},
    {IDS_DLL_LOAD_FAILED, L"Failed to load Dynamic Link Library \"%s\".\nSystem error %lu (%s)."},
    {IDS_XML_PARSE_LINE, L"Parsing the file \"%s\" error %#x:\r\nLine %i: %s\r\n%s"},
    {IDS_XML_PARSE, L"Parsing the file \"%s\" error %#x:\r\n%s"},
    {IDS_ALL_FILES, L"All Files (*.*)"},
};

std::wstring FormatV(const wchar_t* format, va_list args)
{
    std::vector<wchar_t> buf(512);
    for (;;) {
        va_list copy;
        va_copy(copy, args);
        // The CRT's own formatter: %s is a wide string here, as everywhere in the program.
        const int n = _vsnwprintf(buf.data(), buf.size() - 1, format, copy);
        va_end(copy);
        if (n >= 0 && static_cast<size_t>(n) < buf.size() - 1) {
            buf[static_cast<size_t>(n)] = 0;
            return std::wstring(buf.data(), static_cast<size_t>(n));
        }
        if (buf.size() > (1u << 22)) {
            buf.back() = 0;
            return std::wstring(buf.data());
        }
        buf.resize(buf.size() * 2);
    }
}

}  // namespace

std::wstring LoadResText(unsigned id)
{
    const wchar_t* res = nullptr;
    const int n = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<wchar_t*>(&res), 0);
    if (n > 0 && res) {
        return std::wstring(res, static_cast<size_t>(n));
    }
    for (const BuiltIn& t : kTexts) {
        if (t.id == id) {
            return t.text;
        }
    }
    return std::wstring();
}

std::wstring FormatNewString(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    std::wstring s = FormatV(format, args);
    va_end(args);
    return s;
}

std::wstring FormatResString(unsigned id, ...)
{
    const std::wstring format = LoadResText(id);
    va_list args;
    va_start(args, id);
    std::wstring s = FormatV(format.c_str(), args);
    va_end(args);
    return s;
}
