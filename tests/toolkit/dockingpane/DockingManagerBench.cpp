// Docking benchmark: (1) a saved layout of 50 panes in 20 tabbed containers taken from XML text
// to a laid-out, painted frame; (2) a frame with 20 docked panes resized through 100 sizes,
// milliseconds per relayout and paint. Baseline in the same run: a plain Win32 frame placing as
// many child windows in one DeferWindowPos batch and painting them. Run it twice (with
// WINEDLLOVERRIDES=uxtheme=d for the classic figures).
#include <windows.h>

#include "tests/toolkit/dockingpane/DockingManagerTestHost.h"
#include "tests/toolkit/dockingpane/DockingXmlDocument.h"
#include "toolkit/dockingpane/CUTKDockingPaneLayout.h"
#include "toolkit/dockingpane/CUTKDockingPaneManager.h"
#include "toolkit/dockingpane/CUTKDockingPaneTabbedContainer.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kContainers = 20;
constexpr int kPanes = 50;
constexpr int kLoadRounds = 5;
constexpr int kSizes = 100;

double Now()
{
    LARGE_INTEGER counter, frequency;
    ::QueryPerformanceCounter(&counter);
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

using orvane::test::RootOf;

void Paint(HWND frame)
{
    ::RedrawWindow(frame, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// Docks containers panes around the client, alternating sides, and attaches the rest of the
// panes to them in turn.
void BuildLayout(dockingtest::HostFrame& host, int containers, int panes)
{
    CUTKDockingPaneManager* manager = host.m_pManager;
    std::vector<CUTKDockingPane*> docked;
    for (int i = 0; i < containers; ++i) {
        CUTKDockingPaneBase* neighbour = docked.empty() ? nullptr : docked[docked.size() / 2];
        docked.push_back(manager->CreatePane(5000 + i, CRect(0, 0, 120, 90), i % 4, neighbour));
    }
    for (int i = containers; i < panes; ++i) {
        CUTKDockingPane* pane = manager->CreatePane(5000 + i, CRect(0, 0, 120, 90), 1);
        manager->AttachPane(pane, docked[static_cast<size_t>(i % containers)]);
    }
    manager->GetLiveLayout()->Normalize();
    host.RecalcLayout();
    host.Pump();
}

std::wstring SaveXml(CUTKDockingPaneManager* manager)
{
    CComPtr<IXMLDOMDocument> doc = orvane::test::ParseXml(L"<Root/>");
    CUTKDockingPaneLayout copy(manager);
    manager->GetLayout(&copy);
    copy.SaveToXmlNode(RootOf(doc), L"Layout");
    BSTR xml = nullptr;
    RootOf(doc)->get_xml(&xml);
    std::wstring text(xml ? xml : L"");
    ::SysFreeString(xml);
    return text;
}

int CountTabbed(CUTKDockingPaneManager* manager)
{
    int count = 0;
    CUTKDockingPaneBaseList& objects = manager->GetPaneObjects();
    for (POSITION pos = objects.GetHeadPosition(); pos;)
        count += objects.GetNext(pos)->GetType() == dockingPaneTypeTabbedContainer;
    return count;
}

LRESULT CALLBACK PlainFrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

// The baseline: a frame with a view and count children placed in one batch per size, as a
// grid around the view.
double PlainFrameMsPerSize(int count)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = PlainFrameProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"OrvaneDockingBenchPlain";
    ::RegisterClassW(&wc);
    HWND frame = ::CreateWindowExW(0, wc.lpszClassName, L"plain", WS_OVERLAPPEDWINDOW |
                                   WS_CLIPCHILDREN | WS_VISIBLE, 20, 20, 800, 600, nullptr,
                                   nullptr, wc.hInstance, nullptr);
    std::vector<HWND> children;
    HWND view = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"STATIC", L"view", WS_CHILD | WS_VISIBLE, 0,
                                  0, 10, 10, frame, nullptr, nullptr, nullptr);
    for (int i = 0; i < count; ++i)
        children.push_back(::CreateWindowExW(0, L"STATIC", L"pane", WS_CHILD | WS_VISIBLE |
                                             WS_BORDER, 0, 0, 10, 10, frame, nullptr, nullptr,
                                             nullptr));
    const double start = Now();
    for (int s = 0; s < kSizes; ++s) {
        const int width = 600 + (s * 7) % 400;
        const int height = 450 + (s * 11) % 300;
        ::SetWindowPos(frame, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
        RECT client;
        ::GetClientRect(frame, &client);
        HDWP batch = ::BeginDeferWindowPos(count + 1);
        const int side = count / 2;
        const int strip = 160;
        for (int i = 0; i < count; ++i) {
            const int column = i < side ? 0 : 1;
            const int row = i < side ? i : i - side;
            const int rows = column == 0 ? side : count - side;
            const int x = column == 0 ? 0 : client.right - strip;
            const int y = client.bottom * row / rows;
            const int h = client.bottom * (row + 1) / rows - y;
            batch = ::DeferWindowPos(batch, children[static_cast<size_t>(i)], nullptr, x, y,
                                     strip, h, SWP_NOZORDER | SWP_NOACTIVATE);
        }
        batch = ::DeferWindowPos(batch, view, nullptr, strip, 0, client.right - 2 * strip,
                                 client.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
        ::EndDeferWindowPos(batch);
        Paint(frame);
    }
    const double elapsed = Now() - start;
    ::DestroyWindow(frame);
    return elapsed / kSizes;
}

}  // namespace

int main()
{
    ::OleInitialize(nullptr);
    const bool classic = std::getenv("WINEDLLOVERRIDES") != nullptr &&
                         std::string(std::getenv("WINEDLLOVERRIDES")).find("uxtheme=d") !=
                             std::string::npos;
    std::printf("docking benchmark (%s)\n", classic ? "classic" : "themed");

    // (1) XML text of 50 panes in 20 containers to a laid-out, painted frame.
    std::wstring xml;
    {
        dockingtest::HostFrame source;
        if (!source.CreateHost(CRect(20, 20, 1020, 760), TRUE))
            return 1;
        BuildLayout(source, kContainers, kPanes);
        xml = SaveXml(source.m_pManager);
        std::printf("  saved layout: %d panes in %d tabbed containers, %u characters of XML\n",
                    static_cast<int>(source.m_pManager->GetPaneList().GetCount()),
                    CountTabbed(source.m_pManager), static_cast<unsigned>(xml.size()));
    }
    {
        dockingtest::HostFrame host;
        if (!host.CreateHost(CRect(20, 20, 1020, 760), TRUE))
            return 1;
        const double start = Now();
        for (int round = 0; round < kLoadRounds; ++round) {
            CComPtr<IXMLDOMDocument> doc = orvane::test::ParseXml(xml);
            CUTKDockingPaneLayout layout(host.m_pManager);
            if (!layout.LoadFromXmlNode(RootOf(doc), L"Layout")) {
                std::printf("  load refused: %s\n", layout.GetLoadError().c_str());
                return 1;
            }
            host.m_pManager->SetLayout(&layout);
            host.RecalcLayout();
            host.Pump();
            Paint(host.m_hWnd);
        }
        const double perLoad = (Now() - start) / kLoadRounds;
        std::printf("  XML text to laid-out, painted frame: %.2f ms per load (%d panes, %d "
                    "containers)\n",
                    perLoad, static_cast<int>(host.m_pManager->GetPaneList().GetCount()),
                    CountTabbed(host.m_pManager));
    }

    // (2) 20 docked panes, 100 frame sizes.
    double perSize = 0;
    {
        dockingtest::HostFrame host;
        if (!host.CreateHost(CRect(20, 20, 820, 620), TRUE))
            return 1;
        BuildLayout(host, kContainers, kContainers);
        const double start = Now();
        for (int s = 0; s < kSizes; ++s) {
            const int width = 600 + (s * 7) % 400;
            const int height = 450 + (s * 11) % 300;
            host.SetWindowPos(nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
            host.RecalcLayout();
            Paint(host.m_hWnd);
        }
        perSize = (Now() - start) / kSizes;
    }
    const double baseline = PlainFrameMsPerSize(kContainers);
    std::printf("  20 docked panes, relayout and paint: %.2f ms per size; plain frame with 20 "
                "children in one DeferWindowPos batch: %.2f ms per size (ratio %.1f)\n",
                perSize, baseline, baseline > 0 ? perSize / baseline : 0.0);
    ::OleUninitialize();
    return 0;
}
