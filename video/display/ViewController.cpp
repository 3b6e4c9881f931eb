// Renderer creation, insertion and removal per stream, positioning, repainting, full screen
// and the screen-saver hold of the view controller.
// The framework first: the system's message-cracker macros would rename its members.
#include "video/display/CFullScrPanel.h"
#include "video/display/CFullScrWindow.h"
#include "video/display/ViewController.h"

#include "video/DXVideoFunc.h"
#include "video/display/DisplayText.h"
#include "video/EngineGlobals.h"
#include "video/EngineText.h"
#include "video/CInternalGraphDebug.h"
#include "platform/framework/window/CWaitCursor.h"
#include "video/FilterGraphDump.h"
#include "video/reader/IVideoReader.h"
#include "video/display/MonitorList.h"
#include "video/PlaySettings.h"
#include "platform/base/TimeUnits.h"

#include <d3d9.h>
#include <evr.h>
#include <vmr9.h>

#include <new>

namespace {

// Media Foundation's renderer and its display service, not in every import library.
const CLSID kClsidEvr = {0xfa10746c, 0x9b63, 0x4b6c, {0xbc, 0x49, 0xfc, 0x30, 0x0e, 0xa5,
                                                      0xf2, 0x56}};
const GUID kVideoRenderService = {0x1092a86c, 0xab1a, 0x459a, {0xa3, 0x36, 0x83, 0x1f, 0xbc,
                                                               0x4d, 0x11, 0xff}};
const IID kIidGetService = {0xfa993888, 0x4383, 0x415a, {0xa9, 0x30, 0xdd, 0x47, 0x2a, 0x8c,
                                                         0xf6, 0xf7}};
const IID kIidDisplayControl = {0xa490b1e4, 0xab84, 0x4d31, {0xa1, 0xb2, 0x18, 0x1e, 0x03,
                                                             0xb1, 0x07, 0x7a}};

constexpr DWORD kInproc = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER;
const wchar_t kRendererName[] = L"Video Renderer";

class CriticalSectionLock {
public:
    explicit CriticalSectionLock(CRITICAL_SECTION* lock) : m_lock(lock)
    {
        EnterCriticalSection(m_lock);
    }
    ~CriticalSectionLock() { LeaveCriticalSection(m_lock); }
    CriticalSectionLock(const CriticalSectionLock&) = delete;
    CriticalSectionLock& operator=(const CriticalSectionLock&) = delete;

private:
    CRITICAL_SECTION* m_lock;
};

// The VMR-9 and VMR-7 windowless controls share their operations; calls go to whichever the
// slot holds.
template <class F>
HRESULT WithVmr(IUnknown* control, F call)
{
    CComPtr<IVMRWindowlessControl9> vmr9;
    if (SUCCEEDED(control->QueryInterface(IID_IVMRWindowlessControl9,
                                          reinterpret_cast<void**>(&vmr9)))) {
        return call(vmr9.p);
    }
    CComPtr<IVMRWindowlessControl> vmr7;
    if (SUCCEEDED(control->QueryInterface(IID_IVMRWindowlessControl,
                                          reinterpret_cast<void**>(&vmr7)))) {
        return call(vmr7.p);
    }
    return E_NOINTERFACE;
}

// Border colours and rendering preferences are cosmetic: a renderer without them still
// draws, so their absence is logged rather than fatal.
void LogCosmeticFailure(HRESULT hr, const wchar_t* function)
{
    LOG_UNEXPECTED(CALL_FAILURE(function, hr, L""));
}

// Wine's ntdll exports its version query; Windows' does not.
bool RunsUnderWine()
{
    static const bool wine = [] {
        HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
        const bool found = ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
        if (found) {
            LOG_INFO(L"Automatic renderer choice: VMR9, VMR7, then EVR (Wine)");
        }
        return found;
    }();
    return wine;
}

// A renderer's connected input pin and the pin feeding it; false (nothing held) when the
// renderer is not connected.
bool ConnectedInput(IBaseFilter* renderer, IPin** input, IPin** upstream)
{
    *input = nullptr;
    *upstream = nullptr;
    CComPtr<IEnumPins> pins;
    if (renderer == nullptr || FAILED(renderer->EnumPins(&pins))) {
        return false;
    }
    CComPtr<IPin> pin;
    while (*input == nullptr && pins->Next(1, &pin, nullptr) == S_OK) {
        PIN_DIRECTION direction = PINDIR_OUTPUT;
        if (SUCCEEDED(pin->QueryDirection(&direction)) && direction == PINDIR_INPUT &&
            SUCCEEDED(pin->ConnectedTo(upstream))) {
            *input = pin.Detach();
        }
    }
    return *input != nullptr;
}

// Wine's video decompressor offers every output type its codec's query accepts, and its
// codecs accept YUV types they then fill with RGB: the picture comes out with wrong colours and
// at a quarter of its size. There the link to the renderer is made again with plain RGB of the
// stream's own depth (16-bit RGB means 5-5-5), when the decoder offers it.
void PreferPlainRgbUnderWine(IGraphBuilder* graph, IBaseFilter* renderer, IPin* streamPin)
{
    if (!RunsUnderWine()) {
        return;
    }
    int streamBits = 0;
    AM_MEDIA_TYPE streamType{};
    if (SUCCEEDED(streamPin->ConnectionMediaType(&streamType))) {
        streamBits = DXVideoFunc::BitCountOf(streamType);
        FreeMediaType(streamType);
    }
    CComPtr<IPin> input;
    CComPtr<IPin> decoderOutput;
    if (!ConnectedInput(renderer, &input, &decoderOutput)) {
        return;
    }
    AM_MEDIA_TYPE current{};
    if (SUCCEEDED(input->ConnectionMediaType(&current))) {
        const BITMAPINFOHEADER* header = DXVideoFunc::BitmapHeaderOf(current);
        const bool plainRgb = header && header->biCompression == BI_RGB;
        AM_MEDIA_TYPE* wanted = nullptr;
        CComPtr<IEnumMediaTypes> types;
        if (!plainRgb && streamBits > 8 && SUCCEEDED(decoderOutput->EnumMediaTypes(&types))) {
            AM_MEDIA_TYPE* type = nullptr;
            while (wanted == nullptr && types->Next(1, &type, nullptr) == S_OK) {
                const BITMAPINFOHEADER* offered = DXVideoFunc::BitmapHeaderOf(*type);
                if (offered && offered->biCompression == BI_RGB &&
                    offered->biBitCount == streamBits) {
                    wanted = type;
                } else {
                    DeleteMediaType(type);
                }
            }
            types.Release();
        }
        if (wanted != nullptr) {
            graph->Disconnect(decoderOutput);
            graph->Disconnect(input);
            HRESULT hr = graph->ConnectDirect(decoderOutput, input, wanted);
            if (FAILED(hr)) {
                LOG_UNEXPECTED(CALL_FAILURE(L"IGraphBuilder::ConnectDirect", hr, L"RGB"));
                hr = graph->ConnectDirect(decoderOutput, input, &current);
                if (FAILED(hr)) {
                    LOG_UNEXPECTED(CALL_FAILURE(L"IGraphBuilder::ConnectDirect", hr, L"back"));
                }
            }
            DeleteMediaType(wanted);
        }
        FreeMediaType(current);
    }
}

}  // namespace

