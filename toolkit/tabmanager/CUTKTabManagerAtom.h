// The root interface of everything a tab paint manager can be attached to: the paint manager
// tells each attached atom when one of its options changes.
#pragma once

class CUTKTabManagerAtom {
public:
    CUTKTabManagerAtom() = default;
    CUTKTabManagerAtom(const CUTKTabManagerAtom&) = delete;
    CUTKTabManagerAtom& operator=(const CUTKTabManagerAtom&) = delete;

    // An option of the paint manager changed: lay the strip out again.
    virtual void OnPropertyChanged() { Reposition(); }
    // The host re-lays out the strip (through the paint manager) and redraws it.
    virtual void Reposition() = 0;
    virtual ~CUTKTabManagerAtom() = default;
};
