// CUTKControlActions: the command bars' actions, one per command id, kept sorted by id and
// found by binary search. The collection holds one reference to each action; removing all
// unbinds every bound control first, so no control keeps a pointer to a freed action.
#pragma once

#include <windows.h>

#include "platform/framework/Framework.h"
#include "platform/framework/CArray.h"
#include "platform/framework/window/FrameworkWindows.h"

class CUTKControlAction;
class CUTKCommandBars;

class CUTKControlActions : public CCmdTarget {
    DECLARE_DYNAMIC(CUTKControlActions)

public:
    // Command ids an action may have.
    static constexpr int kMinId = 1;
    static constexpr int kMaxId = 0xFFFFFFE;

    explicit CUTKControlActions(CUTKCommandBars* commandBars);
    ~CUTKControlActions() override;

    // The action of the id, or null (always null outside 1..0xFFFFFFE).
    CUTKControlAction* FindAction(int id) const;
    // The action of the id, created (texts from the id's string resource) when missing; null
    // for an id outside 1..0xFFFFFFE.
    CUTKControlAction* Add(int id);
    void RemoveAll();

    int GetCount() const { return static_cast<int>(m_actions.GetSize()); }
    // Throws the framework's invalid-argument exception outside the array.
    CUTKControlAction* GetAt(int index) const;

    CUTKCommandBars* GetCommandBars() const { return m_commandBars; }

private:
    void Insert(CUTKControlAction* action);

    CArray<CUTKControlAction*, CUTKControlAction*> m_actions;  // sorted by id; owned
    CUTKCommandBars* m_commandBars = nullptr;
};
