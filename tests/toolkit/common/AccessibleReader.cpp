// Helper process of the accessibility tests: reads the accessible object of the window whose
// handle (decimal) it is given, from outside that window's process, and prints its name, role
// and children, one line each.
#include <windows.h>
#include <oleacc.h>

#include <cstdio>
#include <cwchar>

namespace {

// Not oleacc's IID_IAccessible: the import library resolves that name to a code thunk.

void PrintItem(IAccessible* accessible, long child, const char* label)
{
    VARIANT id;
    ::VariantInit(&id);
    id.vt = VT_I4;
    id.lVal = child;
    BSTR name = nullptr;
    const HRESULT nameResult = accessible->get_accName(id, &name);
    VARIANT role;
    ::VariantInit(&role);
    const HRESULT roleResult = accessible->get_accRole(id, &role);
    char text[256] = {};
    if (SUCCEEDED(nameResult) && name) {
        ::WideCharToMultiByte(CP_UTF8, 0, name, -1, text, sizeof text - 1, nullptr, nullptr);
    }
    std::printf("%s name=\"%s\" role=%ld\n", label, text,
                SUCCEEDED(roleResult) && role.vt == VT_I4 ? role.lVal : -1L);
    ::SysFreeString(name);
    ::VariantClear(&role);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        std::printf("usage: toolkit_accessible_reader <window handle>\n");
        return 2;
    }
    const auto handle = static_cast<ULONG_PTR>(std::wcstoull(argv[1], nullptr, 10));
    HWND window = reinterpret_cast<HWND>(handle);
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IAccessible* accessible = nullptr;
    const HRESULT hr = ::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                                    __uuidof(IAccessible),
                                                    reinterpret_cast<void**>(&accessible));
    if (FAILED(hr) || !accessible) {
        std::printf("AccessibleObjectFromWindow failed 0x%08lx\n", static_cast<unsigned long>(hr));
        ::CoUninitialize();
        return 1;
    }
    PrintItem(accessible, CHILDID_SELF, "window");
    long count = -1;
    accessible->get_accChildCount(&count);
    std::printf("children=%ld\n", count);
    for (long child = 1; child <= count && child <= 64; ++child) {
        char label[32];
        std::snprintf(label, sizeof label, "child %ld", child);
        PrintItem(accessible, child, label);
    }
    accessible->Release();
    ::CoUninitialize();
    std::fflush(stdout);
    return 0;
}
