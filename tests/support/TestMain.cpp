// Entry point of every test executable: no crash dialogs under Wine, COM ready on the main
// thread, and GoogleTest's usual flags.
#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // A crash must end the process with an error code, not wait on a dialog nobody sees.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    testing::InitGoogleTest(&argc, argv);
    const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const int rc = RUN_ALL_TESTS();
    if (SUCCEEDED(hr)) {
        CoUninitialize();
    }
    return rc;
}
