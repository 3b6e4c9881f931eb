// Text dump of a DirectShow filter graph into a log sink: filters, pins, connections, media
// types and implementing modules, then the topology from the sources downstream, then the
// modules with their sizes, times and version texts.
#pragma once

#include <windows.h>
#include <strmif.h>

#include <string>

#include "WinNT_SP/Include_VS2005/TraceScope.h"

// The whole dump; failures become lines of it.
void DumpFilterGraph(CReleaseModeDebug* sink, IFilterGraph* graph);

// "%sMdTp=(T=.. ST=.. Fx=.. Cm=.. SSz=.. FT=.. F=(..))"; a null prefix counts as empty.
void WriteMediaTypeLine(CReleaseModeDebug* sink, const wchar_t* prefix,
                        const AM_MEDIA_TYPE* type);

// The format part of the media-type line (at most 255 characters).
std::wstring MediaTypeFormatText(const AM_MEDIA_TYPE& type);
