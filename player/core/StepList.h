// The process-wide list of position steps ("SliderList") and the current step ("SliderStep"):
// loading with the migration of older step texts, the shell's step combo box, and the editing
// of the list, after which the process-wide list is loaded again so that it matches the combo.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

extern const wchar_t kDefaultStepList[];

class StepList {
public:
    void Load();
    int GetStepIndex();
    void FillComboBox(HWND combo);
    void OnComboSelChange(HWND combo, BOOL forceEdit);
    void SelectStep(HWND combo, int ms);
    void Edit(HWND combo, HWND parent);

    const std::vector<std::wstring>& Steps() const { return m_steps; }
    double CurrentStep() const { return m_currentStep; }

private:
    std::vector<std::wstring> m_steps;
    double m_currentStep = 0.1;
};

StepList& TheStepList();
void LoadStepList();
int GetStepIndex();
void FillStepComboBox(HWND combo);
void OnStepComboSelChange(HWND combo, BOOL forceEdit);
void SelectStep(HWND combo, int ms);
void EditStepList(HWND combo, HWND parent);
