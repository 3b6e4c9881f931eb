// A caption owner for the tests: a tabbed container (or side panel, or mini frame) with a
// title, a set of caption buttons and a pane whose enabled bits the test chooses.
#pragma once

#include <windows.h>

#include "toolkit/dockingpane/CUTKDockingPaneCaptionButton.h"
#include "toolkit/dockingpane/DockingCaptionOwner.h"

#include <memory>
#include <set>
#include <vector>

namespace orvane::test {

class TestCaptionOwner : public DockingCaptionOwner {
public:
    explicit TestCaptionOwner(std::vector<int> ids = {CUTKDockingPaneCaptionButton::idClose,
                                                      CUTKDockingPaneCaptionButton::idAutoHide,
                                                      CUTKDockingPaneCaptionButton::idMaximize})
    {
        for (int id : ids) {
            m_owned.push_back(std::make_unique<CUTKDockingPaneCaptionButton>(id, this));
            m_buttons.push_back(m_owned.back().get());
        }
    }

    int GetOwnerType() const override { return m_type; }
    BOOL IsActive() const override { return m_active; }
    HWND GetOwnerWindow() const override { return m_window; }
    CRect GetOwnerClientRect() const override { return m_client; }
    CString GetTitle() const override { return m_title; }
    std::vector<CUTKDockingPaneCaptionButton*>* GetCaptionButtons() override { return &m_buttons; }
    BOOL IsCaptionButtonVisible(const CUTKDockingPaneCaptionButton* button) const override
    {
        return m_hidden.count(button->GetID()) == 0;
    }
    BOOL GetCaptionPaneEnabled(int* bits) const override
    {
        *bits = m_paneBits;
        return m_hasPane;
    }
    BOOL IsCaptionVisible() const override { return TRUE; }
    BOOL IsCaptionVertical() const override { return m_vertical; }
    int GetDockedSide() const override { return m_side; }

    int m_type = typeTabbedContainer;
    BOOL m_active = TRUE;
    HWND m_window = nullptr;
    CRect m_client{0, 0, 200, 100};
    CString m_title{L"Pane"};
    BOOL m_hasPane = TRUE;
    int m_paneBits = paneEnabled | paneActionsEnabled;
    BOOL m_vertical = FALSE;
    int m_side = 0;
    std::set<int> m_hidden;
    std::vector<std::unique_ptr<CUTKDockingPaneCaptionButton>> m_owned;
    std::vector<CUTKDockingPaneCaptionButton*> m_buttons;
};

}  // namespace orvane::test
