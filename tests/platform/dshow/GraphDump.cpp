// Graph dump: walks EnumFilters and EnumPins; names known GUIDs, prints the others.
#include "tests/platform/dshow/GraphDump.h"

#include <cstdio>

#include <uuids.h>

#include "platform/dshow/CMediaType.h"

namespace dshowtest {

namespace {

std::string Narrow(const WCHAR* text)
{
    std::string out;
    for (; text && *text; ++text) {
        out += (*text < 128) ? static_cast<char>(*text) : '?';
    }
    return out;
}

std::string GuidText(const GUID& guid)
{
    struct Known {
        const GUID* guid;
        const char* name;
    };
    static const Known known[] = {
        {&MEDIATYPE_Audio, "Audio"},           {&MEDIATYPE_Video, "Video"},
        {&MEDIASUBTYPE_PCM, "PCM"},            {&FORMAT_WaveFormatEx, "WaveFormatEx"},
        {&CLSID_DSoundRender, "DSoundRender"}, {&GUID_NULL, "null"},
    };
    for (const Known& k : known) {
        if (*k.guid == guid) {
            return k.name;
        }
    }
    WCHAR text[64] = {};
    StringFromGUID2(guid, text, 64);
    return Narrow(text);
}

std::string PeerText(IPin* pin)
{
    IPin* peer = nullptr;
    if (FAILED(pin->ConnectedTo(&peer)) || !peer) {
        return "(not connected)";
    }
    PIN_INFO info{};
    std::string text = "?";
    if (SUCCEEDED(peer->QueryPinInfo(&info))) {
        FILTER_INFO filterInfo{};
        std::string filterName = "?";
        if (info.pFilter && SUCCEEDED(info.pFilter->QueryFilterInfo(&filterInfo))) {
            filterName = Narrow(filterInfo.achName);
            if (filterInfo.pGraph) {
                filterInfo.pGraph->Release();
            }
        }
        text = "\"" + filterName + "\"." + Narrow(info.achName);
        if (info.pFilter) {
            info.pFilter->Release();
        }
    }
    AM_MEDIA_TYPE type{};
    if (SUCCEEDED(pin->ConnectionMediaType(&type))) {
        text += " [" + GuidText(type.majortype) + "/" + GuidText(type.subtype) + "/" +
                GuidText(type.formattype) + "]";
        FreeMediaType(type);
    }
    peer->Release();
    return text;
}

}  // namespace

std::string DumpGraph(IFilterGraph* graph)
{
    std::string out;
    IEnumFilters* filters = nullptr;
    if (FAILED(graph->EnumFilters(&filters))) {
        return "(no filters)\n";
    }
    IBaseFilter* filter = nullptr;
    while (filters->Next(1, &filter, nullptr) == S_OK) {
        FILTER_INFO info{};
        filter->QueryFilterInfo(&info);
        if (info.pGraph) {
            info.pGraph->Release();
        }
        CLSID clsid = GUID_NULL;
        filter->GetClassID(&clsid);
        out += "filter \"" + Narrow(info.achName) + "\" class " + GuidText(clsid) + "\n";
        IEnumPins* pins = nullptr;
        if (SUCCEEDED(filter->EnumPins(&pins))) {
            IPin* pin = nullptr;
            while (pins->Next(1, &pin, nullptr) == S_OK) {
                PIN_INFO pinInfo{};
                pin->QueryPinInfo(&pinInfo);
                if (pinInfo.pFilter) {
                    pinInfo.pFilter->Release();
                }
                out += std::string("  ") + (pinInfo.dir == PINDIR_INPUT ? "in  " : "out ") +
                       Narrow(pinInfo.achName) + " -> " + PeerText(pin) + "\n";
                pin->Release();
            }
            pins->Release();
        }
        filter->Release();
    }
    filters->Release();
    std::fputs(out.c_str(), stdout);
    std::fflush(stdout);
    return out;
}

}  // namespace dshowtest
