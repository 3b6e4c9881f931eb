// ControlClassRegistry: the control classes the factory makes, found by kind. The classes
// built here are named directly (so a static link keeps them); the others are looked up by
// run-time class name, and a class that is not linked in gives a plain control instead.
#pragma once

#include <windows.h>

class CObject;
class CUTKCommandBar;
class CUTKCommandBars;
class CUTKControl;

class ControlClassRegistry {
public:
    enum class Kind {
        None,
        Button,
        Popup,
        ComboBox,
        Edit,
        Custom,
        Label,
        CheckBox,
        Gallery,
        RadioButton,
        WindowList,
        WorkspaceActions,
        ToolbarList,
        RecentFileList,
        OleItems,
    };

    // A new control of the kind (one reference for the caller), or null.
    static CUTKControl* Create(Kind kind);
    // The run-time class name of a kind.
    static const char* ClassName(Kind kind);
    // TRUE when the object is a command bar by its run-time class.
    static BOOL IsCommandBar(CObject* object);
    // A new empty popup bar of the command bars (one reference for the caller).
    static CUTKCommandBar* CreatePopupBar(CUTKCommandBars* bars);
    // Gives a popup control its bar, with the creation reference; a control that holds no bar
    // gives the reference back.
    static void AttachPopupBar(CUTKControl* control, CUTKCommandBar* bar);
};
