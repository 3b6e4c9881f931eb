// The diagnostic dumps: registry value texts on a key written by the test, the start-up header's
// line shapes, devices and endpoints as Wine reports them, and the security dump.
#include "WinNT_SP/Include_VS2005/ui/SecurityDump.h"
#include "WinNT_SP/Include_VS2005/ui/SystemDump.h"
#include "tests/WinNT_SP/Include_VS2005/ui/CollectSink.h"

#include <shellapi.h>

#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

using orvane::test::CollectSink;

namespace {

constexpr wchar_t kTestKey[] = L"Software\\OrvaneTests\\Dump";



std::vector<BYTE> Wide(const std::wstring& text, bool terminator = true)
{
    const size_t bytes = (text.size() + (terminator ? 1 : 0)) * sizeof(wchar_t);
    std::vector<BYTE> out(bytes);
    std::memcpy(out.data(), text.c_str(), bytes);
    return out;
}

class RegistryDump : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey);
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &m_key, nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override
    {
        RegCloseKey(m_key);
        RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey);
    }
    void Set(const wchar_t* name, DWORD type, const std::vector<BYTE>& data)
    {
        ASSERT_EQ(RegSetValueExW(m_key, name, 0, type, data.data(),
                                 static_cast<DWORD>(data.size())),
                  ERROR_SUCCESS);
    }
    HKEY m_key = nullptr;
};

}  // namespace

TEST(RegistryValueText, Formats)
{
    const std::wstring hundred(100, L'x');
    const DWORD seven = 7;
    std::vector<BYTE> dword(4);
    std::memcpy(dword.data(), &seven, 4);
    std::vector<BYTE> dword8(8, 0);
    std::memcpy(dword8.data(), &seven, 4);
    std::vector<BYTE> multi = Wide(std::wstring(L"ab\0cd\0", 6));
    std::vector<BYTE> binary = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    struct Case {
        const char* name;
        DWORD type;
        std::vector<BYTE> data;
        int max;
        std::wstring expected;
    } cases[] = {
        {"string", REG_SZ, Wide(L"hello"), 32, L"[hello]"},
        {"string cut at 32", REG_SZ, Wide(hundred), 32, L"[" + std::wstring(32, L'x') + L"]..202"},
        {"empty string", REG_SZ, Wide(L""), 32, L"[]"},
        {"no data", REG_SZ, {}, 32, L"(S=0,E=2)[]"},
        {"string without NUL", REG_SZ, Wide(L"abc", false), 32, L"(S=6,E=8)[abc]"},
        {"expandable", REG_EXPAND_SZ, Wide(L"%TEMP%"), 32, L"REG_EXPAND_SZ [%TEMP%]"},
        {"multi", REG_MULTI_SZ, multi, 32, L"REG_MULTI_SZ [ab] 1[cd]"},
        {"multi cut", REG_MULTI_SZ, multi, 3, L"REG_MULTI_SZ [ab] 1[c]..14"},
        {"dword", REG_DWORD, dword, 32, L"7"},
        {"dword of 8 bytes", REG_DWORD, dword8, 32, L"(S=8,E=4)7"},
        {"binary", REG_BINARY, binary, 32, L"REG_BINARY 01020304 05060708 090A"},
        {"binary cut", REG_BINARY, binary, 5, L"REG_BINARY 01020304 05..10"},
        {"qword", REG_QWORD, dword8, 32, L"(11) 07000000 00000000"},
        {"big endian", REG_DWORD_BIG_ENDIAN, dword, 32, L"REG_DWORD_BIG_ENDIAN 07000000"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatRegistryValue(c.type, c.data.data(), static_cast<DWORD>(c.data.size()),
                                      c.max),
                  c.expected)
            << c.name;
    }
}

TEST_F(RegistryDump, AllValuesOfAKey)
{
    Set(L"Name", REG_SZ, Wide(L"Orvane"));
    Set(L"Count", REG_DWORD, {5, 0, 0, 0});
    CollectSink sink;
    LogRegistryKeyV(0, &sink, HKEY_CURRENT_USER, kTestKey, nullptr, 32);
    const auto lines = sink.Lines();
    ASSERT_EQ(lines.size(), 4u) << sink.Text();
    EXPECT_EQ(lines[0].text, L"HKCU\\Software\\OrvaneTests\\Dump");
    EXPECT_EQ(lines[0].flags, 0u);
    EXPECT_EQ(lines[1].text, L"S=0 V=2 N=5 D=14");
    EXPECT_EQ(lines[1].flags, 1u);
    // Enumeration order is the registry's; both values appear with their index.
    const std::wstring all = sink.Text();
    EXPECT_NE(all.find(L": Name=[Orvane]\n"), std::wstring::npos) << all;
    EXPECT_NE(all.find(L": Count=5\n"), std::wstring::npos) << all;
}

