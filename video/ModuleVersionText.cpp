// Module file size, last-write time and version-resource texts for the graph dump.
#include "video/ModuleVersionText.h"
#include "WinNT_SP/Include_VS2005/TraceScope.h"

#include "video/EngineText.h"

#include <windows.h>

namespace {

std::wstring VersionString(const std::vector<BYTE>& data, const wchar_t* language,
                           const wchar_t* key)
{
    TRACE_FUNCTION();
    wchar_t query[128];
    FormatBufN(query, 128, L"\\StringFileInfo\\%s\\%s", language, key);
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), query, &value, &length) || !value || length == 0) {
        return std::wstring();
    }
    return std::wstring(static_cast<const wchar_t*>(value),
                        wcsnlen(static_cast<const wchar_t*>(value), length));
}

}  // namespace

std::wstring FormatFileSizeTime(const std::wstring& path)
{
    TRACE_FUNCTION();
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        return FormatText(L"<Err %u in %s>", static_cast<unsigned>(GetLastError()),
                          L"GetFileAttributesEx");
    }
    SYSTEMTIME t = {};
    if (!FileTimeToSystemTime(&data.ftLastWriteTime, &t)) {
        return FormatText(L"<Err %u in %s>", static_cast<unsigned>(GetLastError()),
                          L"FileTimeToSystemTime");
    }
    const unsigned long long size =
        (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return FormatText(L"%I64u %04i.%02i.%02i %02i:%02i:%02i.%03i UTC", size,
                      static_cast<int>(t.wYear), static_cast<int>(t.wMonth),
                      static_cast<int>(t.wDay), static_cast<int>(t.wHour),
                      static_cast<int>(t.wMinute), static_cast<int>(t.wSecond),
                      static_cast<int>(t.wMilliseconds));
}

std::vector<std::wstring> ModuleVersionLines(const std::wstring& path, const wchar_t* prefix)
{
    TRACE_FUNCTION();
    std::vector<std::wstring> lines;
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
    std::vector<BYTE> data(size ? size : 1);
    const char* failed = nullptr;
    if (size == 0) {
        failed = "GetFileVersionInfoSize";
    } else if (!GetFileVersionInfoW(path.c_str(), 0, size, data.data())) {
        failed = "GetFileVersionInfo";
    }
    if (failed) {
        const DWORD code = GetLastError();
        std::wstring function;
        for (const char* p = failed; *p; ++p) {
            function += static_cast<wchar_t>(*p);
        }
        lines.push_back(FormatText(L"%sErr %i-%u in %s(%s), %s-%u", prefix, 1,
                                   static_cast<unsigned>(code), function.c_str(), path.c_str(),
                                   SourceFileTitle(__FILE__).c_str(), __LINE__));
        return lines;
    }
    wchar_t language[16] = L"040904B0";
    struct Translation {
        WORD language;
        WORD codePage;
    };
    void* value = nullptr;
    UINT length = 0;
    if (VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", &value, &length) && value &&
        length >= sizeof(Translation)) {
        const auto* t = static_cast<const Translation*>(value);
        FormatBufN(language, 16, L"%04X%04X", t->language, t->codePage);
    }
    const std::wstring company = VersionString(data, language, L"CompanyName");
    const std::wstring copyright = VersionString(data, language, L"LegalCopyright");
    const std::wstring product = VersionString(data, language, L"ProductName");
    const std::wstring productVersion = VersionString(data, language, L"ProductVersion");
    const std::wstring file = VersionString(data, language, L"FileDescription");
    const std::wstring fileVersion = VersionString(data, language, L"FileVersion");
    const std::wstring comment = VersionString(data, language, L"Comments");
    if (!company.empty() || !copyright.empty()) {
        lines.push_back(FormatText(L"%sCompany=[%s] C=[%s]", prefix, company.c_str(),
                                   copyright.c_str()));
    }
    if (!product.empty() || !productVersion.empty()) {
        lines.push_back(FormatText(L"%sProduct=[%s] v=[%s]", prefix, product.c_str(),
                                   productVersion.c_str()));
    }
    if (!file.empty() || !fileVersion.empty()) {
        lines.push_back(FormatText(L"%sFile   =[%s] v=[%s]", prefix, file.c_str(),
                                   fileVersion.c_str()));
    }
    if (!comment.empty()) {
        lines.push_back(FormatText(L"%sComment=[%s]", prefix, comment.c_str()));
    }
    return lines;
}
