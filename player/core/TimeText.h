// Time texts of the step and jump lists: "H:MM:SS" with up to three decimals ("," or "." as
// the decimal mark), their short display form ("15s", "2m") and lists of them. These are the
// few pieces of the shell's time helpers that the step list and its editor need.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

constexpr int kMaxTimeMs = 359999900;
constexpr int kMaxTimeListItems = 50;

// Milliseconds, or -1 for an invalid text, too many decimals or a time beyond 99:59:59.9.
int ParseTimeText(const wchar_t* text, int decimals);
std::wstring FormatTimeText(int ms);
// "%ih", "%im", "%is" or "%i.%1is" when one unit alone is non-zero; the text itself otherwise;
// empty for an invalid text.
std::wstring FormatShortTimeText(const wchar_t* text);
void ParseTimeList(const wchar_t* text, std::vector<std::wstring>* items, int decimals);
void SortTimeList(std::vector<std::wstring>* items, int decimals);
// Empties the combo box and adds each valid item (1 decimal) in short form with its
// milliseconds as item data.
void FillTimeCombo(HWND combo, const wchar_t* listText);
