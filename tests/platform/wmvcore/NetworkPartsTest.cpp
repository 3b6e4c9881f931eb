// The network reader's window-free parts: chunked decoding fed in every split, URL parsing
// (schemes, ports, credentials), Basic encoding, and the system proxy's text forms.
#include <winsock2.h>
#include <windows.h>
#include <nserror.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/wmvcore/WmvChunkedDecoder.h"
#include "platform/wmvcore/WmvHttpSource.h"
#include "platform/wmvcore/WmvNetworkConfig.h"

namespace orvane::wmv {
namespace {

std::string Decoded(const std::string& wire, size_t piece, bool* ok, bool* finished)
{
    WmvChunkedDecoder decoder;
    std::vector<uint8_t> out;
    *ok = true;
    for (size_t at = 0; at < wire.size() && *ok; at += piece) {
        *ok = decoder.Feed(wire.data() + at, std::min(piece, wire.size() - at), &out);
    }
    *finished = decoder.Finished();
    return std::string(out.begin(), out.end());
}

struct ChunkCase {
    const char* wire;
    bool ok;
    bool finished;
    const char* body;
};

TEST(ChunkedDecoder, DecodesWhateverTheSplit)
{
    const ChunkCase cases[] = {
        {"5\r\nhello\r\n6\r\n world\r\n0\r\n\r\n", true, true, "hello world"},
        {"A;name=value\r\n0123456789\r\n0\r\n\r\n", true, true, "0123456789"},
        {"a\r\n0123456789\r\n0\r\nX-Trailer: 1\r\nY: 2\r\n\r\n", true, true, "0123456789"},
        {"3\r\nabc\r\n", true, false, "abc"},                 // the rest not yet arrived
        {"3\r\nabc\r\n0\r\n\r\nGARBAGE", true, true, "abc"},  // nothing after the end
        {"3\r\nabcd\r\n", false, false, "abc"},                // data longer than its size
        {"\r\n", false, false, ""},                            // no size
        {"zz\r\n", false, false, ""},
        {"1234567890123456\r\n", false, false, ""},            // an impossible size
        {"3\nabc\r\n", false, false, ""},                      // bare LF after the size
    };
    for (const ChunkCase& c : cases) {
        for (size_t piece : {size_t(1), size_t(2), size_t(3), size_t(7), size_t(1000)}) {
            bool ok = false;
            bool finished = false;
            const std::string body = Decoded(c.wire, piece, &ok, &finished);
            EXPECT_EQ(ok, c.ok) << c.wire << " in pieces of " << piece;
            EXPECT_EQ(finished, c.finished) << c.wire << " in pieces of " << piece;
            if (c.ok) {
                EXPECT_EQ(body, c.body) << c.wire << " in pieces of " << piece;
            }
        }
    }
}

struct UrlCase {
    const wchar_t* url;
    HRESULT result;
    const char* host;
    unsigned port;
    const char* path;
    bool credentials;
    const char* user;
    const char* password;
};

TEST(HttpUrl, SplitsSchemesPortsAndCredentials)
{
    const UrlCase cases[] = {
        {L"http://host/a/b.wmv", S_OK, "host", 80, "/a/b.wmv", false, "", ""},
        {L"HTTP://Host:8080", S_OK, "Host", 8080, "/", false, "", ""},
        {L"http://h:1/x?y=1#frag", S_OK, "h", 1, "/x?y=1", false, "", ""},
        {L"http://h?q", S_OK, "h", 80, "/?q", false, "", ""},
        {L"mms://media.example/talk.wmv", S_OK, "media.example", 80, "/talk.wmv", false, "", ""},
        {L"mms://media.example:1755/talk", S_OK, "media.example", 1755, "/talk", false, "", ""},
        {L"http://ann:s3cret@h:81/x", S_OK, "h", 81, "/x", true, "ann", "s3cret"},
        {L"http://ann@h/x", S_OK, "h", 80, "/x", true, "ann", ""},
        {L"http://a%40b:p%3Aw@h/x", S_OK, "h", 80, "/x", true, "a@b", "p:w"},
        {L"http://u:p@q@h/x", S_OK, "h", 80, "/x", true, "u", "p@q"},
        {L"http://h:65535/", S_OK, "h", 65535, "/", false, "", ""},
        {L"http://h:65536/", NS_E_INVALID_NAME, "", 0, "", false, "", ""},
        {L"http://h:0/", NS_E_INVALID_NAME, "", 0, "", false, "", ""},
        {L"http://h:/", NS_E_INVALID_NAME, "", 0, "", false, "", ""},
        {L"http://h:8x/", NS_E_INVALID_NAME, "", 0, "", false, "", ""},
        {L"http:///x", NS_E_INVALID_NAME, "", 0, "", false, "", ""},
        {L"http://h/a b", NS_E_INVALID_NAME, "", 0, "", false, "", ""},
        {L"https://h/x", NS_E_UNKNOWN_PROTOCOL, "", 0, "", false, "", ""},
        {L"rtsp://h/x", NS_E_UNKNOWN_PROTOCOL, "", 0, "", false, "", ""},
        {L"c:\\talk.wmv", NS_E_UNKNOWN_PROTOCOL, "", 0, "", false, "", ""},
    };
    for (const UrlCase& c : cases) {
        WmvHttpUrl url;
        EXPECT_EQ(WmvHttpSource::ParseUrl(c.url, &url), c.result) << c.url;
        if (c.result != S_OK) {
            continue;
        }
        EXPECT_EQ(url.host, c.host) << c.url;
        EXPECT_EQ(url.port, c.port) << c.url;
        EXPECT_EQ(url.path, c.path) << c.url;
        EXPECT_EQ(url.hasCredentials, c.credentials) << c.url;
        EXPECT_EQ(url.user, c.user) << c.url;
        EXPECT_EQ(url.password, c.password) << c.url;
    }
}

TEST(HttpUrl, AVeryLongUrlParsesWithoutLoss)
{
    const std::wstring path = L"/" + std::wstring(100000, L'x');
    WmvHttpUrl url;
    ASSERT_EQ(WmvHttpSource::ParseUrl(L"http://h" + path, &url), S_OK);
    EXPECT_EQ(url.path.size(), path.size());
}

TEST(HttpUrl, Base64OfEveryTailLength)
{
    const std::pair<const char*, const char*> cases[] = {
        {"", ""}, {"f", "Zg=="}, {"fo", "Zm8="}, {"foo", "Zm9v"}, {"foob", "Zm9vYg=="},
        {"ann:s3cret", "YW5uOnMzY3JldA=="}, {"\xff\xfe\xfd", "//79"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WmvHttpSource::Base64(c.first), c.second) << c.first;
    }
}

struct ProxyTextCase {
    const wchar_t* text;
    const wchar_t* host;  // "" = unusable
    DWORD port;
};

TEST(SystemProxy, ProxyServerTextForms)
{
    const ProxyTextCase cases[] = {
        {L"proxy:3128", L"proxy", 3128},
        {L"proxy", L"proxy", 80},
        {L"http://proxy:8080/", L"proxy", 8080},
        {L"ftp=f:21;http=web:8080;https=s:443", L"web", 8080},
        {L"https=s:443 http=web:81", L"web", 81},
        {L"ftp=f:21", L"", 0},
        {L"proxy:70000", L"", 0},
        {L"proxy:abc", L"", 0},
        {L"", L"", 0},
    };
    for (const ProxyTextCase& c : cases) {
        const WmvProxy proxy = WmvNetworkConfig::ParseProxyServer(c.text);
        EXPECT_EQ(proxy.host, c.host) << c.text;
        EXPECT_EQ(proxy.port, c.port) << c.text;
    }
}

struct BypassCase {
    const wchar_t* list;
    const wchar_t* host;
    bool bypassed;
};

TEST(SystemProxy, OverrideListExemptsHosts)
{
    const BypassCase cases[] = {
        {L"<local>", L"intranet", true},
        {L"<local>", L"127.0.0.1", false},
        {L"*.example.org", L"media.example.org", true},
        {L"*.example.org", L"example.com", false},
        {L"10.*;<local>", L"10.1.2.3", true},
        {L"MEDIA.example", L"media.EXAMPLE", true},
        {L"", L"anything", false},
        {L";;", L"anything", false},
    };
    for (const BypassCase& c : cases) {
        EXPECT_EQ(WmvNetworkConfig::Bypassed(c.list, c.host), c.bypassed)
            << c.list << " / " << c.host;
    }
}

}  // namespace
}  // namespace orvane::wmv