ViewController::ViewController()
{
    InitializeCriticalSection(&m_lock);
    for (int i = 0; i < 2; ++i) {
        m_placeholderBoard[i].SetController(this);
        m_rendererBoard[i].SetController(this);
    }
}

ViewController::~ViewController()
{
    LeaveFullScreen();
    DetachReader();
    for (int i = 0; i < 2; ++i) {
        m_placeholderBoard[i].Detach();
        m_rendererBoard[i].Detach();
    }
    AllowScreenSaver(TRUE);
    DeleteCriticalSection(&m_lock);
}

void ViewController::SetPlaySettingsText(const wchar_t* text)
{
    CriticalSectionLock lock(&m_lock);
    m_settingsText = text ? text : L"";
}

std::wstring ViewController::PlaySettingsText() const
{
    CriticalSectionLock lock(&m_lock);
    return m_settingsText;
}

std::wstring ViewController::CreateEvr(IGraphBuilder* graph, HWND window, IBaseFilter** renderer,
                                       IMFVideoDisplayControl** control)
{
    *renderer = nullptr;
    *control = nullptr;
    CComPtr<IBaseFilter> filter;
    CComPtr<IMFGetService> service;
    CComPtr<IMFVideoDisplayControl> display;
    std::wstring error;
    HRESULT hr = CoCreateInstance(kClsidEvr, nullptr, kInproc, IID_IBaseFilter,
                                  reinterpret_cast<void**>(&filter));
    if (FAILED(hr)) {
        error = CALL_FAILURE(L"CoCreateInstance", hr, L"EVR");
    } else if (FAILED(hr = filter->QueryInterface(kIidGetService,
                                                  reinterpret_cast<void**>(&service)))) {
        error = CALL_FAILURE(L"QueryInterface", hr, L"IID_IMFGetService");
    } else if (FAILED(hr = service->GetService(kVideoRenderService, kIidDisplayControl,
                                               reinterpret_cast<void**>(&display)))) {
        error = CALL_FAILURE(L"GetService", hr, L"IID_IMFVideoDisplayControl");
    } else {
        if (FAILED(hr = display->SetBorderColor(0))) {
            LogCosmeticFailure(hr, L"IMFVideoDisplayControl::SetBorderColor");
        }
        if (FAILED(hr = display->SetVideoWindow(window))) {
            error = CALL_FAILURE(L"IMFVideoDisplayControl::SetVideoWindow", hr, L"");
        } else if (FAILED(hr = display->SetAspectRatioMode(MFVideoARMode_PreservePicture))) {
            error = CALL_FAILURE(L"IMFVideoDisplayControl::SetAspectRatioMode", hr, L"");
        } else if (FAILED(hr = graph->AddFilter(filter, kRendererName))) {
            error = CALL_FAILURE(L"IGraphBuilder::AddFilter", hr, L"EVR");
        }
    }
    service.Release();
    if (!error.empty()) {
        return error;
    }
    *renderer = filter.Detach();
    *control = display.Detach();
    LOG_INFO(L"EVR: OK");
    return L"";
}

