// Time list editor. Both "," and "." are decimal marks in a line; the stored list separates its
// times with ",", so every accepted line is written with ".".
#include "player/core/TimeListEditor.h"

#include "WinNT_SP/Include_VS2005/Sett.h"
#include "player/core/SpeedListEditor.h"
#include "WinNT_SP/Include_VS2005/SupportStrings.h"
#include "player/core/TimeText.h"

#include <algorithm>
#include <commctrl.h>

namespace {

std::wstring ResFormat(UINT id, const wchar_t* fallback)
{
    const std::wstring text = LoadResText(id);
    return text.empty() ? fallback : text;
}

ListEditCheck LineError(int line, const std::wstring& text, int selStart = 0, int selEnd = 0)
{
    ListEditCheck check;
    check.ok = false;
    check.line = line;
    check.selStart = selStart;
    check.selEnd = selEnd;
    check.messageId = 109;
    check.message = FormatNewString(
        ResFormat(109, L"The line number %i (\"%s\") contains an invalid time value.").c_str(),
        line + 1, text.c_str());
    return check;
}

}  // namespace

BEGIN_MESSAGE_MAP(TimeListEditor, CDialog)
    ON_BN_CLICKED(IDC_LIST_RESTORE_DEFAULTS, OnRestoreDefaults)
    ON_BN_CLICKED(IDC_LIST_HELP, OnHelp)
    ON_BN_CLICKED(IDC_TIME_LIST_SORT, OnSort)
END_MESSAGE_MAP()

TimeListEditor::TimeListEditor(CWnd* parent) : CDialog(IDD_TIME_LIST_EDITOR, parent) {}

ListEditCheck TimeListEditor::Check(const std::vector<std::wstring>& lines, int decimals,
                                    BOOL allowZero, BOOL allowEmpty)
{
    std::wstring result;
    std::vector<int> lineNumbers;
    for (size_t i = 0; i < lines.size(); ++i) {
        const int index = static_cast<int>(i);
        const std::wstring& raw = lines[i];
        if (raw.empty()) {
            continue;
        }
        if (raw.size() >= static_cast<size_t>(kEditorLineChars)) {
            return LineError(index, raw.substr(0, kEditorLineChars) + L"...");
        }
        std::wstring line = raw;
        std::replace(line.begin(), line.end(), L',', L'.');
        const size_t dot = line.find(L'.');
        std::wstring fraction = dot == std::wstring::npos ? L"" : line.substr(dot + 1);
        fraction.erase(fraction.find_last_not_of(L" \t") + 1);
        const size_t first = line.find_first_not_of(L" \t");
        if (first == std::wstring::npos) {
            continue;
        }
        const std::wstring trimmed = line.substr(first, line.find_last_not_of(L" \t") - first + 1);
        if (static_cast<int>(fraction.size()) > decimals) {
            const int from = static_cast<int>(dot) + 1 + decimals;
            return LineError(index, raw, from, static_cast<int>(dot + 1 + fraction.size()));
        }
        const int ms = ParseTimeText(trimmed.c_str(), decimals);
        if (ms < 0 || (ms == 0 && !allowZero)) {
            return LineError(index, raw);
        }
        result += trimmed + L",";
        lineNumbers.push_back(index);
    }
    if (!result.empty()) {
        result.pop_back();
    }
    ListEditCheck check;
    if (lineNumbers.empty() && !allowEmpty) {
        check.ok = false;
        check.messageId = 59394;
        check.message = ResFormat(59394, L"Time list cannot be empty.");
        return check;
    }
    std::vector<std::wstring> items;
    ParseTimeList(result.c_str(), &items, decimals);
    for (size_t a = 0; a < items.size(); ++a) {
        for (size_t b = a + 1; b < items.size(); ++b) {
            if (ParseTimeText(items[a].c_str(), decimals) ==
                    ParseTimeText(items[b].c_str(), decimals) &&
                b < lineNumbers.size()) {
                check.ok = false;
                check.line = lineNumbers[b];
                check.messageId = 59395;
                check.message = FormatNewString(
                    ResFormat(59395, L"Line numbers %i and %i contain equal time values.").c_str(),
                    lineNumbers[a] + 1, lineNumbers[b] + 1);
                return check;
            }
        }
    }
    check.result = result;
    return check;
}

