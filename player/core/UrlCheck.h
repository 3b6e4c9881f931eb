// Which texts the player treats as URLs: the check of a typed URL, the private schemes
// ("vexohttp", "vexomms") turned into the public ones the network reader understands, and a
// short name derived from a URL. Free functions without state, callable from any thread.
#pragma once

#include <string>

namespace UrlCheck {

// How a URL splits; the scheme class decides what the player does with it.
enum class SchemeClass { kUnknown, kHttp, kHttps, kFile, kFtp, kGopher, kNews, kMailto };

struct UrlParts {
    std::wstring scheme;
    SchemeClass schemeClass = SchemeClass::kUnknown;
    std::wstring user;
    std::wstring password;
    std::wstring host;
    unsigned port = 0;
    std::wstring path;  // with the query
};

// Splits "scheme:[//[user[:password]@]host[:port]]path"; false for a text it cannot split.
// decode: percent-escapes in the user, password and path are decoded.
bool ParseUrl(const std::wstring& url, bool decode, UrlParts* out);

// The text before the first colon; empty without a colon or with one at the start.
std::wstring GetURLScheme(const std::wstring& url);
// The error text for a URL that may not be opened; empty when it may.
std::wstring CheckURL(const std::wstring& url);
bool IsSupportedURL(const std::wstring& text);
std::wstring MapPrivateScheme(const std::wstring& url);
std::wstring GetURLFileName(const std::wstring& url, bool stripExtension);
// The URL with the password of its "user:password@" part replaced by "****", for every text a
// person or a log sees; the URL itself when it has none.
std::wstring MaskURLPassword(const std::wstring& url);

// The messages of the check (ids 190 to 194 of the player's string table).
std::wstring Message(int id);

}  // namespace UrlCheck