std::wstring ViewController::CreateVmr(IGraphBuilder* graph, int mode, HWND window,
                                       IBaseFilter** renderer, IUnknown** control)
{
    *renderer = nullptr;
    *control = nullptr;
    const BOOL vmr9 = mode == 1;
    wchar_t detail[16];
    FormatBuf16(detail, L"VMR9=%i", vmr9 ? 1 : 0);
    CComPtr<IBaseFilter> filter;
    CComPtr<IUnknown> windowless;
    BOOL added = FALSE;
    std::wstring error;
    HRESULT hr = CoCreateInstance(vmr9 ? CLSID_VideoMixingRenderer9 : CLSID_VideoMixingRenderer,
                                  nullptr, kInproc, IID_IBaseFilter,
                                  reinterpret_cast<void**>(&filter));
    if (FAILED(hr)) {
        return CALL_FAILURE(L"CoCreateInstance", hr, detail);
    }
    if (FAILED(hr = graph->AddFilter(filter, kRendererName))) {
        error = CALL_FAILURE(L"IGraphBuilder::AddFilter", hr, detail);
    } else {
        added = TRUE;
    }
    if (error.empty() && vmr9) {
        CComPtr<IVMRFilterConfig9> config;
        if (FAILED(hr = filter->QueryInterface(IID_IVMRFilterConfig9,
                                               reinterpret_cast<void**>(&config)))) {
            error = CALL_FAILURE(L"QueryInterface", hr, L"IID_IVMRFilterConfig9");
        } else {
            if (FAILED(hr = config->SetRenderingMode(VMR9Mode_Windowless))) {
                error = CALL_FAILURE(L"SetRenderingMode", hr, L"Mode_Windowless");
            } else if (FAILED(hr = filter->QueryInterface(
                                  IID_IVMRWindowlessControl9,
                                  reinterpret_cast<void**>(&windowless)))) {
                error = CALL_FAILURE(L"QueryInterface", hr, L"IID_IVMRWindowlessControl9");
            }
        }
    } else if (error.empty()) {
        CComPtr<IVMRFilterConfig> config;
        if (FAILED(hr = filter->QueryInterface(IID_IVMRFilterConfig,
                                               reinterpret_cast<void**>(&config)))) {
            error = CALL_FAILURE(L"QueryInterface", hr, L"IID_IVMRFilterConfig");
        } else {
            if (FAILED(hr = config->SetRenderingMode(VMRMode_Windowless))) {
                error = CALL_FAILURE(L"SetRenderingMode", hr, L"Mode_Windowless");
            } else {
                if (FAILED(hr = config->SetRenderingPrefs(0))) {
                    LogCosmeticFailure(hr, L"SetRenderingPrefs");
                }
                if (FAILED(hr = filter->QueryInterface(IID_IVMRWindowlessControl,
                                                       reinterpret_cast<void**>(&windowless)))) {
                    error = CALL_FAILURE(L"QueryInterface", hr, L"IID_IVMRWindowlessControl");
                }
            }
        }
    }
    if (error.empty()) {
        hr = WithVmr(windowless, [&](auto* c) { return c->SetVideoClippingWindow(window); });
        if (FAILED(hr)) {
            error = CALL_FAILURE(L"SetVideoClippingWindow", hr, L"");
        }
    }
    if (error.empty()) {
        hr = WithVmr(windowless,
                     [&](auto* c) { return c->SetAspectRatioMode(VMR_ARMODE_LETTER_BOX); });
        if (FAILED(hr)) {
            error = CALL_FAILURE(L"SetAspectRatioMode", hr, L"VMR_ARMODE_LETTER_BOX");
        }
    }
    if (error.empty()) {
        hr = WithVmr(windowless, [&](auto* c) { return c->SetBorderColor(0); });
        if (FAILED(hr)) {
            LogCosmeticFailure(hr, L"IVMRWindowlessControl::SetBorderColor");
        }
    }
    if (!error.empty()) {
        // A half-configured renderer must not stay in the graph: the next choice would find
        // a stray "Video Renderer" beside its own.
        if (added) {
            graph->RemoveFilter(filter);
        }
        return error;
    }
    *renderer = filter.Detach();
    *control = windowless.Detach();
    LOG_INFO(FormatText(L"%s: OK", RendererName(vmr9 ? kRendererVmr9 : kRendererVmr7)));
    return L"";
}

