// A DLL linked with the framework keeps its own application object and module handles: the
// program's and the DLL's state do not mix, the DLL's dialogs come from its own resources, and
// its PreTranslateMessage serves its dialogs.
#include "tests/platform/framework/window/TestApp.h"

#include <gtest/gtest.h>

namespace {

template <class T>
T Export(HMODULE module, const char* name)
{
    return reinterpret_cast<T>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

TEST(DllModuleTest, EngineLibraryHasItsOwnApplication)
{
    TheTestApp();
    HMODULE engine = ::LoadLibraryW(L"framework_engine_dll.dll");
    ASSERT_NE(engine, nullptr);
    auto getApp = Export<CWinApp* (*)()>(engine, "EngineGetApp");
    auto initCount = Export<int (*)()>(engine, "EngineInitCount");
    auto resourceHandle = Export<HINSTANCE (*)()>(engine, "EngineResourceHandle");
    auto showDialog = Export<HWND (*)()>(engine, "EngineShowDialog");
    auto preTranslate = Export<BOOL (*)(MSG*)>(engine, "EnginePreTranslate");
    auto closeDialog = Export<void (*)()>(engine, "EngineCloseDialog");
    ASSERT_TRUE(getApp && initCount && resourceHandle && showDialog && preTranslate && closeDialog);

    CWinApp* engineApp = getApp();
    ASSERT_NE(engineApp, nullptr);
    EXPECT_NE(engineApp, AfxGetApp()) << "the DLL's application is not the program's";
    EXPECT_EQ(AfxGetApp(), &TheTestApp());
    EXPECT_EQ(initCount(), 1) << "InitInstance ran when the DLL was loaded";
    EXPECT_EQ(resourceHandle(), engine);
    EXPECT_EQ(AfxGetResourceHandle(), ::GetModuleHandleW(nullptr));
    EXPECT_STREQ(engineApp->m_pszAppName, L"Engine library");

    HWND dialog = showDialog();
    ASSERT_NE(dialog, nullptr) << "the template is found in the DLL's resources";
    EXPECT_EQ(CWnd::FromHandlePermanent(dialog), nullptr)
        << "the program's handle map does not hold the DLL's window";
    HWND first = ::GetDlgItem(dialog, 3001);
    HWND second = ::GetDlgItem(dialog, 3002);
    ::SetFocus(first);
    MSG tab{first, WM_KEYDOWN, VK_TAB, 0};
    EXPECT_TRUE(preTranslate(&tab)) << "the DLL's dialog handled its own navigation key";
    EXPECT_EQ(::GetFocus(), second);
    MSG other{first, WM_MOUSEMOVE, 0, 0};
    EXPECT_FALSE(preTranslate(&other));
    closeDialog();
    EXPECT_FALSE(::IsWindow(dialog));
    ::FreeLibrary(engine);
}

}  // namespace
