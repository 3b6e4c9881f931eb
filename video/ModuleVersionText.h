// Size, time and version texts of a module file, as the diagnostic dumps print them.
#pragma once

#include <string>
#include <vector>

// "%I64u %04i.%02i.%02i %02i:%02i:%02i.%03i UTC", or "<Err %u in %s>" naming the failed call.
std::wstring FormatFileSizeTime(const std::wstring& path);

// The company, product, file and comment lines of the version resource (each only when it
// has a text), or one error line when the resource cannot be read.
std::vector<std::wstring> ModuleVersionLines(const std::wstring& path, const wchar_t* prefix);
