// Small readers of the Windows Media runtime's format objects: the media type of a stream
// configuration as one heap block, and the description of an audio codec format.
#pragma once

#include <windows.h>
#include <wmsdkidl.h>

// The runtime's media type followed by its format block, in one block from array new[] of
// BYTE (free with FreeMediaTypeBlob); NULL when either GetMediaType call fails.
WM_MEDIA_TYPE* GetMediaTypeBlob(IWMMediaProps* props);
void FreeMediaTypeBlob(WM_MEDIA_TYPE* blob);

// The description of one audio codec format, cut to 127 characters; FALSE with an empty
// buffer when it cannot be read.
BOOL GetAudioFormatDesc(IWMCodecInfo3* info, DWORD codec, DWORD format, wchar_t (&out)[128]);
