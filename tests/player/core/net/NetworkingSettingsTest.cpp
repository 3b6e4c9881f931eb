// The networking settings: the "Networking" text read into the HTTP/RTSP pair (defaults,
// entries skipped one by one), written back with exactly two entries, the "Proxy" column text,
// and each proxy type's runtime setting.
#include "player/core/NetworkingSettings.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct ParseCase {
    const char* name;
    const wchar_t* text;
    int httpType;
    int rtspType;
    const wchar_t* httpServer;
    int httpPort;
    int rtspPort;
};

TEST(NetworkingSettings, ParseTable)
{
    const ParseCase cases[] = {
        {"empty", L"", 2, 3, L"", 80, 554},
        {"null", nullptr, 2, 3, L"", 80, 554},
        {"unreadable", L"(Proxy=((Protocol=HTTP", 2, 3, L"", 80, 554},
        {"rtsp browser refused", L"(Proxy=((Protocol=RTSP,ProxyType=browser,Port=8)))", 2, 3,
         L"", 80, 554},
        {"http auto refused", L"(Proxy=((Protocol=HTTP,ProxyType=auto,Port=8)))", 2, 3, L"", 80,
         554},
        {"any case", L"(Proxy=((Protocol=http,ProxyType=MANUAL,Server=gate,Port=3128)))", 1, 3,
         L"gate", 3128, 554},
        {"port unset is 0", L"(Proxy=((Protocol=HTTP,ProxyType=manual,Server=gate)))", 1, 3,
         L"gate", 0, 554},
        {"unknown protocol skipped",
         L"(Proxy=((Protocol=FTP,ProxyType=direct),(Protocol=RTSP,ProxyType=direct,Port=1)))",
         2, 0, L"", 80, 1},
        {"unknown type skipped", L"(Proxy=((Protocol=HTTP,ProxyType=socks,Port=1)))", 2, 3, L"",
         80, 554},
        {"later entry wins",
         L"(Proxy=((Protocol=HTTP,ProxyType=direct),(Protocol=HTTP,ProxyType=manual,"
         L"Server=b,Port=2)))",
         1, 3, L"b", 2, 554},
    };
    for (const ParseCase& c : cases) {
        PROXY_SETTINGS pair[2];
        pair[0].server = L"stale";
        EXPECT_TRUE(ParseNetworkingSettings(c.text, pair)) << c.name;
        EXPECT_EQ(pair[0].protocol, 0) << c.name;
        EXPECT_EQ(pair[1].protocol, 1) << c.name;
        EXPECT_EQ(pair[0].proxyType, c.httpType) << c.name;
        EXPECT_EQ(pair[1].proxyType, c.rtspType) << c.name;
        EXPECT_EQ(pair[0].server, c.httpServer) << c.name;
        EXPECT_EQ(pair[0].port, c.httpPort) << c.name;
        EXPECT_EQ(pair[1].port, c.rtspPort) << c.name;
    }
}

TEST(NetworkingSettings, FormatWritesBothEntriesAndReadsBackTheSame)
{
    PROXY_SETTINGS pair[2];
    NetworkingSettings::SetDefaults(pair);
    pair[0].proxyType = NetworkingSettings::kManual;
    pair[0].server = L"gate.example";
    pair[0].port = 3128;
    pair[0].bypass = L"<local>;10.*";
    pair[0].userName = L"ann";
    pair[0].password = L"s3cret, with (brackets)";
    const std::wstring text = FormatNetworkingSettings(pair);
    EXPECT_EQ(text.find(L"Protocol=HTTP"), text.find(L"Protocol="));
    EXPECT_NE(text.find(L"Protocol=RTSP"), std::wstring::npos);
    PROXY_SETTINGS back[2];
    ASSERT_TRUE(ParseNetworkingSettings(text.c_str(), back));
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(back[i].proxyType, pair[i].proxyType) << i;
        EXPECT_EQ(back[i].server, pair[i].server) << i;
        EXPECT_EQ(back[i].port, pair[i].port) << i;
        EXPECT_EQ(back[i].bypass, pair[i].bypass) << i;
        EXPECT_EQ(back[i].userName, pair[i].userName) << i;
        EXPECT_EQ(back[i].password, pair[i].password) << i;
    }
    // The defaults' text is what "not changed" compares against.
    PROXY_SETTINGS defaults[2];
    NetworkingSettings::SetDefaults(defaults);
    PROXY_SETTINGS parsed[2];
    ParseNetworkingSettings(L"", parsed);
    EXPECT_EQ(FormatNetworkingSettings(parsed), FormatNetworkingSettings(defaults));
}

TEST(NetworkingSettings, ProxyTypeRuntimeSettingAndColumnText)
{
    const struct {
        int type;
        WMT_PROXY_SETTINGS runtime;
        const wchar_t* column;
    } cases[] = {
        {NetworkingSettings::kDirect, WMT_PROXY_SETTING_NONE, L"None"},
        {NetworkingSettings::kManual, WMT_PROXY_SETTING_MANUAL, L"Custom - :0"},
        {NetworkingSettings::kBrowser, WMT_PROXY_SETTING_BROWSER, L"Browser"},
        {NetworkingSettings::kAuto, WMT_PROXY_SETTING_AUTO, L"Auto"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NetworkingSettings::RuntimeSetting(c.type), c.runtime) << c.type;
        EXPECT_EQ(NetworkingSettings::ProxyTypeOf(c.runtime), c.type) << c.type;
        PROXY_SETTINGS s;
        s.proxyType = c.type;
        s.server.clear();
        s.port = 0;
        EXPECT_EQ(ProxyDescriptionText(s), c.column) << c.type;
    }
    PROXY_SETTINGS manual;
    manual.proxyType = NetworkingSettings::kManual;
    manual.server = L"gate";
    manual.port = 8080;
    EXPECT_EQ(ProxyDescriptionText(manual), L"Custom - gate:8080");
    manual.proxyType = 9;
    EXPECT_EQ(ProxyDescriptionText(manual), L"");
}

}  // namespace
