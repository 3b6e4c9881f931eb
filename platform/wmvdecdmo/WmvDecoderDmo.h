// The Windows Media Video decoder as a DirectX Media Object, for Wine, which has none that
// negotiates an output: one input stream of WMV1, WMV2, WMV3 or VC-1 frames (the ASF FourCCs
// WMV1, WMV2, WMV3, WVC1, WMVA), one output stream of YV12, I420 or RGB pictures in
// presentation order with their times. Aggregatable, as the DMO wrapper filter creates it
// inside itself. Every method takes the object's lock: the wrapper flushes from the
// application's thread while its streaming thread decodes.
#pragma once

#include <windows.h>
#include <mediaobj.h>
// mingw's dmort.h declares the runtime helpers without C linkage.
extern "C" {
#include <dmort.h>
}
#include <dmo.h>

#include <optional>

#include "platform/wmvdecdmo/AvVideoDecoder.h"
#include "platform/dshow/CAutoLock.h"
#include "platform/dshow/CCritSec.h"
#include "platform/dshow/CUnknown.h"
#include "platform/wmvdecdmo/PictureWriter.h"

class WmvDecoderDmo : public CUnknown, public IMediaObject {
public:
    // A new object with no reference held; outer is the aggregating object or null.
    static WmvDecoderDmo* Create(IUnknown* outer);
    ~WmvDecoderDmo() override;

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    // The class, name and types the system's decoder is registered under.
    static const CLSID kClassId;
    static const wchar_t kName[];
    static const DMO_PARTIAL_MEDIATYPE kInputTypes[];
    static const DWORD kInputTypeCount;
    static const DMO_PARTIAL_MEDIATYPE kOutputTypes[];
    static const DWORD kOutputTypeCount;

    STDMETHODIMP GetStreamCount(DWORD* inputs, DWORD* outputs) override;
    STDMETHODIMP GetInputStreamInfo(DWORD index, DWORD* flags) override;
    STDMETHODIMP GetOutputStreamInfo(DWORD index, DWORD* flags) override;
    STDMETHODIMP GetInputType(DWORD index, DWORD typeIndex, DMO_MEDIA_TYPE* type) override;
    STDMETHODIMP GetOutputType(DWORD index, DWORD typeIndex, DMO_MEDIA_TYPE* type) override;
    STDMETHODIMP SetInputType(DWORD index, const DMO_MEDIA_TYPE* type, DWORD flags) override;
    STDMETHODIMP SetOutputType(DWORD index, const DMO_MEDIA_TYPE* type, DWORD flags) override;
    STDMETHODIMP GetInputCurrentType(DWORD index, DMO_MEDIA_TYPE* type) override;
    STDMETHODIMP GetOutputCurrentType(DWORD index, DMO_MEDIA_TYPE* type) override;
    STDMETHODIMP GetInputSizeInfo(DWORD index, DWORD* size, DWORD* lookahead,
                                  DWORD* alignment) override;
    STDMETHODIMP GetOutputSizeInfo(DWORD index, DWORD* size, DWORD* alignment) override;
    STDMETHODIMP GetInputMaxLatency(DWORD index, REFERENCE_TIME* latency) override;
    STDMETHODIMP SetInputMaxLatency(DWORD index, REFERENCE_TIME latency) override;
    STDMETHODIMP Flush() override;
    STDMETHODIMP Discontinuity(DWORD index) override;
    STDMETHODIMP AllocateStreamingResources() override;
    STDMETHODIMP FreeStreamingResources() override;
    STDMETHODIMP GetInputStatus(DWORD index, DWORD* flags) override;
    STDMETHODIMP ProcessInput(DWORD index, IMediaBuffer* buffer, DWORD flags,
                              REFERENCE_TIME time, REFERENCE_TIME length) override;
    STDMETHODIMP ProcessOutput(DWORD flags, DWORD count, DMO_OUTPUT_DATA_BUFFER* buffers,
                               DWORD* status) override;
    STDMETHODIMP Lock(LONG lock) override;

private:
    explicit WmvDecoderDmo(IUnknown* outer);

    // What an accepted input type says: the FourCC, the picture size and the private data.
    struct InputFormat {
        DWORD fourcc = 0;
        int width = 0;
        int height = 0;
        REFERENCE_TIME frameTime = 0;
        const BYTE* extra = nullptr;
        size_t extraSize = 0;
    };
    static std::optional<InputFormat> ParseInput(const DMO_MEDIA_TYPE& type);
    // The layout an output type asks for, if it is one this input can give.
    std::optional<PictureWriter> ParseOutput(const DMO_MEDIA_TYPE& type) const;
    HRESULT MakeOutputType(DWORD typeIndex, DMO_MEDIA_TYPE* type) const;
    void ClearOutput();
    // Fetches the decoder's next picture into m_picture.
    void Prefetch();

    CCritSec m_lock;
    bool m_hasInput = false;
    bool m_hasOutput = false;
    DMO_MEDIA_TYPE m_inputType{};
    DMO_MEDIA_TYPE m_outputType{};
    InputFormat m_input;
    PictureWriter m_writer;
    AvVideoDecoder m_decoder;
    bool m_hasPicture = false;
    DecodedPicture m_picture;
};
