// Texts of the support library's string-table ids. A text in the program's resources wins; the
// built-in copy keeps the library usable from tests and tools that carry no string table.
#pragma once

#include <string>

constexpr wchar_t kProductName[] = L"Orvane Presentation Player";

enum SupportStringId : unsigned {
    IDS_MIXER_NOT_FOUND = 56,
    IDS_CREATE_LOG_FILE_FAILED = 154,
    IDS_UNKNOWN_ERROR = 158,
    IDS_XML_NODE_FAILED = 168,
    IDS_SETTINGS_INVALID = 169,
    IDS_SETTINGS_RESTORE_BACKUP = 170,
    IDS_SETTINGS_BACKUP_INVALID = 171,
    IDS_SETTINGS_USE_DEFAULTS = 172,
    IDS_DELETE_FILE_FAILED = 173,
    IDS_SYSTEM_ERROR = 174,
    IDS_ACCESS_DENIED_HINT = 175,
    IDS_CREATE_FOLDER_FAILED = 176,
    IDS_BAD_REGISTRY_FORMAT = 177,
    IDS_DLL_LOAD_FAILED = 178,
    IDS_XML_PARSE_LINE = 180,
    IDS_XML_PARSE = 181,
    IDS_ALL_FILES = 61442,
};

std::wstring LoadResText(unsigned id);

// printf-style formatting into a new string; %s takes a wide string (MS semantics).
std::wstring FormatNewString(const wchar_t* format, ...);
std::wstring FormatResString(unsigned id, ...);
