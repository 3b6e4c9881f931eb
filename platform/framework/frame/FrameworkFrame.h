// FrameworkFrame.h: the one header for frames, documents and views (it includes the window
// half, FrameworkWindows.h, too):
//   CFrameWnd, CMiniFrameWnd, CCreateContext ............... frames
//   CMDIFrameWnd, CMDIChildWnd ............................. class tests only (no MDI)
//   CView, CScrollView, CFormView .......................... views
//   CDocument, CDocTemplate, CSingleDocTemplate, CDocManager  documents and templates
//   AfxApp* functions ..................................... the application's document side
//   CControlBar, CToolBar, CToolCmdUI, CStatusBar ........... control bars
//   CRecentFileList ........................................ recent files
//   COleDropTarget, COleDataObject ......................... drag and drop
// The framework's own strings are in FrameworkFrame.rc, which a program's resource script
// includes.
#pragma once

#include "AfxDocApp.h"
#include "AfxFrameDefs.h"
#include "CCreateContext.h"
#include "CControlBar.h"
#include "CDocManager.h"
#include "CDocTemplate.h"
#include "CDocument.h"
#include "CFormView.h"
#include "CFrameWnd.h"
#include "CMDIChildWnd.h"
#include "CMDIFrameWnd.h"
#include "CMiniFrameWnd.h"
#include "COleDataObject.h"
#include "COleDropTarget.h"
#include "CRecentFileList.h"
#include "CScrollView.h"
#include "CSingleDocTemplate.h"
#include "CStatusBar.h"
#include "CToolBar.h"
#include "CToolCmdUI.h"
#include "CView.h"
