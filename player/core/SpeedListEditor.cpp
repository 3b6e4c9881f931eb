// Speed list editor. Lines are read with their length and terminated here: the edit control
// does not terminate the text it copies.
#include "player/core/SpeedListEditor.h"

#include "WinNT_SP/Include_VS2005/MessageBoxLayer.h"
#include "player/core/SpeedPlay.h"
#include "WinNT_SP/Include_VS2005/SupportStrings.h"
#include "WinNT_SP/Include_VS2005/TextFormat.h"

#include <algorithm>

namespace {

std::wstring ResFormat(UINT id, const wchar_t* fallback)
{
    const std::wstring text = LoadResText(id);
    return text.empty() ? fallback : text;
}

std::wstring LineText(const std::wstring& line)
{
    return line.substr(0, kEditorLineChars) + L"...";
}

}  // namespace

std::vector<std::wstring> ReadEditLines(HWND edit)
{
    std::vector<std::wstring> lines;
    for (LRESULT i = 0; i < SendMessageW(edit, EM_GETLINECOUNT, 0, 0); ++i) {
        const LRESULT start = SendMessageW(edit, EM_LINEINDEX, static_cast<WPARAM>(i), 0);
        const LRESULT length = SendMessageW(edit, EM_LINELENGTH, static_cast<WPARAM>(start), 0);
        std::vector<wchar_t> buffer(static_cast<size_t>(std::max<LRESULT>(length, 1)) + 1, 0);
        *reinterpret_cast<WORD*>(buffer.data()) = static_cast<WORD>(buffer.size() - 1);
        const LRESULT copied = SendMessageW(edit, EM_GETLINE, static_cast<WPARAM>(i),
                                            reinterpret_cast<LPARAM>(buffer.data()));
        const size_t n = static_cast<size_t>(std::clamp<LRESULT>(copied, 0, length));
        lines.emplace_back(buffer.data(), n);
    }
    return lines;
}

void ShowListEditProblem(HWND dialog, HWND edit, const ListEditCheck& check)
{
    int start = 0;
    int end = 0;
    if (check.line >= 0) {
        const int base = static_cast<int>(SendMessageW(edit, EM_LINEINDEX, check.line, 0));
        start = base + check.selStart;
        end = base + check.selEnd;
    }
    SendMessageW(edit, EM_SETSEL, start, end);
    SendMessageW(edit, EM_SCROLLCARET, 0, 0);
    SetFocus(edit);
    DialogMessageBox(dialog, check.message.c_str(), MB_OK | MBX_NO_LOG);
}

BEGIN_MESSAGE_MAP(SpeedListEditor, CDialog)
    ON_BN_CLICKED(IDC_LIST_RESTORE_DEFAULTS, OnRestoreDefaults)
    ON_BN_CLICKED(IDC_LIST_HELP, OnHelp)
END_MESSAGE_MAP()

SpeedListEditor::SpeedListEditor(const wchar_t* listText, CWnd* parent)
    : CDialog(IDD_SPEED_LIST_EDITOR, parent), m_listText(listText ? listText : L"")
{
}

std::wstring SpeedListEditor::Edit(const wchar_t* listText, HWND parent)
{
    SpeedListEditor dialog(listText, parent ? CWnd::FromHandle(parent) : nullptr);
    return dialog.DoModal() == IDOK ? dialog.m_listText : std::wstring();
}

std::wstring SpeedListEditor::EditTextOf(const wchar_t* listText)
{
    double values[kMaxSpeeds];
    int normal = 0;
    const int count = ParseSpeedList(listText, values, &normal);
    std::wstring text;
    for (int i = 0; i < count; ++i) {
        text += FormatNewString(L"%g\r\n", values[i]);
    }
    return text;
}

ListEditCheck SpeedListEditor::Check(const std::vector<std::wstring>& lines)
{
    ListEditCheck check;
    std::vector<double> collected;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::wstring& line = lines[i];
        if (line.empty()) {
            continue;
        }
        double v = 0;
        if (line.size() >= static_cast<size_t>(kEditorLineChars) ||
            !ParseNumberToStep(line.c_str(), kSpeedGridStep, &v) || !IsInSpeedRange(v)) {
            check.ok = false;
            check.line = static_cast<int>(i);
            check.messageId = 229;
            check.message = FormatNewString(
                ResFormat(229, L"Line number %i (\"%s\") contains an invalid speed value.").c_str(),
                static_cast<int>(i + 1), LineText(line).c_str());
            return check;
        }
        if (v == 1.0 || std::find(collected.begin(), collected.end(), v) != collected.end()) {
            continue;
        }
        if (collected.size() == static_cast<size_t>(kMaxStoredSpeeds)) {
            check.ok = false;
            check.line = static_cast<int>(i);
            check.messageId = 227;
            check.message = FormatNewString(
                ResFormat(227, L"The list of speeds cannot contain more than %i values.").c_str(),
                kMaxStoredSpeeds);
            return check;
        }
        collected.push_back(v);
    }
    check.result = FormatSpeedList(collected.data(), static_cast<int>(collected.size()));
    double values[kMaxSpeeds];
    int normal = 0;
    const int count = ParseSpeedList(check.result.c_str(), values, &normal);
    if (!IsUsableSpeedList(values, count)) {
        check.ok = false;
        check.line = 0;
        check.messageId = 228;
        check.message = ResFormat(228, L"The list of speeds must contain at least one speed that "
                                       L"is less than 1.0 and at least one speed that is greater "
                                       L"than 1.0.");
    }
    return check;
}

BOOL SpeedListEditor::OnInitDialog()
{
    CDialog::OnInitDialog();
    wchar_t format[512] = {};
    ::GetDlgItemTextW(m_hWnd, IDC_SPEED_LIST_NOTE, format, 511);
    ::SetDlgItemTextW(m_hWnd, IDC_SPEED_LIST_NOTE,
                      FormatNewString(format, kMinSpeed, kMaxSpeed).c_str());
    ::SendDlgItemMessageW(m_hWnd, IDC_SPEED_LIST_EDIT, EM_LIMITTEXT, 1000, 0);
    FillEdit(m_listText.c_str());
    return FALSE;
}

void SpeedListEditor::FillEdit(const wchar_t* listText)
{
    HWND edit = ::GetDlgItem(m_hWnd, IDC_SPEED_LIST_EDIT);
    ::SetWindowTextW(edit, EditTextOf(listText).c_str());
    ::PostMessageW(edit, EM_SETSEL, static_cast<WPARAM>(-1), 0);
    ::SetFocus(edit);
}

void SpeedListEditor::OnRestoreDefaults()
{
    double values[kMaxSpeeds];
    int normal = 0;
    const int count = SetDefaultSpeedList(values, &normal);
    FillEdit(FormatSpeedList(values, count).c_str());
}

void SpeedListEditor::OnOK()
{
    HWND edit = ::GetDlgItem(m_hWnd, IDC_SPEED_LIST_EDIT);
    const ListEditCheck check = Check(ReadEditLines(edit));
    if (check.ok || check.messageId == 228) {
        m_listText = check.result;
    }
    if (!check.ok) {
        ShowListEditProblem(m_hWnd, edit, check);
        return;
    }
    CDialog::OnOK();
}