std::wstring ViewController::CreateAutoRenderer(IGraphBuilder* graph, HWND window,
                                                IBaseFilter** renderer, IUnknown** vmrControl,
                                                IMFVideoDisplayControl** evrControl)
{
    *vmrControl = nullptr;
    if (RunsUnderWine()) {
        // Wine's EVR crashes when a connected input is taken down, which every stop of a
        // presentation does: there the VMRs come first and the EVR is the last resort.
        std::wstring error = CreateVmr(graph, 1, window, renderer, vmrControl);
        if (error.empty()) {
            return error;
        }
        LOG_UNEXPECTED(error);
        error = CreateVmr(graph, 2, window, renderer, vmrControl);
        if (error.empty()) {
            return error;
        }
        LOG_UNEXPECTED(error);
        return CreateEvr(graph, window, renderer, evrControl);
    }
    std::wstring error = CreateEvr(graph, window, renderer, evrControl);
    if (error.empty()) {
        return error;
    }
    LOG_UNEXPECTED(error);
    error = CreateVmr(graph, 1, window, renderer, vmrControl);
    if (error.empty()) {
        return error;
    }
    LOG_UNEXPECTED(error);
    return CreateVmr(graph, 2, window, renderer, vmrControl);
}

void ViewController::ReleaseControls(int index)
{
    m_evrControl[index].Release();
    m_vmrControl[index].Release();
}

void ViewController::ReleaseRenderer(int index, BOOL removeFromGraph)
{
    if (removeFromGraph && m_rendererGraph[index] && m_rendererFilter[index]) {
        // Pins of a running graph do not disconnect: the source stops first, as the reader
        // stops its graph before its renderers go.
        CComPtr<IMediaControl> control;
        if (SUCCEEDED(m_rendererGraph[index]->QueryInterface(
                IID_IMediaControl, reinterpret_cast<void**>(&control)))) {
            const HRESULT hr = control->Stop();
            if (FAILED(hr)) {
                LOG_UNEXPECTED_HR(hr, L"IMediaControl::Stop");
            }
        }
        const HRESULT hr = m_rendererGraph[index]->RemoveFilter(m_rendererFilter[index]);
        if (FAILED(hr)) {
            LOG_UNEXPECTED_HR(hr, L"IGraphBuilder::RemoveFilter");
        }
    }
    m_rendererFilter[index].Release();
    m_rendererGraph[index].Release();
}

std::wstring ViewController::InsertVideoRender(IPin* output, IGraphBuilder* graph, int index)
{
    CriticalSectionLock lock(&m_lock);
    wchar_t detail[16];
    FormatBuf16(detail, L"%i", index);
    if (index < 0 || index > 1) {
        return CALL_FAILURE(L"InsertVideoRender", E_INVALIDARG, detail);
    }
    RemoveVideoRender(index);
    HWND window = m_rendererBoard[index].Window();
    if (!window || !IsWindow(window) || !output || !graph) {
        return CALL_FAILURE(L"InsertVideoRender", E_POINTER, detail);
    }
    PlaySettings settings;
    settings.SetText(m_settingsText.c_str());
    PlaySettingsValues values;
    settings.GetValues(&values);

    CComPtr<IBaseFilter> renderer;
    std::wstring error;
    if (values.AutoRender) {
        error = CreateAutoRenderer(graph, window, &renderer, &m_vmrControl[index],
                                   &m_evrControl[index]);
        if (!error.empty()) {
            ReleaseControls(index);
            renderer.Release();
            LOG_UNEXPECTED(error);
            return DisplayString(200);
        }
    } else {
        const int kind = values.VideoRender;
        if (kind == kRendererEvr) {
            error = CreateEvr(graph, window, &renderer, &m_evrControl[index]);
        } else {
            error = CreateVmr(graph, kind == kRendererVmr9 ? 1 : 2, window, &renderer,
                              &m_vmrControl[index]);
        }
        if (!error.empty()) {
            ReleaseControls(index);
            renderer.Release();
            LOG_UNEXPECTED(error);
            return FormatText(DisplayString(214), RendererName(kind));
        }
    }
    const HRESULT hr = DXVideoFunc::ConnectFilters(renderer, graph, output);
    if (FAILED(hr)) {
        graph->RemoveFilter(renderer);
        renderer.Release();
        ReleaseControls(index);
        const bool noDecoder = hr == VFW_E_CANNOT_CONNECT || hr == VFW_E_CANNOT_RENDER ||
                               hr == static_cast<HRESULT>(0x80040255) || hr == E_NOINTERFACE;
        if (m_readerSource && noDecoder) {
            LOG_UNEXPECTED(FormatText(L"ConnectFilters: 0x%X", static_cast<unsigned>(hr)));
            std::wstring fourCc;
            CComPtr<IEnumMediaTypes> types;
            if (SUCCEEDED(output->EnumMediaTypes(&types))) {
                AM_MEDIA_TYPE* type = nullptr;
                if (types->Next(1, &type, nullptr) == S_OK && type) {
                    fourCc = DXVideoFunc::FourCcText(*type, FALSE);
                    DeleteMediaType(type);
                }
            }
            CharUpperW(fourCc.data());
            return FormatText(DisplayString(199), fourCc.c_str());
        }
        return CALL_FAILURE(L"DXVideoFunc::ConnectFilters", hr, detail);
    }
    PreferPlainRgbUnderWine(graph, renderer, output);
    m_rendererFilter[index] = std::move(renderer);
    m_rendererGraph[index] = graph;
    AllowScreenSaver(FALSE);
    m_rendererBoard[index].SetFill(FALSE);
    return UpdateVideoPosition(window);
}

