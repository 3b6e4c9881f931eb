// The resource manager over the test program's resources and two resource-only libraries:
// string blocks (including an empty and a damaged string), HTML text, the language table,
// language detection with the right-to-left message-box flag, and menu strings.
#include <gtest/gtest.h>

#include "toolkit/common/CUTKResourceManager.h"
#include "toolkit/common/LangNarrowString.h"
#include "toolkit/common/ResourceModuleScope.h"

namespace {

// Points the toolkit resource module at a library for one test.
class ToolkitModule {
public:
    explicit ToolkitModule(const wchar_t* library) : m_module(::LoadLibraryW(library))
    {
        CUTKResourceManager::SetToolkitResourceModule(m_module);
    }
    ~ToolkitModule()
    {
        CUTKResourceManager::SetToolkitResourceModule(nullptr);
        if (m_module) {
            ::FreeLibrary(m_module);
        }
    }
    HMODULE Get() const { return m_module; }

private:
    HMODULE m_module;
};

HMODULE Program()
{
    return ::GetModuleHandleW(nullptr);
}

TEST(CUTKResourceManager, LoadStringFromBlockReadsCountedStrings)
{
    CString text = L"stale";
    EXPECT_EQ(9, CUTKResourceManager::LoadStringFromBlock(Program(), 17, text));
    EXPECT_EQ(CString(L"Seventeen"), text);
    // An empty string and a string the block leaves out both give 0 and an empty text.
    struct Case {
        UINT id;
        int length;
        const wchar_t* text;
    };
    const Case cases[] = {{18, 0, L""}, {19, 0, L""}, {16, 0, L""}, {33, 12, L"Thirty-three"},
                          {1000, 0, L""}};
    for (const Case& c : cases) {
        text = L"stale";
        EXPECT_EQ(c.length, CUTKResourceManager::LoadStringFromBlock(Program(), c.id, text))
            << c.id;
        EXPECT_EQ(CString(c.text), text) << c.id;
    }
}

TEST(CUTKResourceManager, AStringRunningPastItsBlockIsRefused)
{
    ToolkitModule module(L"toolkit_res_unknownlang.dll");
    ASSERT_NE(nullptr, module.Get());
    CString text;
    // Block 5 holds "ab" and then a count of 80 with two characters behind it.
    EXPECT_EQ(2, CUTKResourceManager::LoadStringFromBlock(module.Get(), 64, text));
    EXPECT_EQ(CString(L"ab"), text);
    EXPECT_EQ(0, CUTKResourceManager::LoadStringFromBlock(module.Get(), 65, text));
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(0, CUTKResourceManager::LoadStringFromBlock(module.Get(), 66, text));
}

TEST(CUTKResourceManager, LoadStringSearchesTheToolkitModuleFirst)
{
    CUTKResourceManager manager;
    BOOL notFound = TRUE;
    EXPECT_EQ(CString(L"Seventeen"), manager.LoadString(17, &notFound));
    EXPECT_FALSE(notFound);
    EXPECT_TRUE(manager.LoadString(999, &notFound).IsEmpty());
    EXPECT_TRUE(notFound);
    {
        ToolkitModule module(L"toolkit_res_hebrew.dll");
        CString text;
        EXPECT_TRUE(manager.LoadString(&text, 17));
        EXPECT_EQ(CString(L"\x05E9\x05DC\x05D5\x05DD"), text);
        // A block the toolkit module lacks comes from the program.
        EXPECT_TRUE(manager.LoadString(&text, 33));
        EXPECT_EQ(CString(L"Thirty-three"), text);
    }
}

TEST(CUTKResourceManager, LoadHTMLWidensTheBytes)
{
    HRSRC info = ::FindResourceW(Program(), MAKEINTRESOURCEW(200), MAKEINTRESOURCEW(23));
    ASSERT_NE(nullptr, info);
    EXPECT_EQ(3u, ::SizeofResource(Program(), info));
    CUTKResourceManager manager;
    CString text;
    EXPECT_TRUE(manager.LoadHTML(&text, 200));
    EXPECT_EQ(CString(L"abc"), text);
    EXPECT_FALSE(manager.LoadHTML(&text, 201));
    EXPECT_TRUE(text.IsEmpty());
}

TEST(CUTKResourceManager, MissingResourcesGiveFailureInEveryLoader)
{
    CUTKResourceManager manager;
    CMenu menu;
    EXPECT_FALSE(manager.LoadMenu(&menu, 4242));
    CBitmap bitmap;
    EXPECT_FALSE(manager.LoadBitmap(&bitmap, 4242));
    EXPECT_EQ(nullptr, manager.LoadCursor(9970));
    EXPECT_EQ(nullptr, manager.LoadDialogTemplate(4242));
    EXPECT_EQ(nullptr, manager.LoadIcon(4242, 16, 16));
    EXPECT_EQ(nullptr, manager.CreateIconFromResource(Program(), MAKEINTRESOURCEW(4242), 16, 16));
    EXPECT_FALSE(manager.Close());
}

TEST(CUTKResourceManager, LanguageTableAndUnknownLanguages)
{
    EXPECT_EQ(35, CUTKResourceManager::GetLanguageCount());
    const UTK_LANGUAGE_INFO* english = CUTKResourceManager::FindLanguage(0x0409);
    ASSERT_NE(nullptr, english);
    EXPECT_EQ(0u, english->nCodePage);
    EXPECT_STREQ(L"Ukrainian ", CUTKResourceManager::FindLanguage(0x0422)->lpszCaption);
    EXPECT_EQ(177, CUTKResourceManager::FindLanguage(0x040D)->nFontCharSet);

    CUTKResourceManager manager;
    EXPECT_EQ(0x0409, manager.GetResourcesLangID());
    EXPECT_EQ(english, manager.SetResourcesLangID(0x0C07));
    EXPECT_EQ(0x0409, manager.GetResourcesLangID());
    EXPECT_EQ(0x0411, manager.SetResourcesLangID(0x0411)->wLanguage);
}

TEST(CUTKResourceManager, HebrewResourcesAreDetectedAndShownRightToLeft)
{
    CUTKResourceManager manager;
    // The program's own resources are English.
    manager.UpdateResourcesLangID();
    EXPECT_EQ(0x0409, manager.GetResourcesLangID());
    const UINT stop = MB_OK | MB_ICONSTOP;
    EXPECT_EQ(stop, manager.GetMessageBoxType(stop));

    ToolkitModule hebrew(L"toolkit_res_hebrew.dll");
    EXPECT_EQ(0x040D, CUTKResourceManager::FindResourcesLanguage(hebrew.Get()));
    manager.UpdateResourcesLangID();
    EXPECT_EQ(0x040D, manager.GetResourcesLangID());
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_RTLREADING), manager.GetMessageBoxType(MB_OK));
    EXPECT_EQ(1255u, manager.GetLanguageInfo()->nCodePage);
    // The font character set follows the language only when one was chosen explicitly.
    LOGFONTW font{};
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0));
    EXPECT_EQ(font.lfCharSet, manager.GetFontCharset());

    manager.SetResourcesLangID(0x0401);
    EXPECT_EQ(static_cast<UINT>(MB_RTLREADING), manager.GetMessageBoxType(0));
}

