// Error records: filling, cutting, file-name part and the text lookup chain.
#include "WinNT_SP/Include_VS2005/ErrInfo.h"

#include <gtest/gtest.h>

#include <string>

TEST(ErrInfo, SetFillsKindCodeAndSystemText)
{
    ERR_INFO info;
    SetErrInfo(&info, ERROR_FILE_NOT_FOUND, L"LoadLibrary", L"x.dll", L"src\\lib\\Bind.cpp", 259,
               1, L"x.dll");
    EXPECT_EQ(info.kind, ERRK_SYSTEM);
    EXPECT_EQ(info.code, 2u);
    EXPECT_STREQ(info.function, L"LoadLibrary");
    EXPECT_STREQ(info.object, L"x.dll");
    EXPECT_STRNE(info.text, L"");
    EXPECT_EQ(std::wstring(info.text).find(L"SysErr"), std::wstring::npos);
    EXPECT_STREQ(info.FileName(), L"Bind.cpp");
    EXPECT_EQ(info.notes[0].value, 1u);
    EXPECT_STREQ(info.notes[0].text, L"x.dll");
    EXPECT_EQ(info.notes[1].value, 0u);
}

TEST(ErrInfo, FileNamePart)
{
    struct Case {
        const wchar_t* source;
        const wchar_t* fileName;
    };
    const Case cases[] = {
        {L"a\\b\\c.cpp", L"c.cpp"}, {L"plain.cpp", L"plain.cpp"}, {L"dir\\", L"dir\\"}};
    for (const Case& c : cases) {
        ERR_INFO info;
        SetErrInfo(&info, 0, L"f", nullptr, c.source, 1, 0, nullptr);
        EXPECT_STREQ(info.FileName(), c.fileName);
        ERR_INFO copy = info;
        EXPECT_STREQ(copy.FileName(), c.fileName);
    }
}

TEST(ErrInfo, LongTextsAreCut)
{
    ERR_INFO info;
    const std::wstring fn(80, L'f');
    const std::wstring obj(300, L'o');
    SetErrInfo(&info, 5, fn.c_str(), obj.c_str(), L"x.cpp", 1, 0, nullptr);
    EXPECT_EQ(std::wstring(info.function), fn.substr(0, 63));
    EXPECT_EQ(std::wstring(info.object).size(), 255u);
}

TEST(ErrInfo, NullRecordIsIgnored)
{
    SetErrInfo(nullptr, 5, L"f", nullptr, L"x.cpp", 1, 0, nullptr);
    ClearErrInfo(nullptr);
    GetErrorText(nullptr);
    SUCCEED();
}

TEST(ErrInfo, UnknownCodeFallsBackToSysErr)
{
    ERR_INFO info;
    SetErrInfo(&info, 0xA0BB1234, L"f", nullptr, L"x.cpp", 1, 0, nullptr);
    EXPECT_STREQ(info.text, L"SysErr.0xA0BB1234");
}

TEST(ErrInfo, WindowsMediaFacilityWithoutItsLibrariesGoesOn)
{
    // No WMERROR.DLL here: the lookup continues and ends in the fallback.
    ERR_INFO info;
    SetErrInfo(&info, 0xC00DFFF7, L"f", nullptr, L"x.cpp", 1, 0, nullptr);
    EXPECT_STRNE(info.text, L"");
}

TEST(ErrInfo, WinInetCodesUseItsTable)
{
    for (DWORD code : {DWORD(0x80072EE7), DWORD(12007)}) {
        ERR_INFO info;
        SetErrInfo(&info, code, L"f", nullptr, L"x.cpp", 1, 0, nullptr);
        EXPECT_STRNE(info.text, L"") << code;
        EXPECT_EQ(std::wstring(info.text).rfind(L"SysErr", 0), std::wstring::npos)
            << std::hex << code << " " << std::wstring(info.text).size();
    }
}

TEST(ErrInfo, OtherKindsKeepTheirText)
{
    ERR_INFO info;
    ClearErrInfo(&info);
    info.kind = ERRK_FORMAT;
    wcscpy(info.text, L"keep");
    GetErrorText(&info);
    EXPECT_STREQ(info.text, L"keep");
}
