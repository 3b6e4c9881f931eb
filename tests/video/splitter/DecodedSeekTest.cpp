// The file splitter feeding the system's WMV decoder (under Wine the stand-in over libavcodec)
// inside the DMO wrapper filter, as a graph's intelligent connect builds it: after a seek the
// pictures decoded from the key frame before the new position are marked preroll, so a renderer
// shows the picture at the position, not the key frame.
#include "video/splitter/CWMFOutputPin.h"
#include "tests/video/splitter/SplitterRig.h"
#include "tests/video/TestInstance.h"

#include <gtest/gtest.h>

#include <dmodshow.h>
#include <dmoreg.h>
#include <uuids.h>

namespace {

constexpr LONGLONG kSecond = 10000000;

// The class the system's WMV decoder DMO is registered under.
const CLSID kWmvDecoderDmo = {
    0x82d353df, 0x90bd, 0x4382, {0x8b, 0xc2, 0x3f, 0x61, 0x92, 0xb7, 0x6e, 0x34}};

// The sample's camera stream (320x240, 15 pictures a second, a key frame every 12) through
// the decoder into a recording sink; the other streams stay unconnected.
class DecodedCameraRig {
public:
    ~DecodedCameraRig()
    {
        rig.TearDown();
        if (wrapper != nullptr) {
            wrapper->Release();
        }
    }

    HRESULT Build()
    {
        if (!rig.Open(L"sample.wmv").empty()) {
            return E_FAIL;
        }
        HRESULT hr = CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IGraphBuilder, reinterpret_cast<void**>(&rig.graph));
        if (FAILED(hr)) {
            return hr;
        }
        rig.graph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&rig.control));
        rig.graph->QueryInterface(IID_IMediaEventEx, reinterpret_cast<void**>(&rig.events));
        hr = CoCreateInstance(CLSID_DMOWrapperFilter, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IBaseFilter, reinterpret_cast<void**>(&wrapper));
        if (FAILED(hr)) {
            return hr;
        }
        IDMOWrapperFilter* init = nullptr;
        hr = wrapper->QueryInterface(IID_IDMOWrapperFilter, reinterpret_cast<void**>(&init));
        if (FAILED(hr)) {
            return hr;
        }
        hr = init->Init(kWmvDecoderDmo, DMOCATEGORY_VIDEO_DECODER);
        init->Release();
        if (FAILED(hr)) {
            return hr;
        }
        TestSinkFilter* sink = new TestSinkFilter();
        sink->AddRef();
        rig.sinks.push_back(sink);
        for (auto [filter, name] : {std::pair<IBaseFilter*, const wchar_t*>{rig.splitter, L"split"},
                                    {wrapper, L"decoder"},
                                    {sink, L"sink"}}) {
            hr = rig.graph->AddFilter(filter, name);
            if (FAILED(hr)) {
                return hr;
            }
        }
        IPin* decoderIn = Pin(wrapper, PINDIR_INPUT);
        IPin* decoderOut = Pin(wrapper, PINDIR_OUTPUT);
        hr = decoderIn && decoderOut ? S_OK : E_FAIL;
        if (SUCCEEDED(hr)) {
            hr = rig.graph->ConnectDirect(rig.splitter->GetPinByIndex(0), decoderIn, nullptr);
        }
        if (SUCCEEDED(hr)) {
            hr = rig.graph->ConnectDirect(decoderOut, sink->GetPin(0), nullptr);
        }
        if (decoderIn) {
            decoderIn->Release();
        }
        if (decoderOut) {
            decoderOut->Release();
        }
        return hr;
    }

    TestSinkFilter* Sink() { return rig.sinks[0]; }

    SplitterRig rig;
    IBaseFilter* wrapper = nullptr;

private:
    static IPin* Pin(IBaseFilter* filter, PIN_DIRECTION direction)
    {
        IEnumPins* pins = nullptr;
        if (FAILED(filter->EnumPins(&pins))) {
            return nullptr;
        }
        IPin* found = nullptr;
        IPin* pin = nullptr;
        while (found == nullptr && pins->Next(1, &pin, nullptr) == S_OK) {
            PIN_DIRECTION d;
            if (SUCCEEDED(pin->QueryDirection(&d)) && d == direction) {
                found = pin;
            } else {
                pin->Release();
            }
        }
        pins->Release();
        return found;
    }
};

// Positions between key frames and on one; times are relative to the position.
TEST(DecodedSeek, PicturesBeforeTheNewPositionAreMarkedPreroll)
{
    const struct {
        LONGLONG position;
        int before;  // pictures from the key frame up to the position
    } cases[] = {{10 * kSecond, 6}, {kSecond * 48 / 5, 0}, {kSecond * 31 / 3, 11}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "position " << c.position);
        ScopedCallback callback;
        DecodedCameraRig decoded;
        ASSERT_EQ(decoded.Build(), S_OK);
        ASSERT_EQ(decoded.rig.SeekAll(c.position, 12 * kSecond), S_OK);
        ASSERT_EQ(decoded.rig.control->Run(), S_OK);
        ASSERT_TRUE(decoded.Sink()->WaitEndOfStream(20000)) << callback.instance.All();
        const std::vector<SinkSample> got = decoded.Sink()->Samples();
        ASSERT_FALSE(got.empty());
        int early = 0;
        int firstShown = -1;
        for (size_t i = 0; i < got.size(); ++i) {
            ASSERT_TRUE(got[i].hasTime) << i;
            if (got[i].start < 0) {
                ++early;
                EXPECT_TRUE(got[i].preroll) << "picture " << i << " at " << got[i].start;
            } else {
                EXPECT_FALSE(got[i].preroll) << "picture " << i << " at " << got[i].start;
                if (firstShown < 0) {
                    firstShown = static_cast<int>(i);
                }
            }
        }
        // Times that arrive are the ones of the frames decoded; either the early ones come
        // marked or not at all.
        EXPECT_LE(early, c.before);
        ASSERT_GE(firstShown, 0);
        EXPECT_LT(got[firstShown].start, kSecond / 15) << "the picture at the position";
    }
}

}  // namespace