void ViewController::RemoveVideoRender(int index)
{
    if (index < 0 || index > 1) {
        return;
    }
    CriticalSectionLock lock(&m_lock);
    if (m_reader) {
        const std::wstring error = m_reader->StopGraph();
        if (!error.empty()) {
            LOG_UNEXPECTED(error);
        }
    }
    ReleaseControls(index);
    ReleaseRenderer(index, TRUE);
    if (m_reader && m_reader->Graph() && m_reader->VideoStream(index).pin) {
        // The decoder between the stream and its renderer goes too, so that the pin can be
        // connected afresh.
        DXVideoFunc::RemoveDownstreamOfPin(m_reader->Graph(), m_reader->VideoStream(index).pin);
    }
    AllowScreenSaver(TRUE);
    m_rendererBoard[index].SetFill(TRUE);
}

void ViewController::RemoveAllRenderers()
{
    CriticalSectionLock lock(&m_lock);
    if (m_renderersConnected || m_rendererFilter[0] || m_rendererFilter[1]) {
        m_renderersConnected = FALSE;
        RemoveVideoRender(0);
        RemoveVideoRender(1);
    }
}

std::wstring ViewController::AttachReader(IVideoReader* reader)
{
    CriticalSectionLock lock(&m_lock);
    DetachReader();
    if (reader == nullptr || reader->Graph() == nullptr) {
        return CALL_FAILURE(L"GetGraph", E_POINTER, L"");
    }
    m_reader = reader;
    m_readerSource = TRUE;
    if (reader->IsAudioOnly()) {
        return L"";
    }
    return ConnectRenderers();
}

void ViewController::DetachReader(CMediaReader* reader)
{
    CriticalSectionLock lock(&m_lock);
    if (reader != nullptr && m_reader != nullptr && reader == m_reader) {
        DetachReader();
    }
}

void ViewController::DetachReader()
{
    CriticalSectionLock lock(&m_lock);
    RemoveAllRenderers();
    m_reader = nullptr;
}

BOOL ViewController::AreRenderersConnected(IVideoReader* reader)
{
    CriticalSectionLock lock(&m_lock);
    return reader != nullptr && reader == m_reader && m_renderersConnected;
}

std::wstring ViewController::PrepareRenderers()
{
    CriticalSectionLock lock(&m_lock);
    if (IsReaderPlaying() || IsReaderPaused()) {
        return L"";
    }
    return ConnectRenderers();
}

std::wstring ViewController::ConnectRenderers()
{
    CriticalSectionLock lock(&m_lock);
    if (m_renderersConnected || m_reader == nullptr) {
        return L"";
    }
    for (int i = 0; i < 2; ++i) {
        IPin* pin = m_reader->VideoStream(i).pin;
        if (pin && m_rendererBoard[i].Window()) {
            const std::wstring error = InsertVideoRender(pin, m_reader->Graph(), i);
            if (!error.empty()) {
                return error;
            }
        }
    }
    RefreshEvrFrame();
    StoredGraphText() = L"LastPlayGraph:";
    CInternalGraphDebug dump(0);
    DumpFilterGraph(&dump, m_reader->Graph());
    m_renderersConnected = TRUE;
    m_reader->SetFinalFramePosIfNeed(0);
    return m_reader->CMediaReader::Pause();
}

BOOL ViewController::IsReaderPlaying()
{
    CriticalSectionLock lock(&m_lock);
    return m_reader && m_reader->State() == 2;
}

BOOL ViewController::IsReaderPaused()
{
    CriticalSectionLock lock(&m_lock);
    return m_reader && m_reader->State() == 1;
}

