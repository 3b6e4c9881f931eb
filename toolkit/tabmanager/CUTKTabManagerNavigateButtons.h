// The strip's own buttons (the two scroll arrows and the close button) and a tab's own close
// button, nested in the tab manager.
#pragma once

#include "toolkit/tabmanager/CUTKTabManager.h"

class CUTKTabManager::CNavigateButtonArrow : public CUTKTabManagerNavigateButton {
public:
    using CUTKTabManagerNavigateButton::CUTKTabManagerNavigateButton;
    // Only an always-shown arrow is taken off the length ahead of the layout.
    void AdjustWidth(int& length) override;
    void Reposition(CRect& rect) override;

protected:
    // The enabled rule of the arrow, given the free header length at this moment.
    virtual BOOL ComputeEnabled(int freeLength) const = 0;
    virtual UINT TooltipId(BOOL horizontal) const = 0;
};

class CUTKTabManager::CNavigateButtonArrowLeft : public CUTKTabManager::CNavigateButtonArrow {
public:
    CNavigateButtonArrowLeft(CUTKTabManager* manager, int showMode);
    void DrawEntry(CDC* dc, CRect rect) override;
    void OnExecute(BOOL tick) override;

protected:
    BOOL ComputeEnabled(int freeLength) const override;
    UINT TooltipId(BOOL horizontal) const override;
};

class CUTKTabManager::CNavigateButtonArrowRight : public CUTKTabManager::CNavigateButtonArrow {
public:
    CNavigateButtonArrowRight(CUTKTabManager* manager, int showMode);
    void DrawEntry(CDC* dc, CRect rect) override;
    void OnExecute(BOOL tick) override;

protected:
    BOOL ComputeEnabled(int freeLength) const override;
    UINT TooltipId(BOOL horizontal) const override;
};

class CUTKTabManager::CNavigateButtonClose : public CUTKTabManagerNavigateButton {
public:
    CNavigateButtonClose(CUTKTabManager* manager, int showMode);
    void DrawEntry(CDC* dc, CRect rect) override;
};

class CUTKTabManager::CNavigateButtonTabClose : public CUTKTabManager::CNavigateButtonClose {
public:
    CNavigateButtonTabClose(CUTKTabManager* manager, CUTKTabManagerItem* item, int showMode);
};
