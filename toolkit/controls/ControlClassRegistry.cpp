// ControlClassRegistry: kinds of control mapped to their run-time classes.
#include "toolkit/controls/ControlClassRegistry.h"

#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/commandbars/CUTKPopupBar.h"
#include "toolkit/controls/CUTKControl.h"

#include "toolkit/controls/CUTKControlButton.h"
#include "toolkit/controls/CUTKControlCheckBox.h"
#include "toolkit/controls/CUTKControlCustom.h"
#include "toolkit/controls/CUTKControlLabel.h"
#include "toolkit/controls/CUTKControlOleItems.h"
#include "toolkit/controls/CUTKControlPopup.h"
#include "toolkit/controls/CUTKControlRadioButton.h"
#include "toolkit/controls/CUTKControlRecentFileList.h"
#include "toolkit/controls/CUTKControlToolbars.h"
#include "toolkit/controls/CUTKControlWindowList.h"
#include "toolkit/controls/CUTKControlWorkspaceActions.h"

namespace {

CRuntimeClass* ClassOf(ControlClassRegistry::Kind kind)
{
    using K = ControlClassRegistry::Kind;
    switch (kind) {
    case K::Button: return RUNTIME_CLASS(CUTKControlButton);
    case K::Popup: return RUNTIME_CLASS(CUTKControlPopup);
    case K::Custom: return RUNTIME_CLASS(CUTKControlCustom);
    case K::Label: return RUNTIME_CLASS(CUTKControlLabel);
    case K::CheckBox: return RUNTIME_CLASS(CUTKControlCheckBox);
    case K::RadioButton: return RUNTIME_CLASS(CUTKControlRadioButton);
    case K::WindowList: return RUNTIME_CLASS(CUTKControlWindowList);
    case K::WorkspaceActions: return RUNTIME_CLASS(CUTKControlWorkspaceActions);
    case K::ToolbarList: return RUNTIME_CLASS(CUTKControlToolbars);
    case K::RecentFileList: return RUNTIME_CLASS(CUTKControlRecentFileList);
    case K::OleItems: return RUNTIME_CLASS(CUTKControlOleItems);
    default:
        // Classes not built yet (combo box, edit, gallery) are found by name once linked in.
        return CRuntimeClass::FromName(ControlClassRegistry::ClassName(kind));
    }
}

// The kind to try when a class is not there (yet): placeholders are buttons, buttons and the
// rest fall back to the plain control.
ControlClassRegistry::Kind FallbackOf(ControlClassRegistry::Kind kind)
{
    using K = ControlClassRegistry::Kind;
    switch (kind) {
    case K::WindowList:
    case K::WorkspaceActions:
    case K::ToolbarList:
    case K::RecentFileList:
    case K::OleItems:
        return K::Button;
    default:
        return K::None;
    }
}

}  // namespace

const char* ControlClassRegistry::ClassName(Kind kind)
{
    switch (kind) {
    case Kind::Button: return "CUTKControlButton";
    case Kind::Popup: return "CUTKControlPopup";
    case Kind::ComboBox: return "CUTKControlComboBox";
    case Kind::Edit: return "CUTKControlEdit";
    case Kind::Custom: return "CUTKControlCustom";
    case Kind::Label: return "CUTKControlLabel";
    case Kind::CheckBox: return "CUTKControlCheckBox";
    case Kind::Gallery: return "CUTKControlGallery";
    case Kind::RadioButton: return "CUTKControlRadioButton";
    case Kind::WindowList: return "CUTKControlWindowList";
    case Kind::WorkspaceActions: return "CUTKControlWorkspaceActions";
    case Kind::ToolbarList: return "CUTKControlToolbars";
    case Kind::RecentFileList: return "CUTKControlRecentFileList";
    case Kind::OleItems: return "CUTKControlOleItems";
    default: return "";
    }
}

CUTKControl* ControlClassRegistry::Create(Kind kind)
{
    for (Kind k = kind; k != Kind::None; k = FallbackOf(k)) {
        if (CRuntimeClass* cls = ClassOf(k)) {
            if (!cls->IsDerivedFrom(RUNTIME_CLASS(CUTKControl))) {
                continue;
            }
            return static_cast<CUTKControl*>(cls->CreateObject());
        }
    }
    // Nothing of the kind is linked in: a plain control stands for it.
    return kind == Kind::None ? nullptr : new CUTKControl();
}

BOOL ControlClassRegistry::IsCommandBar(CObject* object)
{
    return object && object->IsKindOf(RUNTIME_CLASS(CUTKCommandBar));
}

CUTKCommandBar* ControlClassRegistry::CreatePopupBar(CUTKCommandBars* bars)
{
    return CUTKPopupBar::CreatePopupBar(bars);
}

void ControlClassRegistry::AttachPopupBar(CUTKControl* control, CUTKCommandBar* bar)
{
    if (auto* popup = dynamic_cast<CUTKControlPopup*>(control)) {
        popup->SetCommandBar(bar);  // takes its own reference
    }
    if (bar) {
        bar->InternalRelease();
    }
}
