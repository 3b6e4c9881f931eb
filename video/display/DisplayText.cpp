// Display texts: the strings only the display shows, and the renderer names.
#include "video/display/DisplayText.h"

#include "video/EngineText.h"

namespace {

struct DisplayEntry {
    UINT id;
    const wchar_t* text;
};

constexpr DisplayEntry kDisplayStrings[] = {
    {199, L"Cannot open the file because no codec for the %s video format is installed on "
          L"your system."},
    {200, L"QVR is not compatible with your graphics card."},
    {214, L"Cannot load the Video Renderer filter (%s). \r\n\nPlease go to "
          L"Options->Settings->Playback, and either select a different renderer, or select "
          L"\"Automatically select\"."},
    {245, L"&Full screen"},
    {246, L"Show only video from &Camera"},
    {247, L"Show only video from &Screen"},
    {248, L"Show Camera &up, Screen down"},
    {249, L"Show Camera &left, Screen right"},
};

constexpr const wchar_t* kRendererNames[kRendererCount] = {L"EVR", L"VMR9", L"VMR7"};

}  // namespace

const wchar_t* RendererName(int kind)
{
    return kind >= 0 && kind < kRendererCount ? kRendererNames[kind] : L"";
}

const wchar_t* DisplayString(UINT id)
{
    for (const DisplayEntry& entry : kDisplayStrings) {
        if (entry.id == id) {
            return entry.text;
        }
    }
    return EngineString(id);
}
