// Load and unload of the engine library and the few engine calls that belong to the binding.
#include "player/core/VideoLibrary.h"

#include "WinNT_SP/Include_VS2005/FileSystem.h"
#include "player/core/PlayerResource.h"
#include "WinNT_SP/Include_VS2005/Sett.h"
#include "WinNT_SP/Include_VS2005/SupportStrings.h"
#include "WinNT_SP/Include_VS2005/SystemErrorText.h"
#include "WinNT_SP/Include_VS2005/TraceLog.h"

namespace {

struct Binding {
    HMODULE library = nullptr;
    QVR_CREATE_VIDEO_INTERFACE create = nullptr;
    QVR_RELEASE_VIDEO_INTERFACE release = nullptr;
    IQVRVideo* engine = nullptr;
    QVRInstance* callback = nullptr;
};

Binding g_binding;

template <class F>
F BindExport(HMODULE library, const char* name)
{
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

std::wstring InvalidLibraryText(const std::wstring& path)
{
    FreeLibrary(g_binding.library);
    g_binding.library = nullptr;
    g_binding.create = nullptr;
    g_binding.release = nullptr;
    return FormatResString(IDS_DLL_INVALID, path.c_str());
}

}  // namespace

IQVRVideo* VideoEngine() { return g_binding.engine; }
QVRInstance* VideoCallback() { return g_binding.callback; }
void SetVideoCallback(QVRInstance* callback) { g_binding.callback = callback; }
bool IsVideoLibraryLoaded() { return g_binding.library != nullptr; }

std::wstring LoadVideoLibrary() { return LoadVideoLibraryFrom(GetVideoLibraryPath()); }

std::wstring LoadVideoLibraryFrom(const std::wstring& path)
{
    HMODULE library = LoadLibraryW(path.c_str());
    if (!library) {
        const DWORD code = GetLastError();
        const std::wstring text = GetSystemErrorText(code);
        return FormatResString(IDS_DLL_LOAD, path.c_str(), static_cast<unsigned long>(code),
                               text.c_str());
    }
    g_binding.library = library;
    g_binding.create = BindExport<QVR_CREATE_VIDEO_INTERFACE>(library, "CreateVideoInterface");
    g_binding.release = BindExport<QVR_RELEASE_VIDEO_INTERFACE>(library, "ReleaseVideoInterface");
    if (!g_binding.create || !g_binding.release) {
        return InvalidLibraryText(path);
    }
    g_binding.engine = g_binding.create(g_binding.callback);
    if (!g_binding.engine) {
        return InvalidLibraryText(path);
    }
    return L"";
}

void UnloadVideoLibrary()
{
    if (g_binding.engine && g_binding.release) {
        g_binding.release();
    }
    if (g_binding.library) {
        FreeLibrary(g_binding.library);
    }
    g_binding.library = nullptr;
    g_binding.engine = nullptr;
    g_binding.create = nullptr;
    g_binding.release = nullptr;
}

int SetVideoLibrarySettings()
{
    const wchar_t* text = AppSettings().Item(SETT_PlayVid).GetStringValue();
    return g_binding.engine->SetSettingsText(0, text ? text : L"");
}

BOOL CanVideoFullScreen() { return g_binding.engine->CanFullScreen(); }
BOOL IsVideoFullScreen() { return g_binding.engine->IsFullScreen(); }

std::wstring SetVideoFullScreen(BOOL on)
{
    const wchar_t* text = g_binding.engine->SetFullScreen(on);
    return text ? text : L"";
}
