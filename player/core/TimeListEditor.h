// The modal editor of a list of times (dialog 152): one H:MM:SS time per line with a given
// number of decimals, sorting, restoring a default list, and a check of every line on OK that
// points at (or selects the bad digits of) the first bad line.
#pragma once

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"
#include "player/core/ListEditCheck.h"

#include <string>
#include <vector>

constexpr UINT IDD_TIME_LIST_EDITOR = 152;
constexpr UINT IDC_TIME_LIST_EDIT = 1577;
constexpr UINT IDC_TIME_LIST_SORT = 1579;
constexpr UINT IDC_TIME_LIST_NOTE = 2094;

class TimeListEditor : public CDialog {
public:
    TimeListEditor(CWnd* parent = nullptr);

    // Builds the initial text from "SliderList" (with a default list) or from the combo box's
    // first count items, runs the dialog and stores its list text into listText.
    static INT_PTR Edit(HWND combo, int count, const wchar_t* defaultList, BOOL allowZero,
                        BOOL allowEmpty, int decimals, std::wstring* listText, HWND parent);
    static ListEditCheck Check(const std::vector<std::wstring>& lines, int decimals,
                               BOOL allowZero, BOOL allowEmpty);
    static std::wstring EditTextOf(const wchar_t* listText, int decimals, bool sort);

    std::wstring m_defaultList;
    std::wstring m_listText;
    BOOL m_allowZero = FALSE;
    BOOL m_allowEmpty = FALSE;
    int m_decimals = -1;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnRestoreDefaults();
    void OnSort();
    DECLARE_MESSAGE_MAP()

private:
    void FillEdit(const wchar_t* listText, bool sort);
};
