// ControlClassRegistry: kinds of control mapped to their run-time classes.
#include "toolkit/controls/ControlClassRegistry.h"

#include "toolkit/commandbars/CUTKCommandBar.h"
#include "toolkit/controls/CUTKControl.h"

#if __has_include("toolkit/controls/CUTKControlLabel.h")
#include "toolkit/controls/CUTKControlLabel.h"
#define UTK_HAS_LABEL 1
#endif

namespace {

CRuntimeClass* ClassOf(ControlClassRegistry::Kind kind)
{
    using K = ControlClassRegistry::Kind;
    switch (kind) {
#ifdef UTK_HAS_LABEL
    case K::Label:
        return RUNTIME_CLASS(CUTKControlLabel);
#endif
    default:
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
    auto* bar = new CUTKCommandBar();
    bar->SetType(utkBarTypePopup);
    bar->SetCommandBars(bars);
    return bar;
}

void ControlClassRegistry::AttachPopupBar(CUTKControl*, CUTKCommandBar* bar)
{
    if (bar) {
        bar->InternalRelease();
    }
}
