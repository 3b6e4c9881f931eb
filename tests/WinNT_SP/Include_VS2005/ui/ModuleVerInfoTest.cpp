// Version information read from test libraries whose version resources are built here.
#include "WinNT_SP/Include_VS2005/ui/ModuleVerInfo.h"
#include "tests/WinNT_SP/Include_VS2005/ui/UiTestPaths.h"

#include <gtest/gtest.h>

using orvane::test::BesideExe;

TEST(ModuleVerInfo, EnglishWinsOverEarlierGermanAndGermanFillsGaps)
{
    CModuleVerInfo info;
    info.Load(BesideExe(L"verinfo_mixed.dll").c_str());
    ASSERT_EQ(info.m_error.kind, 0u) << info.m_error.function;
    EXPECT_EQ(info.m_fixed.dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(info.m_fixed.dwFileVersionMS, 0x00010002u);
    EXPECT_EQ(info.m_fixed.dwFileVersionLS, 0x00030004u);
    EXPECT_EQ(info.m_fixed.dwProductVersionMS, 0x00050006u);
    EXPECT_EQ(info.m_translationCount, 2u);
    EXPECT_STREQ(info.m_texts[CModuleVerInfo::kFileDescription], L"Test library");
    EXPECT_STREQ(info.m_texts[CModuleVerInfo::kFileVersion], L"1.2.3.4");
    EXPECT_STREQ(info.m_texts[CModuleVerInfo::kCompanyName], L"Nur Deutsch GmbH");
    // Control characters are replaced, so a text is always one line.
    EXPECT_STREQ(info.m_texts[CModuleVerInfo::kComments], L"first line.second line");
    // Empty in English and absent in German: stays empty.
    EXPECT_STREQ(info.m_texts[CModuleVerInfo::kProductName], L"");
    EXPECT_STREQ(info.m_texts[CModuleVerInfo::kSpecialBuild], L"");
}

TEST(ModuleVerInfo, TableMissingFromTranslationListIsFound)
{
    CModuleVerInfo info;
    info.Load(BesideExe(L"verinfo_de.dll").c_str());
    ASSERT_EQ(info.m_error.kind, 0u);
    EXPECT_EQ(info.m_translationCount, 1u);
    EXPECT_STREQ(info.m_texts[CModuleVerInfo::kFileDescription], L"Nur deutsche Tabelle");
    EXPECT_STREQ(info.m_texts[CModuleVerInfo::kOriginalFilename], L"verinfo_de.dll");
    bool german = false;
    for (int i = 0; i < info.m_languageCount; ++i) {
        german |= info.m_languages[i].language == 0x407 && info.m_languages[i].codePage == 1200;
    }
    EXPECT_TRUE(german);
}

TEST(ModuleVerInfo, ModuleWithoutResourceLeavesTextsEmptyAndRecordsError)
{
    CModuleVerInfo info;
    info.Load(BesideExe(L"verinfo_mixed.dll").c_str());
    info.Load(BesideExe(L"ui_tests.exe").c_str());
    EXPECT_EQ(info.m_error.kind, 1u);
    EXPECT_STREQ(info.m_error.function, L"GetFileVersionInfoSize");
    EXPECT_NE(info.m_error.code, 0u);
    EXPECT_EQ(info.m_fixed.dwSignature, 0u);
    for (const wchar_t* text : info.m_texts) {
        EXPECT_STREQ(text, L"");
    }
}

TEST(ModuleVerInfo, MissingFileRecordsNotFound)
{
    CModuleVerInfo info;
    info.Load(BesideExe(L"no-such-module.dll").c_str());
    EXPECT_EQ(info.m_error.kind, 1u);
    EXPECT_EQ(info.m_error.code, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST(ModuleVerInfo, SystemLibraryHasAFileVersion)
{
    CModuleVerInfo info;
    info.Load(L"kernel32.dll");
    EXPECT_EQ(info.m_error.kind, 0u);
    EXPECT_EQ(info.m_fixed.dwSignature, 0xFEEF04BDu);
}
