// The command line: the table of valid and invalid argument lists, and the message text.
#include "player/core/CmdLineParams.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Case {
    const char* name;
    std::vector<std::wstring> args;
    bool valid;
    int mode;
    bool inPlayer;
    std::wstring path;
};

class CmdLineTable : public testing::TestWithParam<Case> {};

TEST_P(CmdLineTable, ParsesAsExpected)
{
    const Case& c = GetParam();
    std::vector<const wchar_t*> argv = {L"QVP.exe"};
    for (const std::wstring& a : c.args) {
        argv.push_back(a.c_str());
    }
    CmdLineParams params;
    std::wstring error;
    const BOOL ok = params.Parse(static_cast<int>(argv.size()), argv.data(), &error);
    EXPECT_EQ(ok != FALSE, c.valid);
    if (c.valid) {
        EXPECT_TRUE(error.empty());
        EXPECT_EQ(params.mode, c.mode);
        EXPECT_EQ(params.inPlayer != FALSE, c.inPlayer);
        EXPECT_EQ(params.path, c.path);
    } else {
        EXPECT_EQ(error.rfind(L"Invalid command line parameters:\r\n\"", 0), 0u);
        EXPECT_EQ(error.substr(error.size() - 2), L"\".");
    }
}

std::vector<std::wstring> ManyArgs(int n)
{
    std::vector<std::wstring> args;
    for (int i = 0; i < n - 1; ++i) {
        args.push_back(L"/InPlayer");
    }
    args.push_back(L"x.wmv");
    return args;
}

const Case kCases[] = {
    {"Empty", {}, true, 0, false, L""},
    {"PlayThenFile", {L"/play", L"file.wmv"}, true, 2, false, L"file.wmv"},
    {"FileThenP", {L"file.wmv", L"-P"}, true, 2, false, L"file.wmv"},
    {"InPlayerTwice", {L"-InPlayer", L"-inplayer", L"x.wmv"}, true, 1, true, L"x.wmv"},
    {"InPlayerAlone", {L"/InPlayer"}, true, 0, true, L""},
    {"PlayTwice", {L"/P", L"/Play", L"x.wmv"}, false, 0, false, L""},
    {"TwoPaths", {L"a.wmv", L"b.wmv"}, false, 0, false, L""},
    {"PlayAlone", {L"/Play"}, false, 0, false, L""},
    {"UnknownSwitch", {L"/x"}, false, 0, false, L""},
    {"PathWithBlanks", {L"C:\\My Files\\a.wmv"}, true, 1, false, L"C:\\My Files\\a.wmv"},
    {"EmptyArgument", {L"a.wmv", L""}, false, 0, false, L""},
    {"QuoteInArgument", {L"a\"b.wmv"}, false, 0, false, L""},
    {"ThirtyThree", ManyArgs(33), false, 0, false, L""},
    {"ThirtyTwo", ManyArgs(32), true, 1, true, L"x.wmv"},
    {"Length1025", {std::wstring(1025, L'a')}, false, 0, false, L""},
    {"Length1024", {std::wstring(1024, L'a')}, true, 1, false, std::wstring(1024, L'a')},
    {"SlashAlone", {L"/"}, false, 0, false, L""},
};

INSTANTIATE_TEST_SUITE_P(Cases, CmdLineTable, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) {
                             return std::string(info.param.name);
                         });

TEST(CmdLine, MessageQuotesTheRebuiltLine)
{
    const wchar_t* argv[] = {L"QVP.exe", L"/x", L"C:\\My Files\\a.wmv"};
    CmdLineParams params;
    std::wstring error;
    EXPECT_FALSE(params.Parse(3, argv, &error));
    EXPECT_EQ(error, L"Invalid command line parameters:\r\n\"/x \"C:\\My Files\\a.wmv\"\".");
}

TEST(CmdLine, FieldsKeepWhatWasSetBeforeTheInvalidItem)
{
    const wchar_t* argv[] = {L"QVP.exe", L"/InPlayer", L"a.wmv", L"b.wmv"};
    CmdLineParams params;
    EXPECT_FALSE(params.Parse(4, argv, nullptr));
    EXPECT_TRUE(params.inPlayer);
    EXPECT_EQ(params.path, L"a.wmv");
}

}  // namespace