TEST_F(RegistryDump, ListedValuesOnlyCaseInsensitive)
{
    Set(L"Identifier", REG_SZ, Wide(L"x86 Family"));
    Set(L"Other", REG_SZ, Wide(L"hidden"));
    Set(L"~MHz", REG_DWORD, {0xE8, 0x03, 0, 0});
    CollectSink sink;
    LogRegistryKey(0, &sink, HKEY_CURRENT_USER, kTestKey, 70, L"identifier", L"~MHZ",
                   static_cast<const wchar_t*>(nullptr));
    const std::wstring all = sink.Text();
    EXPECT_NE(all.find(L"Identifier=[x86 Family]"), std::wstring::npos) << all;
    EXPECT_NE(all.find(L"~MHz=1000"), std::wstring::npos) << all;
    EXPECT_EQ(all.find(L"Other"), std::wstring::npos) << all;
}

TEST_F(RegistryDump, OddSizesAndCuts)
{
    Set(L"Long", REG_SZ, Wide(std::wstring(100, L'y')));
    std::vector<BYTE> eight(8, 0);
    eight[0] = 9;
    Set(L"Wide", REG_DWORD, eight);
    CollectSink sink;
    LogRegistryKeyV(0, &sink, HKEY_CURRENT_USER, kTestKey, nullptr, 32);
    const std::wstring all = sink.Text();
    EXPECT_NE(all.find(L"Long=[" + std::wstring(32, L'y') + L"]..202\n"), std::wstring::npos)
        << all;
    EXPECT_NE(all.find(L"Wide=(S=8,E=4)9\n"), std::wstring::npos) << all;
}

TEST(RegistryDumpErrors, MissingKey)
{
    CollectSink sink;
    LogRegistryKeyV(0, &sink, HKEY_LOCAL_MACHINE, L"SOFTWARE\\No\\Such\\Key", nullptr, 32);
    const auto lines = sink.Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text, L"HKLM\\SOFTWARE\\No\\Such\\Key");
    EXPECT_EQ(lines[1].text, L"RegOpenKeyEx err.2");
    EXPECT_EQ(lines[1].flags, 1u);
}

TEST(StartupHeader, LineShapes)
{
    CollectSink sink;
    LogStartupHeader(L"1.0 (build 7)", &sink);
    const auto lines = sink.Lines();
    ASSERT_GE(lines.size(), 6u);
    for (const auto& line : lines) {
        EXPECT_EQ(line.flags, 1u);
    }
    EXPECT_NE(lines[0].text.find(L"(UTC"), std::wstring::npos);
    EXPECT_NE(lines[0].text.find(L") = Boot+"), std::wstring::npos);
    EXPECT_EQ(lines[1].text.rfind(L"WinVer=2-", 0), 0u) << lines[1].text;
    EXPECT_NE(lines[1].text.find(L"bit"), std::wstring::npos);
    if (sizeof(void*) == 8) {
        // Only a 64-bit system runs a 64-bit program.
        EXPECT_NE(lines[1].text.find(L", 64bit"), std::wstring::npos) << lines[1].text;
    }
    EXPECT_EQ(lines[2].text.rfind(L"Main=", 0), 0u);
    EXPECT_NE(lines[2].text.find(L"ui_tests.exe"), std::wstring::npos);
    // The program's own word size.
    const std::wstring built = sizeof(void*) == 8 ? L"(64) " : L"(32) ";
    EXPECT_EQ(lines[3].text.rfind(L"V=1.0 (build 7), " + built, 0), 0u) << lines[3].text;
    EXPECT_NE(lines[3].text.find(L" UTC"), std::wstring::npos) << lines[3].text;
    int argc = 0;
    LocalFree(CommandLineToArgvW(GetCommandLineW(), &argc));
    wchar_t parms[32];
    std::swprintf(parms, 32, L"%i parms", argc);
    EXPECT_EQ(lines[4].text, parms);
    EXPECT_EQ(lines[5].text.rfind(L"0: [", 0), 0u);
}

TEST(DeviceDump, WaveMixerAndEndpointSections)
{
    CollectSink sink;
    LogWaveDevices(&sink);
    const std::wstring all = sink.Text();
    for (const wchar_t* name : {L" WIn\n", L" WOut\n", L" Mix\n"}) {
        EXPECT_NE(all.find(name), std::wstring::npos) << all;
    }
    // Wine has the multimedia device enumerator; its endpoint count line ends the dump.
    EXPECT_NE(all.find(L" WinVista devs\n"), std::wstring::npos) << all;
}

