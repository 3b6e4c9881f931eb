// String-table texts of the support library's dialogs and controls. A text in the program's
// resources wins; the built-in copy serves tests and tools without a string table.
#pragma once

#include <string>

enum UiStringId : unsigned {
    IDS_LEVEL_DB = 148,
    IDS_LINK_OPEN_FAILED = 274,
    IDS_HOME_PAGE_URL = 282,
    IDS_CLIPBOARD_BUSY = 59421,
    IDS_MB_OK = 59901,
    IDS_MB_CANCEL = 59902,
    IDS_MB_IGNORE = 59903,
    IDS_MB_RETRY = 59904,
    IDS_MB_YES = 59905,
    IDS_MB_NO = 59906,
    IDS_MB_ABORT = 59907,
    IDS_MB_COPY_MESSAGE = 59908,
    IDS_MB_COPY_DETAILS = 59909,
    IDS_MB_HELP = 59910,
    IDS_MB_HELP_SENTENCE = 59911,
};

std::wstring LoadUiText(unsigned id);
