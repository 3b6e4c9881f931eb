// URL check and schemes.
#include "player/core/UrlCheck.h"

#include "WinNT_SP/Include_VS2005/TextFormat.h"

#include <cwctype>

namespace UrlCheck {

namespace {

const wchar_t kProduct[] = L"Orvane Presentation Player";
const wchar_t* const kAccepted[] = {L"http", L"https", L"mms", L"rtsp", L"vexohttp", L"vexomms"};
const struct {
    const wchar_t* privateScheme;
    const wchar_t* publicScheme;
} kPrivate[] = {{L"vexohttp", L"http"}, {L"vexomms", L"mms"}};

std::wstring Lower(std::wstring s)
{
    for (wchar_t& c : s) {
        c = static_cast<wchar_t>(std::towlower(c));
    }
    return s;
}

bool SameText(const std::wstring& a, const std::wstring& b) { return Lower(a) == Lower(b); }

int HexValue(wchar_t c)
{
    if (c >= L'0' && c <= L'9') {
        return c - L'0';
    }
    if (c >= L'a' && c <= L'f') {
        return c - L'a' + 10;
    }
    if (c >= L'A' && c <= L'F') {
        return c - L'A' + 10;
    }
    return -1;
}

std::wstring Decoded(const std::wstring& s)
{
    std::wstring out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == L'%' && i + 2 < s.size() && HexValue(s[i + 1]) >= 0 &&
            HexValue(s[i + 2]) >= 0) {
            out.push_back(static_cast<wchar_t>(HexValue(s[i + 1]) * 16 + HexValue(s[i + 2])));
            i += 2;
        } else {
            out.push_back(s[i]);
        }
    }
    return out;
}

SchemeClass ClassOf(const std::wstring& scheme)
{
    const std::wstring s = Lower(scheme);
    if (s == L"http") {
        return SchemeClass::kHttp;
    }
    if (s == L"https") {
        return SchemeClass::kHttps;
    }
    if (s == L"file") {
        return SchemeClass::kFile;
    }
    if (s == L"ftp") {
        return SchemeClass::kFtp;
    }
    if (s == L"gopher") {
        return SchemeClass::kGopher;
    }
    if (s == L"news") {
        return SchemeClass::kNews;
    }
    if (s == L"mailto") {
        return SchemeClass::kMailto;
    }
    return SchemeClass::kUnknown;
}

}  // namespace

std::wstring Message(int id)
{
    switch (id) {
    case 190: return L"The URL cannot be empty.";
    case 191: return L"The URL \"%s\" is not a valid URL.";
    case 192:
        return L"Protocol in the URL is missing (URL should start with something like "
               L"\"http://\").";
    case 193: return L"A local file cannot be opened as a URL.";
    case 194: return L"The protocol \"%s\" is not supported by %s.";
    default: return std::wstring();
    }
}

bool ParseUrl(const std::wstring& url, bool decode, UrlParts* out)
{
    const size_t colon = url.find(L':');
    if (colon == std::wstring::npos || colon == 0) {
        return false;
    }
    UrlParts parts;
    parts.scheme = url.substr(0, colon);
    for (wchar_t c : parts.scheme) {
        if (!(std::iswalnum(c) || c == L'+' || c == L'-' || c == L'.') || c > 0x7F) {
            return false;
        }
    }
    if (!std::iswalpha(parts.scheme[0])) {
        return false;
    }
    parts.schemeClass = ClassOf(parts.scheme);
    std::wstring rest = url.substr(colon + 1);
    for (wchar_t c : rest) {
        if (c < 0x20 || c == 0x7F) {
            return false;  // control characters never belong to a URL
        }
    }
    if (rest.rfind(L"//", 0) == 0) {
        const size_t end = rest.find_first_of(L"/?#", 2);
        std::wstring authority = rest.substr(2, end == std::wstring::npos ? std::wstring::npos
                                                                          : end - 2);
        parts.path = end == std::wstring::npos ? std::wstring() : rest.substr(end);
        const size_t at = authority.rfind(L'@');
        if (at != std::wstring::npos) {
            const std::wstring info = authority.substr(0, at);
            authority = authority.substr(at + 1);
            const size_t split = info.find(L':');
            parts.user = info.substr(0, split);
            parts.password = split == std::wstring::npos ? std::wstring() : info.substr(split + 1);
        }
        const size_t portColon = authority.rfind(L':');
        if (portColon != std::wstring::npos && authority.find(L']') == std::wstring::npos) {
            const std::wstring digits = authority.substr(portColon + 1);
            if (!digits.empty()) {
                if (digits.size() > 5 || digits.find_first_not_of(L"0123456789") !=
                                             std::wstring::npos) {
                    return false;
                }
                parts.port = static_cast<unsigned>(std::stoul(digits));
                if (parts.port > 65535) {
                    return false;
                }
            }
            authority.resize(portColon);
        }
        if (authority.find_first_of(L" \\") != std::wstring::npos) {
            return false;
        }
        parts.host = authority;
    } else {
        parts.path = rest;
    }
    const size_t hash = parts.path.find(L'#');
    if (hash != std::wstring::npos) {
        parts.path.resize(hash);
    }
    if (decode) {
        parts.user = Decoded(parts.user);
        parts.password = Decoded(parts.password);
        parts.path = Decoded(parts.path);
    }
    *out = std::move(parts);
    return true;
}

