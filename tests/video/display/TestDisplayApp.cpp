// The display tests' application object.
#include "tests/video/display/TestDisplayApp.h"

#include "platform/framework/window/FrameworkWindows.h"

namespace {

class DisplayTestApp : public CWinApp {
public:
    DisplayTestApp() : CWinApp(L"DisplayTests") {}
};

DisplayTestApp g_app;

}  // namespace

void InitDisplayTestApp()
{
    static const bool done = [] {
        AfxWinInit(::GetModuleHandleW(nullptr), nullptr, const_cast<LPTSTR>(L""), SW_SHOW);
        return true;
    }();
    (void)done;
}
