// The engine's toolbox around DirectShow media types and filter graphs: the text form of a
// media type, display texts of audio and video formats, the format checks of the format
// records, media-type readers, graph-building helpers and the Windows Media format readers.
#pragma once

#include <windows.h>
#include <strmif.h>
#include <wmsdkidl.h>

#include "platform/dshow/CMediaType.h"

#include <string>

struct AudioCodecEntry;

// A row of the Windows Media audio codec name table.
struct AudioCodecRow {
    WORD formatTag;
    const wchar_t* longName;
    const wchar_t* shortName;
    int use;
};

class DXVideoFunc {
public:
    // ---- text form and checks ---------------------------------------------------------------
    static std::wstring MediaTypeToText(const AM_MEDIA_TYPE& type);
    static void TextToMediaType(const wchar_t* text, CMediaType& out);
    static std::wstring CheckAudioType(const AM_MEDIA_TYPE& type);
    static std::wstring CheckVideoType(const AM_MEDIA_TYPE& type);

    // ---- display texts ----------------------------------------------------------------------
    static std::wstring AudioCodecName(const AM_MEDIA_TYPE& type, BOOL longForm);
    static std::wstring AudioParamsText(const AM_MEDIA_TYPE& type);
    static std::wstring FourCcText(const AM_MEDIA_TYPE& type, BOOL longForm);
    static std::wstring VideoParamsText(const AM_MEDIA_TYPE& type, BOOL longForm);
    static int GuidText(const GUID& guid, wchar_t (&buffer)[64]);
    static const AudioCodecRow* AudioCodecTable(int* count);

    // ---- media-type readers -----------------------------------------------------------------
    // The WAVEFORMATEX of an audio type: NULL unless the format type is FORMAT_WaveFormatEx and
    // the block holds at least the 16 bytes before the extra-size field.
    static const WAVEFORMATEX* WaveFormatOf(const AM_MEDIA_TYPE& type);
    static const BITMAPINFOHEADER* BitmapHeaderOf(const AM_MEDIA_TYPE& type);
    static DWORD FourCcOf(const AM_MEDIA_TYPE& type);
    static int BitCountOf(const AM_MEDIA_TYPE& type);
    static int WidthOf(const AM_MEDIA_TYPE& type);
    static int HeightOf(const AM_MEDIA_TYPE& type);
    static double FrameRateOf(const AM_MEDIA_TYPE& type);
    static BOOL SameWaveFormat(const WAVEFORMATEX& a, const WAVEFORMATEX& b);
    static std::wstring FormatNameInCodec(const AudioCodecEntry& codec,
                                          const WAVEFORMATEX& format);
    static std::wstring CopyMediaTypeToBlock(AM_MEDIA_TYPE** out, const AM_MEDIA_TYPE* source);
    // Replaces the format block with `bytes` zeroed bytes (none for 0); false when memory runs
    // out, the type then having no format block.
    static bool AllocZeroedFormat(CMediaType& type, ULONG bytes);

    // ---- graph helpers ----------------------------------------------------------------------
    static HRESULT GetPin(int index, IBaseFilter* filter, IPin** out);
    static HRESULT FindUnconnectedPin(IBaseFilter* filter, IPin** out, PIN_DIRECTION direction);
    static HRESULT ConnectFilters(IBaseFilter* downstream, IGraphBuilder* graph, IPin* output);
    static HRESULT ConnectFilters(IBaseFilter* upstream, IGraphBuilder* graph,
                                  IBaseFilter* downstream);
    static HRESULT AddFilterByCLSID(IBaseFilter** out, IGraphBuilder* graph);
    static HRESULT CountPins(IBaseFilter* filter, int* inputs, int* outputs);
    static BOOL IsPinConnected(IPin* pin);
    static HRESULT GetPreferredMediaType(IPin* pin, CMediaType& out);
    static void RemoveDownstream(IBaseFilter* filter, IFilterGraph* graph);
    static void RemoveDownstreamOfPin(IFilterGraph* graph, IPin* pin);
    static HRESULT SetAudioTypeToUncompressed(CMediaType& out, const AM_MEDIA_TYPE& source);

    // ---- Windows Media ----------------------------------------------------------------------
    static void MediaTypeFromProps(IUnknown* streamObject, std::wstring& error,
                                   CMediaType& out);
    static HRESULT GetIWMCodecInfo3(IWMCodecInfo3** out);
    static HRESULT GetWMCodecComplexity(IWMCodecInfo3* info, DWORD codec, DWORD* maximum,
                                        DWORD* live, DWORD* offline);

private:
    static bool RemovePinDownstream(IFilterGraph* graph, IPin* pin);
};
