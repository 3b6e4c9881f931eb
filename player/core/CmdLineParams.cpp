// Parsing of the command line: the arguments are joined into one line again (quoting those with
// blanks or quotes), split with the program's list splitter, and checked item by item.
#include "player/core/CmdLineParams.h"

#include "WinNT_SP/Include_VS2005/ListText.h"
#include "WinNT_SP/Include_VS2005/MessageBoxLayer.h"
#include "player/core/PlayerResource.h"
#include "WinNT_SP/Include_VS2005/SupportStrings.h"

#include <shellapi.h>
#include <stdlib.h>

namespace {

constexpr int kMaxItems = 32;
constexpr size_t kMaxItemChars = 1024;

std::wstring RebuildLine(int argc, const wchar_t* const* argv)
{
    std::wstring line;
    for (int i = 1; i < argc; ++i) {
        const wchar_t* arg = argv[i] ? argv[i] : L"";
        if (i > 1) {
            line += L' ';
        }
        if (wcspbrk(arg, L" \"") != nullptr) {
            wchar_t doubled[2 * kMaxItemChars + 4];
            DoubleQuoteChars(doubled, sizeof doubled / sizeof doubled[0], arg);
            line += L'"';
            line += doubled;
            line += L'"';
        } else {
            line += arg;
        }
    }
    return line;
}

}  // namespace

BOOL CmdLineParams::Parse(int argc, const wchar_t* const* argv, std::wstring* errorText)
{
    const std::wstring line = RebuildLine(argc, argv);
    if (line.empty()) {
        return TRUE;
    }
    ListTextItem items[kMaxItems];
    const int count = SplitListText(line.c_str(), L' ', L'"', kMaxItems, items);
    bool valid = count <= kMaxItems;
    for (int i = 0; valid && i < count; ++i) {
        const ListTextItem& item = items[i];
        if (item.quoteState != 0 && item.quoteState != 1) {
            valid = false;
            break;
        }
        if (item.length == 0 || item.length > kMaxItemChars) {
            valid = false;
            break;
        }
        const std::wstring text(item.start, item.length);
        if (text[0] == L'/' || text[0] == L'-') {
            const wchar_t* name = text.c_str() + 1;
            if (_wcsicmp(name, L"InPlayer") == 0) {
                inPlayer = TRUE;
            } else if (_wcsicmp(name, L"P") == 0 || _wcsicmp(name, L"Play") == 0) {
                if (mode == kOpenAndPlay) {
                    valid = false;
                } else {
                    mode = kOpenAndPlay;
                }
            } else {
                valid = false;
            }
        } else if (!path.empty()) {
            valid = false;
        } else {
            if (mode == kNothing) {
                mode = kOpen;
            }
            path = text;
        }
    }
    if (valid && mode == kOpenAndPlay && path.empty()) {
        valid = false;
    }
    if (!valid && errorText) {
        *errorText = LoadResText(IDS_BAD_COMMAND_LINE) + L"\"" + line + L"\".";
    }
    return valid ? TRUE : FALSE;
}

CmdLineParams& TheCmdLine()
{
    static CmdLineParams params;
    return params;
}

BOOL ParseCommandLine()
{
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv) {
        return TRUE;
    }
    std::wstring error;
    const BOOL ok = TheCmdLine().Parse(argc, argv, &error);
    LocalFree(argv);
    if (!ok) {
        AppMessageBox(error.c_str());
    }
    return ok;
}
