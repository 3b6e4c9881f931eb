// The modal editor of the list of playback speeds (dialog 175): one speed per line, a button
// restoring the default list, and a check of every line on OK that points at the first bad one.
#pragma once

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"
#include "player/core/ListEditCheck.h"

#include <string>
#include <vector>

constexpr UINT IDD_SPEED_LIST_EDITOR = 175;
constexpr UINT IDC_SPEED_LIST_EDIT = 2291;
constexpr UINT IDC_SPEED_LIST_NOTE = 2292;
constexpr UINT IDC_LIST_RESTORE_DEFAULTS = 1578;
constexpr UINT IDC_LIST_HELP = 3;  // the dialogs' Help button

class SpeedListEditor : public CDialog {
public:
    explicit SpeedListEditor(const wchar_t* listText, CWnd* parent = nullptr);

    // The stored form of the edited list after OK; the empty text otherwise.
    static std::wstring Edit(const wchar_t* listText, HWND parent);
    static ListEditCheck Check(const std::vector<std::wstring>& lines);
    // The edit's text for a list text: one "%g" line per speed, 1 included.
    static std::wstring EditTextOf(const wchar_t* listText);

    std::wstring m_listText;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnRestoreDefaults();
    DECLARE_MESSAGE_MAP()

private:
    void FillEdit(const wchar_t* listText);
};

// Lines of an edit control, each read whole and terminated.
std::vector<std::wstring> ReadEditLines(HWND edit);
// Puts the caret or a selection in a line of the edit, focuses it and shows the check's message.
void ShowListEditProblem(HWND dialog, HWND edit, const ListEditCheck& check);