void ViewController::SetVolume(long volume, BOOL mute)
{
    CriticalSectionLock lock(&m_lock);
    if (IsReaderPlaying()) {
        m_reader->ApplyVolume(volume, mute);
    }
}

void ViewController::OnMainWindowMoved()
{
    if (!IsReaderPlaying()) {
        RepaintAll();
    }
}

std::wstring ViewController::RenderStillFrame()
{
    IVideoReader* reader = m_reader;
    if (reader == nullptr) {
        RepaintAll();  // a renderer without a reader keeps its last frame
        return L"";
    }
    if (reader->State() == 2) {
        return L"";
    }
    if (reader->IsAudioOnly()) {
        return reader->CMediaReader::Pause();
    }
    if (!HasDisplayControl(0) && !HasDisplayControl(1)) {
        return L"";
    }
    CWaitCursor wait;
    reader->SetFinalFramePosIfNeed(1);
    std::wstring error;
    if (HasEvrControl()) {
        error = reader->CMediaReader::Pause();
    } else {
        // A stopped and paused VMR shows the frame at the new position; one round is not
        // always enough for the decoder to deliver it.
        Sleep(100);
        error = reader->CMediaReader::Stop();
        if (error.empty()) {
            error = reader->CMediaReader::Pause();
        }
        if (error.empty()) {
            error = reader->CMediaReader::Stop();
        }
        if (error.empty()) {
            error = reader->CMediaReader::Pause();
        }
    }
    if (!error.empty()) {
        return error;
    }
    RepaintAll();
    return L"";
}

void ViewController::RefreshEvrFrame()
{
    IVideoReader* reader = m_reader;
    if (!HasEvrControl() || reader == nullptr || reader->State() == 2 ||
        reader->IsAtPreviousFrame()) {
        return;
    }
    for (int round = 0; round < 2; ++round) {
        std::wstring error = reader->CMediaReader::Run();
        if (!error.empty()) {
            LOG_UNEXPECTED(error);
        }
        error = reader->CMediaReader::Pause();
        if (!error.empty()) {
            LOG_UNEXPECTED(error);
        }
    }
    reader->ReapplyReadRange();
}

HWND ViewController::GetBoardWindow(int index) const
{
    return index >= 0 && index < 2 ? m_rendererBoard[index].Window() : nullptr;
}

void ViewController::DetachBoard(int index)
{
    if (index >= 0 && index < 2) {
        CriticalSectionLock lock(&m_lock);
        m_rendererBoard[index].Detach();
    }
}

std::wstring ViewController::InsertVideoWindow(HWND window, int index)
{
    wchar_t detail[16];
    FormatBuf16(detail, L"%i", index);
    if (index < 0 || index >= 2) {
        return CALL_FAILURE(L"InsertVideoWindow", E_INVALIDARG, detail);
    }
    CriticalSectionLock lock(&m_lock);
    CVideoBoard& board = m_rendererBoard[index];
    if (board.Window() != window && !board.Attach(window)) {
        return CALL_FAILURE(L"InsertVideoWindow", E_INVALIDARG, detail);
    }
    board.SetFill(TRUE);
    if (!HasDisplayControl(index)) {
        board.StartRepaintTimer();
        return L"";
    }
    if (m_vmrControl[index]) {
        auto setWindow = [&](auto* c) { return c->SetVideoClippingWindow(window); };
        HRESULT hr = WithVmr(m_vmrControl[index], setWindow);
        if (hr == VFW_E_WRONG_STATE) {
            // A renderer that keeps its window once connected is replaced by one made for
            // the new window, on the same upstream pin.
            return ReinsertRenderer(index);
        }
        if (FAILED(hr)) {
            return CALL_FAILURE(L"SetVideoClippingWindow", hr, L"");
        }
    } else {
        const HRESULT hr = m_evrControl[index]->SetVideoWindow(window);
        if (FAILED(hr)) {
            return CALL_FAILURE(L"SetVideoWindow", hr, L"");
        }
    }
    board.SetFill(FALSE);
    return UpdateVideoPosition(board.Window());
}

