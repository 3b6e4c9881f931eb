// Marker reading. The name buffer grows to what the runtime reports, so names of any length
// are read in full; the editor is closed only after a complete read and always released.
#include "player/core/Bookmarks.h"

#include "platform/framework/CComPtr.h"
#include "WinNT_SP/Include_VS2005/MyException.h"
#include "player/core/PlayerState.h"
#include "WinNT_SP/Include_VS2005/SystemErrorText.h"
#include "WinNT_SP/Include_VS2005/TraceLog.h"
#include "WinNT_SP/Include_VS2005/WMRuntimeTable.h"
#include "player/core/WMTag.h"
#include "platform/wmvcore/WmvMetadataEditor2.h"
#include "platform/base/TimeUnits.h"

#include <memory>

namespace {

constexpr HRESULT kBufferTooSmall = static_cast<HRESULT>(0xC00D07D1);

[[noreturn]] void ThrowWMError(HRESULT hr, const wchar_t* function, const wchar_t* object = nullptr)
{
    std::wstring text;
    FormatWMError(&text, object, hr, function);
    ThrowMyException(text.c_str());
}

}  // namespace

void Bookmarks::Add(const wchar_t* name, double seconds)
{
    BM_Item item;
    item.time = RoundToTimeGrid(seconds);
    item.name = name ? name : L"";
    m_items.push_back(item);
}

void ReadMarkers(Bookmarks* bookmarks, IWMHeaderInfo* header)
{
    WORD count = 0;
    HRESULT hr = header->GetMarkerCount(&count);
    if (FAILED(hr)) {
        ThrowWMError(hr, L"IWMHeaderInfo::GetMarkerCount");
    }
    std::unique_ptr<WCHAR[]> buffer;
    WORD capacity = 0;
    for (WORD i = 0; i < count; ++i) {
        WORD length = capacity;
        QWORD time = 0;
        hr = header->GetMarker(i, buffer.get(), &length, &time);
        if (length > capacity || hr == kBufferTooSmall) {
            buffer = std::make_unique<WCHAR[]>(length ? length : 1);
            capacity = length;
            hr = header->GetMarker(i, buffer.get(), &length, &time);
        }
        if (FAILED(hr)) {
            std::wstring text;
            FormatWMError(&text, nullptr, hr, L"IWMHeaderInfo::GetMarker");
            TraceLine(0, L"Read marker %i err %s", static_cast<int>(i), text.c_str());
            continue;
        }
        // A name without its terminator within the reported length is cut there.
        std::wstring name;
        if (buffer && capacity) {
            name.assign(buffer.get(), wcsnlen(buffer.get(), capacity));
        }
        // Unsigned in the file: kept unsigned, so a huge marker stays a huge positive time.
        bookmarks->Add(name.c_str(),
                       static_cast<double>(time) / static_cast<double>(kRefTimePerSecond));
    }
}

void ReadBMFromFile(Bookmarks* bookmarks, std::wstring* error, const wchar_t* path)
{
    error->clear();
    CComPtr<IWMMetadataEditor> editor;
    CComPtr<IWMMetadataEditor2> editor2;
    CComPtr<IWMHeaderInfo3> header;
    try {
        if (!LoadWMRuntime()) {
            ThrowMyException(GetErrInfoText(WMRuntimeError()).c_str());
        }
        using CreateEditor = HRESULT(WINAPI*)(IWMMetadataEditor**);
        HRESULT hr = WMRuntime().createEditor.As<CreateEditor>()(&editor);
        if (FAILED(hr)) {
            ThrowWMError(hr, L"WMCreateEditor");
        }
        hr = editor->QueryInterface(kIidIWMMetadataEditor2, reinterpret_cast<void**>(&editor2));
        if (FAILED(hr)) {
            ThrowWMError(hr, L"QueryInterface(IID_IWMMetadataEditor2)");
        }
        hr = editor2->OpenEx(path, GENERIC_READ, FILE_SHARE_READ);
        if (FAILED(hr)) {
            ThrowWMError(hr, L"IWMMetadataEditor2::OpenEx", path);
        }
        hr = editor2->QueryInterface(IID_IWMHeaderInfo3, reinterpret_cast<void**>(&header));
        if (FAILED(hr)) {
            ThrowWMError(hr, L"QueryInterface(IID_IWMHeaderInfo3)");
        }
        ReadMarkers(bookmarks, header);
        hr = editor2->Close();
        if (FAILED(hr)) {
            ThrowWMError(hr, L"IWMMetadataEditor2::Close");
        }
    } catch (CException* e) {
        *error = GetExceptionText(e);
        e->Delete();
        TraceLine(0, L"ReadBMFromFile err %s", error->c_str());
    }
}
