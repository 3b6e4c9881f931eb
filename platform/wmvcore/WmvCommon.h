// Shared bits of the Windows Media stand-in's COM layer: the runtime's own result codes that
// mingw lacks, the mapping of parser errors to them, and the u16string/WCHAR bridge.
#pragma once

#include <windows.h>
#include <wmsdk.h>
#include <nserror.h>

#include <new>
#include <string>

#include "platform/wmvcore/asf/AsfError.h"

namespace orvane::wmv {

inline constexpr HRESULT kAsfBufferTooSmall =
    static_cast<HRESULT>(0xC00D07D1);  // ASF_E_BUFFERTOOSMALL
inline constexpr HRESULT kAsfNotFound = static_cast<HRESULT>(0xC00D07F0);        // ASF_E_NOTFOUND
// WMT_CREDENTIAL_FLAGS, which mingw does not declare.
inline constexpr DWORD kCredentialClearText = 0x4;
inline constexpr DWORD kCredentialProxy = 0x8;

// Runs a COM method's body and turns any exception into a result: none may reach the caller.
template <typename Body>
HRESULT Guarded(Body body) noexcept
{
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

inline HRESULT HResultFromAsf(asf::AsfError e)
{
    switch (e) {
    case asf::AsfError::kOk: return S_OK;
    case asf::AsfError::kEndOfData: return NS_E_NO_MORE_SAMPLES;
    case asf::AsfError::kNotAsf: return NS_E_INVALID_INPUT_FORMAT;
    case asf::AsfError::kBadHeader:
    case asf::AsfError::kBadObjectSize:
    case asf::AsfError::kTooManyStreams: return NS_E_INVALID_INPUT_FORMAT;
    case asf::AsfError::kTruncated:
    case asf::AsfError::kBadPacket: return NS_E_INVALID_DATA;
    case asf::AsfError::kTooLarge: return E_OUTOFMEMORY;
    case asf::AsfError::kReadFailed: return NS_E_FILE_READ;
    case asf::AsfError::kAborted: return E_ABORT;
    }
    return E_FAIL;
}

// Both readers hand out the streams' compressed samples only: decoded outputs would need
// codecs this stand-in does not have. These are their answers about output formats.
inline HRESULT NoDecodedOutput(IWMOutputMediaProps** props)
{
    if (props != nullptr) {
        *props = nullptr;
    }
    return NS_E_INVALID_OUTPUT_FORMAT;
}

inline HRESULT NoDecodedFormats(DWORD* count)
{
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

inline const WCHAR* AsWide(const std::u16string& s)
{
    return reinterpret_cast<const WCHAR*>(s.c_str());
}

inline std::u16string FromWide(const WCHAR* s)
{
    return s ? std::u16string(reinterpret_cast<const char16_t*>(s)) : std::u16string();
}

// Copies text plus terminator into a caller buffer sized in characters (the runtime's
// two-call pattern: a null buffer asks for the length).
template <typename Count>
HRESULT CopyText(const std::u16string& text, WCHAR* buffer, Count* length)
{
    if (length == nullptr) {
        return E_POINTER;
    }
    const size_t needed = text.size() + 1;
    if (buffer == nullptr) {
        *length = static_cast<Count>(needed);
        return S_OK;
    }
    if (*length < needed) {
        *length = static_cast<Count>(needed);
        return kAsfBufferTooSmall;
    }
    std::copy(text.begin(), text.end(), reinterpret_cast<char16_t*>(buffer));
    buffer[text.size()] = 0;
    *length = static_cast<Count>(needed);
    return S_OK;
}

}  // namespace orvane::wmv