TEST(DeviceDump, EndpointLinesNameFlowStateAndNames)
{
    CollectSink sink;
    LogAudioEndpoints(&sink);
    const auto lines = sink.Lines();
    ASSERT_FALSE(lines.empty());
    const int count = _wtoi(lines[0].text.c_str());
    EXPECT_EQ(lines[0].text, std::to_wstring(count) + L" WinVista devs");
    int endpoints = 0;
    for (size_t i = 1; i < lines.size(); ++i) {
        const std::wstring& text = lines[i].text;
        if (text.rfind(L"!!! N1=[", 0) == 0) {
            continue;
        }
        ++endpoints;
        EXPECT_NE(text.find(L": T="), std::wstring::npos) << text;
        EXPECT_TRUE(text.find(L"T=Ply S=") != std::wstring::npos ||
                    text.find(L"T=Rcd S=") != std::wstring::npos)
            << text;
        EXPECT_NE(text.find(L" N=["), std::wstring::npos) << text;
    }
    EXPECT_EQ(endpoints, count);
}

TEST(SecurityDump, RightsWords)
{
    EXPECT_EQ(AccessRightsText(0, SE_FILE_OBJECT), L" None");
    EXPECT_EQ(AccessRightsText(FILE_GENERIC_READ, SE_FILE_OBJECT),
              L" StdRdCtl StdSynch FlRd FlRdEa FlRdAttr");
    EXPECT_EQ(AccessRightsText(KEY_READ, SE_REGISTRY_KEY),
              L" StdRdCtl KeyQueVal KeyEnumSub KeyNotif");
    EXPECT_EQ(AccessRightsText(0x1F01FF | GENERIC_ALL, 0), L" StdDel StdRdCtl StdWrDac "
                                                           L"StdWrOwner StdSynch GenAll 000001FF");
    EXPECT_EQ(AccessRightsText(0x200, SE_FILE_OBJECT), L" 00000200");
}

TEST(SecurityDump, TokenInfoNamesTheUser)
{
    SecurityFuncs funcs;
    ASSERT_EQ(funcs.BindError(), nullptr);
    CollectSink sink;
    LogTokenInfo(funcs, &sink);
    const std::wstring all = sink.Text();
    EXPECT_TRUE(sink.HasLineStartingWith(L"Curr user is")) << all;
    EXPECT_TRUE(sink.HasLineStartingWith(L"Curr user: User ")) << all;
    EXPECT_TRUE(sink.HasLineStartingWith(L"is mbr of ")) << all;
}

TEST(SecurityDump, MissingFileWalksUpToAnExistingFolder)
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + L"orvane-secdump";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring path = folder + L"\\a\\b\\missing.txt";
    SecurityFuncs funcs;
    CollectSink sink;
    LogSecurityDescriptor(funcs, &sink, path.c_str(), SE_FILE_OBJECT);
    RemoveDirectoryW(folder.c_str());
    const auto lines = sink.Lines();
    int errors = 0;
    for (const auto& line : lines) {
        if (line.text == L"Err 2 in GetNamedSecurityInfo" ||
            line.text == L"Err 3 in GetNamedSecurityInfo") {
            ++errors;
        }
    }
    EXPECT_EQ(errors, 3) << sink.Text();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0].text, L"SecDescr [" + path + L"]:");
    EXPECT_TRUE(sink.HasLineStartingWith(L"SecDescr [" + folder + L"]:")) << sink.Text();
    EXPECT_TRUE(sink.HasLineStartingWith(L"DACL: ")) << sink.Text();
    EXPECT_EQ(lines.back().text, L"SecDescr end");
}

TEST(SecurityDump, WmvcorePathDumpsTokenFolderAndFile)
{
    CollectSink sink;
    LogWmvcorePath(&sink);
    const std::wstring all = sink.Text();
    wchar_t path[MAX_PATH];
    if (SearchPathW(nullptr, L"wmvcore.dll", nullptr, MAX_PATH, path, nullptr) == 0) {
        EXPECT_EQ(all.rfind(L"Err ", 0), 0u) << all;
        EXPECT_NE(all.find(L" in SearchPath(wmvcore.dll)"), std::wstring::npos) << all;
        return;
    }
    std::wstring folder = path;
    folder.resize(folder.find_last_of(L'\\'));
    EXPECT_TRUE(sink.HasLineStartingWith(L"Curr user")) << all;
    EXPECT_TRUE(sink.HasLineStartingWith(L"SecDescr [" + folder + L"]:")) << all;
    EXPECT_TRUE(sink.HasLineStartingWith(L"SecDescr [" + std::wstring(path) + L"]:")) << all;
}