std::wstring ViewController::ReinsertRenderer(int index)
{
    CComPtr<IPin> upstream;
    // Held here: inserting the new renderer lets go of the slot's own reference.
    const CComPtr<IGraphBuilder> graph = m_rendererGraph[index];
    CComPtr<IPin> input;
    if (!ConnectedInput(m_rendererFilter[index], &input, &upstream) || !graph) {
        return CALL_FAILURE(L"SetVideoClippingWindow", VFW_E_WRONG_STATE, L"");
    }
    input.Release();
    if (m_reader && m_reader->Graph() == graph && m_reader->VideoStream(index).pin) {
        // The removal takes the decoder along and stops the graph: the stream is connected
        // afresh from the reader's pin, and playing goes on where it was.
        upstream.Release();
        const int readerState = m_reader->State();
        double seconds = 0;
        const bool known = readerState != 0 && m_reader->GetPositionSeconds(&seconds).empty();
        std::wstring error = InsertVideoRender(m_reader->VideoStream(index).pin, graph, index);
        if (error.empty() && known) {
            error = m_reader->ContinueAfterStop(SecondsToRefTime(seconds), readerState);
        } else if (error.empty()) {
            error = RenderStillFrame();
        }
        return error;
    }
    OAFilterState state = State_Stopped;
    CComPtr<IMediaControl> control;
    if (SUCCEEDED(graph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&control)))) {
        control->GetState(100, &state);
    }
    std::wstring error = InsertVideoRender(upstream, graph, index);
    if (error.empty() && control) {
        // The removal stopped the graph: it goes back to where it was.
        if (state == State_Running) {
            control->Run();
        } else if (state == State_Paused) {
            control->Pause();
        }
    }
    return error;
}

std::wstring ViewController::UpdateVideoPosition(HWND window)
{
    if (!window) {
        return L"";
    }
    for (int i = 0; i < 2; ++i) {
        if (!HasDisplayControl(i) || m_rendererBoard[i].Window() != window) {
            continue;
        }
        RECT target{};
        if (window != m_hiddenWindow) {
            GetClientRect(window, &target);
        }
        wchar_t detail[64];
        FormatBuf64(detail, L"[%i, %i, %i, %i]", static_cast<int>(target.left),
                    static_cast<int>(target.top), static_cast<int>(target.right),
                    static_cast<int>(target.bottom));
        if (m_evrControl[i]) {
            // The whole picture as source: the system's presenter does not take "unchanged"
            // (no source rectangle) in every version.
            const MFVideoNormalizedRect whole{0.0f, 0.0f, 1.0f, 1.0f};
            const HRESULT hr = m_evrControl[i]->SetVideoPosition(&whole, &target);
            if (FAILED(hr)) {
                return CALL_FAILURE(L"IMFVideoDisplayControl::SetVideoPosition", hr, detail);
            }
        } else {
            const HRESULT hr = WithVmr(m_vmrControl[i], [&](auto* c) {
                return c->SetVideoPosition(nullptr, &target);
            });
            if (FAILED(hr)) {
                return CALL_FAILURE(L"IVMRWindowlessControl::SetVideoPosition", hr, detail);
            }
        }
    }
    return L"";
}

void ViewController::RepaintVideo(HWND window, HDC dc)
{
    if (!window) {
        return;
    }
    for (int i = 0; i < 2; ++i) {
        if (!HasDisplayControl(i) || m_rendererBoard[i].Window() != window) {
            continue;
        }
        if (m_evrControl[i]) {
            const HRESULT hr = m_evrControl[i]->RepaintVideo();
            if (FAILED(hr)) {
                LOG_UNEXPECTED_HR(hr, FormatText(L"IMFVideoDisplayControl::RepaintVideo(%i)", i));
            }
            continue;
        }
        HDC used = dc ? dc : GetDC(window);
        const HRESULT hr =
            WithVmr(m_vmrControl[i], [&](auto* c) { return c->RepaintVideo(window, used); });
        if (!dc) {
            ReleaseDC(window, used);
        }
        if (FAILED(hr)) {
            LOG_UNEXPECTED_HR(hr, FormatText(L"IVMRWindowlessControl::RepaintVideo(%i)", i));
        }
    }
}

void ViewController::RepaintAll()
{
    RepaintVideo(m_rendererBoard[0].Window(), nullptr);
    RepaintVideo(m_rendererBoard[1].Window(), nullptr);
}

BOOL ViewController::OnPreTranslateMessage(const MSG* message)
{
    if (message && message->message == WM_DISPLAYCHANGE) {
        OnDisplayModeChanged();
    }
    return FALSE;
}

void ViewController::OnDisplayModeChanged()
{
    LOG_INFO(L"OnDisplayModeChanged");
    for (int i = 0; i < 2; ++i) {
        if (m_vmrControl[i] && m_rendererBoard[i].Window()) {
            const HRESULT hr =
                WithVmr(m_vmrControl[i], [](auto* c) { return c->DisplayModeChanged(); });
            if (FAILED(hr)) {
                LOG_UNEXPECTED_HR(hr,
                                  FormatText(L"IVMRWindowlessControl::DisplayModeChanged(%i)", i));
            }
        }
    }
}

void ViewController::OnBoardTimer(UINT_PTR id)
{
    for (CFullScrWindow* window : m_fullScreen) {
        if (window) {
            window->OnTimer(id);
        }
    }
}

BOOL ViewController::IsCursorOverPanel()
{
    if (!IsFullScreen()) {
        return FALSE;
    }
    for (CFullScrWindow* window : m_fullScreen) {
        if (window && window->IsCursorOverPanel()) {
            return TRUE;
        }
    }
    return FALSE;
}

