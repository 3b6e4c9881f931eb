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

#include "platform/framework/frame/AfxDocApp.h"
#include "platform/framework/frame/AfxFrameDefs.h"
#include "platform/framework/frame/CCreateContext.h"
#include "platform/framework/frame/CControlBar.h"
#include "platform/framework/frame/CDocManager.h"
#include "platform/framework/frame/CDocTemplate.h"
#include "platform/framework/frame/CDocument.h"
#include "platform/framework/frame/CFormView.h"
#include "platform/framework/frame/CFrameWnd.h"
#include "platform/framework/frame/CMDIChildWnd.h"
#include "platform/framework/frame/CMDIFrameWnd.h"
#include "platform/framework/frame/CMiniFrameWnd.h"
#include "platform/framework/frame/COleDataObject.h"
#include "platform/framework/frame/COleDropTarget.h"
#include "platform/framework/frame/CRecentFileList.h"
#include "platform/framework/frame/CScrollView.h"
#include "platform/framework/frame/CSingleDocTemplate.h"
#include "platform/framework/frame/CStatusBar.h"
#include "platform/framework/frame/CToolBar.h"
#include "platform/framework/frame/CToolCmdUI.h"
#include "platform/framework/frame/CView.h"
