// Readable names of the GUIDs of DirectShow and Windows Media media types for diagnostics.
#pragma once

#include <windows.h>

// The table's name, "WavFmt#%i" for a wave-format GUID outside the table, else the GUID's
// 35-character text written into the buffer.
const wchar_t* RMD_FilterGraph_GuidName(const GUID& guid, wchar_t (&buffer)[36]);
int GuidNameTableSize();
