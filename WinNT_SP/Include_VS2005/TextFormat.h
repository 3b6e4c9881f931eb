// Text formatting helpers: grouped numbers, tick and seconds texts, stepped numbers, integer
// lists, the settings version and local date texts, and URLs with their password masked.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

std::wstring FormatInt64Grouped(uint64_t value);
// Writes value into "0000:60:60.000" (15 characters incl. NUL) from the right; returns the
// text from its first significant digit, never past the seconds' units digit.
const wchar_t* FormatTickTemplate(uint64_t value, wchar_t* buffer);
std::wstring FormatSecondsText(double seconds, int decimals, int minWidth);
bool ParseNumberToStep(const wchar_t* text, double step, double* out);
void ParseIntList(std::vector<int>& values, const wchar_t* text);
std::wstring FormatIntList(const std::vector<int>& values);
std::wstring FormatSettingsVersion();
std::wstring MakeAllFilesFilter(const wchar_t* filterText);
std::wstring FormatLocalDateTime(const SYSTEMTIME& time);
bool GetFileSizeAndDateText(uint64_t* size, std::wstring* dateText, std::wstring* sizeText,
                            const wchar_t* path);
// The URL with the password of its "user:password@" part replaced by "****", for every text a
// person or a log sees; the text itself when it has none.
std::wstring MaskURLPassword(const std::wstring& url);
