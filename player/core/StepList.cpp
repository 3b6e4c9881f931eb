// Step list. Unreadable settings fall back to the default list and to its first step; the
// steps are parsed with one decimal.
#include "player/core/StepList.h"

#include "WinNT_SP/Include_VS2005/Sett.h"
#include "WinNT_SP/Include_VS2005/SupportStrings.h"
#include "player/core/TimeListEditor.h"
#include "player/core/TimeText.h"

#include <algorithm>
#include <commctrl.h>

const wchar_t kDefaultStepList[] =
    L"0:00.1,0:00.2,0:00.5,0:01,0:02,0:04,0:08,0:15,0:30,1:00,2:00,4:00,8:00,15:00";

namespace {

constexpr UINT kIdsEditEntry = 59396;

std::wstring EditEntryText()
{
    const std::wstring text = LoadResText(kIdsEditEntry);
    return text.empty() ? L"Edit..." : text;
}

void SetSliderStep(const std::wstring& text)
{
    AppSettings().Item(SETT_SliderStep).SetStringValue(text.c_str());
}

void AddEditEntry(HWND combo)
{
    const std::wstring edit = EditEntryText();
    const LRESULT index =
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(edit.c_str()));
    if (index >= 0) {
        SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(-1));
    }
}

}  // namespace

void StepList::Load()
{
    Sett& s = AppSettings();
    ParseTimeList(s.Item(SETT_SliderList).GetStringValue(), &m_steps, 1);
    if (m_steps.empty()) {
        ParseTimeList(kDefaultStepList, &m_steps, 1);
    }
    std::wstring step = s.Item(SETT_SliderStep).GetStringValue();
    if (!step.empty()) {
        if (step.back() == L's') {
            step.pop_back();
        } else if (step.back() == L'm') {
            step.pop_back();
            step += L":00";
        }
        SetSliderStep(step);
    }
    const int index = GetStepIndex();
    m_currentStep = std::max(0.1, ParseTimeText(m_steps[index].c_str(), 1) / 1000.0);
}

int StepList::GetStepIndex()
{
    if (m_steps.empty()) {
        ParseTimeList(kDefaultStepList, &m_steps, 1);
    }
    const int wanted = ParseTimeText(AppSettings().Item(SETT_SliderStep).GetStringValue(), 1);
    for (size_t i = 0; i < m_steps.size(); ++i) {
        if (wanted >= 0 && ParseTimeText(m_steps[i].c_str(), 1) == wanted) {
            return static_cast<int>(i);
        }
    }
    SetSliderStep(FormatTimeText(ParseTimeText(m_steps[0].c_str(), 1)));
    return 0;
}

void StepList::FillComboBox(HWND combo)
{
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const std::wstring& step : m_steps) {
        const std::wstring shortText = FormatShortTimeText(step.c_str());
        const LRESULT index =
            SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shortText.c_str()));
        if (index >= 0) {
            SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(index),
                         ParseTimeText(step.c_str(), 1));
        }
    }
    AddEditEntry(combo);
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(GetStepIndex()), 0);
}

void StepList::OnComboSelChange(HWND combo, BOOL forceEdit)
{
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    const LRESULT selected = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (forceEdit || selected == count - 1) {
        Edit(combo, GetParent(combo));
        return;
    }
    const int ms = static_cast<int>(SendMessageW(combo, CB_GETITEMDATA, selected, 0));
    m_currentStep = ms / 1000.0;
    SetSliderStep(FormatTimeText(ms));
}

void StepList::SelectStep(HWND combo, int ms)
{
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    LRESULT found = -1;
    for (LRESULT i = 0; i + 1 < count; ++i) {
        if (SendMessageW(combo, CB_GETITEMDATA, i, 0) == ms) {
            found = i;
            break;
        }
    }
    if (found < 0) {
        found = 0;
        SetSliderStep(FormatTimeText(static_cast<int>(SendMessageW(combo, CB_GETITEMDATA, 0, 0))));
    }
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
    const int data = static_cast<int>(SendMessageW(combo, CB_GETITEMDATA, found, 0));
    m_currentStep = std::max(0.1, data / 1000.0);
}

void StepList::Edit(HWND combo, HWND parent)
{
    const std::wstring remembered = AppSettings().Item(SETT_SliderStep).GetStringValue();
    std::wstring text;
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    if (TimeListEditor::Edit(combo, static_cast<int>(count - 1), kDefaultStepList, FALSE, FALSE,
                             1, &text, parent) == IDOK) {
        std::vector<std::wstring> items;
        ParseTimeList(text.c_str(), &items, 1);
        std::wstring joined;
        for (const std::wstring& item : items) {
            joined += (joined.empty() ? L"" : L",") + item;
        }
        AppSettings().Item(SETT_SliderList).SetStringValue(joined.c_str());
        FillTimeCombo(combo, joined.c_str());
        AddEditEntry(combo);
        // The step commands use this list too: it follows the edited one at once.
        ParseTimeList(joined.c_str(), &m_steps, 1);
        if (m_steps.empty()) {
            ParseTimeList(kDefaultStepList, &m_steps, 1);
        }
    }
    SelectStep(combo, ParseTimeText(remembered.c_str(), 1));
}

StepList& TheStepList()
{
    static StepList list;
    return list;
}

void LoadStepList() { TheStepList().Load(); }
int GetStepIndex() { return TheStepList().GetStepIndex(); }
void FillStepComboBox(HWND combo) { TheStepList().FillComboBox(combo); }
void OnStepComboSelChange(HWND combo, BOOL forceEdit)
{
    TheStepList().OnComboSelChange(combo, forceEdit);
}
void SelectStep(HWND combo, int ms) { TheStepList().SelectStep(combo, ms); }
void EditStepList(HWND combo, HWND parent) { TheStepList().Edit(combo, parent); }