TEST(CUTKResourceManager, AnUnknownResourceLanguageSelectsEnglish)
{
    ToolkitModule module(L"toolkit_res_unknownlang.dll");
    EXPECT_EQ(0x0C07, CUTKResourceManager::FindResourcesLanguage(module.Get()));
    CUTKResourceManager manager;
    manager.SetResourcesLangID(0x040D);
    manager.UpdateResourcesLangID();
    EXPECT_EQ(0x0409, manager.GetResourcesLangID());
    EXPECT_EQ(static_cast<UINT>(MB_YESNO), manager.GetMessageBoxType(MB_YESNO));
}

TEST(CUTKResourceManager, MenuStrings)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    ASSERT_TRUE(::AppendMenuW(menu.m_hMenu, MF_STRING, 1, L"&Open"));
    ASSERT_TRUE(::AppendMenuW(menu.m_hMenu, MF_STRING, 2, L""));
    CUTKResourceManager manager;
    CString text = L"stale";
    EXPECT_EQ(5, manager.GetMenuString(&menu, 1, text, MF_BYCOMMAND));
    EXPECT_EQ(CString(L"&Open"), text);
    EXPECT_EQ(0, manager.GetMenuString(&menu, 2, text, MF_BYCOMMAND));
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(0, manager.GetMenuString(nullptr, 1, text, MF_BYCOMMAND));
    CMenu empty;
    EXPECT_EQ(0, manager.GetMenuString(&empty, 1, text, MF_BYCOMMAND));
}

TEST(CUTKResourceManager, ModuleScopeSwapsTheFrameworkResourceModule)
{
    const HINSTANCE before = AfxGetResourceHandle();
    {
        ResourceModuleScope scope;
        EXPECT_EQ(before, AfxGetResourceHandle());
    }
    ToolkitModule module(L"toolkit_res_hebrew.dll");
    {
        ResourceModuleScope scope;
        EXPECT_EQ(module.Get(), AfxGetResourceHandle());
    }
    EXPECT_EQ(before, AfxGetResourceHandle());
}

TEST(LangNarrowString, UsesTheGivenCodePage)
{
    EXPECT_STREQ("abc", LangNarrowString(L"abc"));
    EXPECT_STREQ("", LangNarrowString(nullptr));
    // Hebrew letter shin in windows-1255.
    EXPECT_STREQ("\xF9", LangNarrowString(L"\x05E9", 1255).c_str());
}

TEST(CUTKResourceManager, ProcessManagerIsMadeOnce)
{
    CUTKResourceManager* manager = GetResourceManager();
    ASSERT_NE(nullptr, manager);
    EXPECT_EQ(manager, GetResourceManager());
    EXPECT_EQ(0x0409, manager->GetResourcesLangID());
}

}  // namespace
