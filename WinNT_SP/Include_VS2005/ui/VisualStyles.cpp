// The UxTheme binding table (thirteen procedures, all or nothing).
#include "WinNT_SP/Include_VS2005/ui/VisualStyles.h"

#include "WinNT_SP/Include_VS2005/DynLoadFuncs.h"

#include <atomic>

namespace {

DynLoadFuncs g_isAppThemed("IsAppThemed", L"UxTheme.dll", DLF_FIRST);
DynLoadFuncs g_isThemeActive("IsThemeActive", L"UxTheme.dll", DLF_MIDDLE);
DynLoadFuncs g_drawThemeBackground("DrawThemeBackground", L"UxTheme.dll", DLF_MIDDLE);
DynLoadFuncs g_drawThemeParentBackground("DrawThemeParentBackground", L"UxTheme.dll", DLF_MIDDLE);
DynLoadFuncs g_getThemeBackgroundContentRect("GetThemeBackgroundContentRect", L"UxTheme.dll",
                                             DLF_MIDDLE);
DynLoadFuncs g_getThemeBackgroundExtent("GetThemeBackgroundExtent", L"UxTheme.dll", DLF_MIDDLE);
DynLoadFuncs g_openThemeData("OpenThemeData", L"UxTheme.dll", DLF_MIDDLE);
DynLoadFuncs g_setWindowTheme("SetWindowTheme", L"UxTheme.dll", DLF_MIDDLE);
DynLoadFuncs g_getThemeAppProperties("GetThemeAppProperties", L"UxTheme.dll", DLF_MIDDLE);
DynLoadFuncs g_setThemeAppProperties("SetThemeAppProperties", L"UxTheme.dll", DLF_MIDDLE);
DynLoadFuncs g_getThemeColor("GetThemeColor", L"UxTheme.dll", DLF_MIDDLE);
DynLoadFuncs g_enableThemeDialogTexture("EnableThemeDialogTexture", L"UxTheme.dll", DLF_MIDDLE);
DynLoadFuncs g_closeThemeData("CloseThemeData", L"UxTheme.dll", DLF_LAST);

std::atomic<bool> g_bindFailed{false};

}  // namespace

BOOL LoadUxTheme()
{
    if (g_bindFailed) {
        return FALSE;
    }
    if (g_isAppThemed.Address()) {
        return TRUE;
    }
    ERR_INFO discarded;
    if (g_isAppThemed.Load(&discarded)) {
        return TRUE;
    }
    g_bindFailed = true;
    return FALSE;
}

BOOL IsThemingActive()
{
    return LoadUxTheme() && VisualStyles::IsAppThemed()() && VisualStyles::IsThemeActive()();
}

VisualStyles::IsAppThemedFn VisualStyles::IsAppThemed()
{
    return g_isAppThemed.As<IsAppThemedFn>();
}
VisualStyles::IsThemeActiveFn VisualStyles::IsThemeActive()
{
    return g_isThemeActive.As<IsThemeActiveFn>();
}
VisualStyles::DrawThemeBackgroundFn VisualStyles::DrawThemeBackground()
{
    return g_drawThemeBackground.As<DrawThemeBackgroundFn>();
}
VisualStyles::DrawThemeParentBackgroundFn VisualStyles::DrawThemeParentBackground()
{
    return g_drawThemeParentBackground.As<DrawThemeParentBackgroundFn>();
}
VisualStyles::GetThemeBackgroundContentRectFn VisualStyles::GetThemeBackgroundContentRect()
{
    return g_getThemeBackgroundContentRect.As<GetThemeBackgroundContentRectFn>();
}
VisualStyles::GetThemeBackgroundExtentFn VisualStyles::GetThemeBackgroundExtent()
{
    return g_getThemeBackgroundExtent.As<GetThemeBackgroundExtentFn>();
}
VisualStyles::OpenThemeDataFn VisualStyles::OpenThemeData()
{
    return g_openThemeData.As<OpenThemeDataFn>();
}
VisualStyles::CloseThemeDataFn VisualStyles::CloseThemeData()
{
    return g_closeThemeData.As<CloseThemeDataFn>();
}
