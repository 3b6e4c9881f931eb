// A template's control set: its strings come from the application's document template whose
// resource id is the menu id.
#include "toolkit/commandbars/CUTKMenuBarMDIMenuInfo.h"

#include "platform/framework/frame/CDocManager.h"
#include "platform/framework/frame/CDocTemplate.h"
#include "platform/framework/window/CWinApp.h"
#include "toolkit/controls/CUTKControls.h"

CUTKMenuBarMDIMenuInfo::CUTKMenuBarMDIMenuInfo(CUTKCommandBars* pCommandBars, UINT nIDMenu)
    : m_nIDMenu(nIDMenu)
{
    m_pControls = new CUTKControls;
    m_pControls->SetCommandBars(pCommandBars);
    m_hIcon = ::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIDMenu));
    CWinApp* app = AfxGetApp();
    CDocManager* docs = app != nullptr ? app->m_pDocManager : nullptr;
    if (docs == nullptr) {
        return;
    }
    for (POSITION pos = docs->GetFirstDocTemplatePosition(); pos != nullptr;) {
        CDocTemplate* docTemplate = docs->GetNextDocTemplate(pos);
        if (docTemplate != nullptr && docTemplate->m_nIDResource == nIDMenu) {
            docTemplate->GetDocString(m_strTitle, CDocTemplate::docName);
            docTemplate->GetDocString(m_strDescription, CDocTemplate::regFileTypeName);
            break;
        }
    }
}

CUTKMenuBarMDIMenuInfo::~CUTKMenuBarMDIMenuInfo()
{
    if (m_pControls != nullptr) {
        m_pControls->InternalRelease();
    }
}