std::wstring GetURLScheme(const std::wstring& url)
{
    const size_t colon = url.find(L':');
    if (colon == std::wstring::npos || colon == 0) {
        return std::wstring();
    }
    return url.substr(0, colon);
}

std::wstring CheckURL(const std::wstring& url)
{
    if (url.empty()) {
        return Message(190);
    }
    auto format = [](const std::wstring& pattern, const std::wstring& value,
                     const std::wstring& second = std::wstring()) {
        std::wstring out = pattern;
        size_t at = out.find(L"%s");
        if (at != std::wstring::npos) {
            out.replace(at, 2, value);
            at = out.find(L"%s", at + value.size());
            if (at != std::wstring::npos) {
                out.replace(at, 2, second);
            }
        }
        return out;
    };
    if (url.find(L':') == std::wstring::npos) {
        return format(Message(191), url) + L"\r\n" + Message(192);
    }
    UrlParts parts;
    if (!ParseUrl(url, false, &parts) || parts.host.empty()) {
        return format(Message(191), MaskURLPassword(url));
    }
    if (parts.schemeClass == SchemeClass::kFile) {
        return Message(193);
    }
    if (parts.schemeClass == SchemeClass::kHttp || parts.schemeClass == SchemeClass::kHttps) {
        return std::wstring();
    }
    const std::wstring scheme = GetURLScheme(url);
    if (parts.schemeClass == SchemeClass::kUnknown &&
        (SameText(scheme, L"mms") || SameText(scheme, L"rtsp") ||
         SameText(scheme, L"vexohttp") || SameText(scheme, L"vexomms"))) {
        return std::wstring();
    }
    return format(Message(194), scheme, kProduct);
}

bool IsSupportedURL(const std::wstring& text)
{
    UrlParts parts;
    if (!ParseUrl(text, false, &parts) || parts.schemeClass == SchemeClass::kFile ||
        parts.host.empty()) {
        return false;
    }
    const std::wstring scheme = GetURLScheme(text);
    for (const wchar_t* accepted : kAccepted) {
        if (SameText(scheme, accepted)) {
            return true;
        }
    }
    return false;
}

std::wstring MapPrivateScheme(const std::wstring& url)
{
    std::wstring out = url;
    for (const auto& row : kPrivate) {
        const std::wstring prefix = std::wstring(row.privateScheme) + L":";
        if (out.size() >= prefix.size() && SameText(out.substr(0, prefix.size()), prefix)) {
            out = std::wstring(row.publicScheme) + L":" + out.substr(prefix.size());
        }
    }
    return out;
}

std::wstring GetURLFileName(const std::wstring& url, bool stripExtension)
{
    UrlParts parts;
    if (!ParseUrl(url, true, &parts)) {
        return std::wstring();
    }
    std::wstring name = parts.path;
    const size_t query = name.find(L'?');
    if (query != std::wstring::npos && query > 0) {
        name.resize(query);
    }
    // The extension is cut in the last segment only: "/set.2/talk" is "talk", not "set".
    const size_t slash = name.rfind(L'/');
    if (slash != std::wstring::npos) {
        name = name.substr(slash + 1);
    }
    if (stripExtension) {
        const size_t dot = name.rfind(L'.');
        if (dot != std::wstring::npos) {
            name.resize(dot);
        }
    }
    return name.empty() ? parts.host : name;
}

std::wstring MaskURLPassword(const std::wstring& url) { return ::MaskURLPassword(url); }

}  // namespace UrlCheck