BOOL ViewController::IsPanelShown()
{
    if (!IsFullScreen()) {
        return FALSE;
    }
    for (CFullScrWindow* window : m_fullScreen) {
        if (window && window->Panel() && window->Panel()->IsShown()) {
            return TRUE;
        }
    }
    return FALSE;
}

CFullScrWindow* ViewController::FullScreenWindow(int index) const
{
    return index >= 0 && index < 2 ? m_fullScreen[index] : nullptr;
}

BOOL ViewController::IsFullScreen()
{
    for (CFullScrWindow* window : m_fullScreen) {
        if (window && window->IsShown()) {
            return TRUE;
        }
    }
    return FALSE;
}

BOOL ViewController::CanFullScreen()
{
    return HasDisplayControl(0) || HasDisplayControl(1);
}

void ViewController::LeaveFullScreen()
{
    for (int i = 0; i < 2; ++i) {
        m_placeholderBoard[i].Detach();
    }
    for (CFullScrWindow*& window : m_fullScreen) {
        // Its destruction hands the stream's renderer back to the normal window.
        delete window;
        window = nullptr;
    }
}

std::wstring ViewController::EnterFullScreen(int index)
{
    HWND normal = m_rendererBoard[index].Window();
    auto* window = new (std::nothrow)
        CFullScrWindow(this, normal, index + 1, PlaySettingsText().c_str());
    if (!window) {
        return CALL_FAILURE(L"new", E_OUTOFMEMORY, L"CFullScrWindow");
    }
    m_fullScreen[index] = window;
    const std::wstring error = window->Show(TRUE);
    if (!error.empty()) {
        delete window;
        m_fullScreen[index] = nullptr;
        return error;
    }
    if (m_placeholderBoard[index].Attach(normal)) {
        m_placeholderBoard[index].SetFill(TRUE);
        m_placeholderBoard[index].StartRepaintTimer();
    }
    return L"";
}

std::wstring ViewController::SetFullScreen(HWND requester, BOOL on)
{
    LOG_INFO(FormatText(L"OnFull: %s", on ? L"ON" : L"OFF"));
    if (!on) {
        LeaveFullScreen();
        RefreshEvrFrame();
        return RenderStillFrame();
    }
    if (!CanFullScreen() || IsFullScreen()) {
        return L"";
    }
    const std::wstring settings = PlaySettingsText();
    MonitorList monitors;
    const MonitorInfo* camera =
        HasDisplayControl(0) ? monitors.GetForStream(1, settings.c_str()) : nullptr;
    const MonitorInfo* screen =
        HasDisplayControl(1) ? monitors.GetForStream(2, settings.c_str()) : nullptr;
    if (camera && screen && camera == screen) {
        // One monitor for both: only one stream can cover it.
        BOOL cameraChosen = TRUE;
        if (requester && IsWindow(requester)) {
            cameraChosen = requester == m_rendererBoard[0].Window();
        } else {
            int mode = 0;
            if (QVRInstance* player = GetEngineCallback()) {
                player->RunCommand(11, reinterpret_cast<INT_PTR>(&mode), 0);
            }
            cameraChosen = mode != 1;
        }
        (cameraChosen ? screen : camera) = nullptr;
    }
    if (camera) {
        const std::wstring error = EnterFullScreen(0);
        if (!error.empty()) {
            return error;
        }
    }
    if (screen) {
        const std::wstring error = EnterFullScreen(1);
        if (!error.empty()) {
            return error;
        }
    }
    RefreshEvrFrame();
    return RenderStillFrame();
}

void ViewController::AllowScreenSaver(BOOL allow)
{
    if (allow && (m_rendererFilter[0] || m_rendererFilter[1])) {
        return;
    }
    if (allow == !m_screenSaverHeld) {
        return;
    }
    // Held per thread for as long as video shows; the user's own screen-saver setting is
    // never changed, so a crash cannot leave it switched off.
    const EXECUTION_STATE state =
        allow ? ES_CONTINUOUS : (ES_CONTINUOUS | ES_DISPLAY_REQUIRED | ES_SYSTEM_REQUIRED);
    if (!SetThreadExecutionState(state)) {
        LOG_UNEXPECTED(FormatText(L"SetThreadExecutionState[%i] Err=%u", allow ? 1 : 0,
                                  static_cast<unsigned>(GetLastError())));
    }
    m_screenSaverHeld = !allow;
}

IBaseFilter* ViewController::RendererFilter(int index) const
{
    return index >= 0 && index < 2 ? m_rendererFilter[index].p : nullptr;
}

BOOL ViewController::HasEvrControl() const
{
    return m_evrControl[0] || m_evrControl[1];
}

BOOL ViewController::HasDisplayControl(int index) const
{
    return index >= 0 && index < 2 && (m_evrControl[index] || m_vmrControl[index]);
}