std::wstring TimeListEditor::EditTextOf(const wchar_t* listText, int decimals, bool sort)
{
    std::vector<std::wstring> items;
    ParseTimeList(listText, &items, decimals);
    if (sort) {
        SortTimeList(&items, decimals);
    }
    std::wstring text;
    for (const std::wstring& item : items) {
        text += item + L"\r\n";
    }
    return text;
}

INT_PTR TimeListEditor::Edit(HWND combo, int count, const wchar_t* defaultList, BOOL allowZero,
                             BOOL allowEmpty, int decimals, std::wstring* listText, HWND parent)
{
    TimeListEditor dialog(parent ? CWnd::FromHandle(parent) : nullptr);
    dialog.m_defaultList = defaultList ? defaultList : L"";
    dialog.m_allowZero = allowZero;
    dialog.m_allowEmpty = allowEmpty;
    dialog.m_decimals = decimals;
    std::vector<std::wstring> items;
    if (!dialog.m_defaultList.empty()) {
        ParseTimeList(AppSettings().Item(SETT_SliderList).GetStringValue(), &items, decimals);
        if (items.empty()) {
            ParseTimeList(defaultList, &items, decimals);
        }
    } else {
        for (int i = 0; combo && i < count; ++i) {
            const LRESULT length = ::SendMessageW(combo, CB_GETLBTEXTLEN, i, 0);
            if (length < 0) {
                break;
            }
            std::wstring text(static_cast<size_t>(length) + 1, L'\0');
            ::SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
            text.resize(static_cast<size_t>(length));
            const int ms = ParseTimeText(text.c_str(), decimals);
            if (allowZero ? ms >= 0 : ms > 0) {
                items.push_back(text);
            }
        }
    }
    for (const std::wstring& item : items) {
        dialog.m_listText += item + L",";
    }
    if (!dialog.m_listText.empty()) {
        dialog.m_listText.pop_back();
    }
    const INT_PTR result = dialog.DoModal();
    *listText = dialog.m_listText;
    return result;
}

BOOL TimeListEditor::OnInitDialog()
{
    CDialog::OnInitDialog();
    std::wstring format = LoadResText(106);
    if (format.empty()) {
        format = L"HH:MM:SS.D";
    }
    if (m_decimals > 1 && !format.empty()) {
        format.append(static_cast<size_t>(m_decimals - 1), format.back());
    }
    wchar_t note[512] = {};
    ::GetDlgItemTextW(m_hWnd, IDC_TIME_LIST_NOTE, note, 511);
    ::SetDlgItemTextW(m_hWnd, IDC_TIME_LIST_NOTE, FormatNewString(note, format.c_str()).c_str());
    if (m_defaultList.empty()) {
        ::ShowWindow(::GetDlgItem(m_hWnd, IDC_LIST_RESTORE_DEFAULTS), SW_HIDE);
    }
    ::SendDlgItemMessageW(m_hWnd, IDC_TIME_LIST_EDIT, EM_LIMITTEXT, 1000, 0);
    FillEdit(m_listText.c_str(), false);
    return FALSE;
}

void TimeListEditor::FillEdit(const wchar_t* listText, bool sort)
{
    HWND edit = ::GetDlgItem(m_hWnd, IDC_TIME_LIST_EDIT);
    ::SetWindowTextW(edit, EditTextOf(listText, m_decimals, sort).c_str());
    ::PostMessageW(edit, EM_SETSEL, static_cast<WPARAM>(-1), 0);
    ::SetFocus(edit);
}

void TimeListEditor::OnRestoreDefaults() { FillEdit(m_defaultList.c_str(), false); }

void TimeListEditor::OnSort()
{
    HWND edit = ::GetDlgItem(m_hWnd, IDC_TIME_LIST_EDIT);
    const ListEditCheck check = Check(ReadEditLines(edit), m_decimals, m_allowZero, m_allowEmpty);
    if (!check.ok) {
        ShowListEditProblem(m_hWnd, edit, check);
        return;
    }
    FillEdit(check.result.c_str(), true);
}

void TimeListEditor::OnOK()
{
    HWND edit = ::GetDlgItem(m_hWnd, IDC_TIME_LIST_EDIT);
    const ListEditCheck check = Check(ReadEditLines(edit), m_decimals, m_allowZero, m_allowEmpty);
    if (!check.ok) {
        ShowListEditProblem(m_hWnd, edit, check);
        return;
    }
    m_listText = check.result;
    CDialog::OnOK();
}
