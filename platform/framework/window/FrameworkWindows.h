// FrameworkWindows.h: the one header for the window half of the framework (it includes the
// foundation half, Framework.h, too):
//   CCmdTarget, message maps (MessageMap.h), CCmdUI ....... command routing and update UI
//   CWnd, CWinThread, CWinApp, AfxState ..................... windows, pump, application
//   CDialog, CFileDialog, CDataExchange (DDX/DDV), CWaitCursor  dialogs
//   CDC, CPaintDC, CClientDC, CWindowDC, CGdiObject, CPen, CBrush, CFont, CBitmap, CRgn,
//   CPalette, CMenu, CImageList ............................. GDI and menus
//   CButton, CStatic, CEdit, CHeaderCtrl, CListBox, CComboBox, CListCtrl, CTreeCtrl, CSliderCtrl,
//   CSpinButtonCtrl, CHotKeyCtrl, CRichEditCtrl, CToolTipCtrl, CToolBarCtrl, CProgressCtrl,
//   CScrollBar ............................................. control wrappers
//   CNoTrackObject, CThreadLocal, CProcessLocal ............. per-thread and per-process data
#pragma once

#include "platform/framework/Framework.h"

#include "platform/framework/window/AfxState.h"
#include "platform/framework/window/AfxWinBase.h"
#include "platform/framework/window/CCmdTarget.h"
#include "platform/framework/window/CCmdUI.h"
#include "platform/framework/window/CHandleMap.h"
#include "platform/framework/window/MessageMap.h"

#include "platform/framework/window/CBitmap.h"
#include "platform/framework/window/CBrush.h"
#include "platform/framework/window/CClientDC.h"
#include "platform/framework/window/CDC.h"
#include "platform/framework/window/CFont.h"
#include "platform/framework/window/CGdiObject.h"
#include "platform/framework/window/CImageList.h"
#include "platform/framework/window/CMenu.h"
#include "platform/framework/window/CPaintDC.h"
#include "platform/framework/window/CPalette.h"
#include "platform/framework/window/CPen.h"
#include "platform/framework/window/CRgn.h"
#include "platform/framework/window/CWindowDC.h"

#include "platform/framework/window/CDataExchange.h"
#include "platform/framework/window/CDialog.h"
#include "platform/framework/window/CFileDialog.h"
#include "platform/framework/window/CWaitCursor.h"
#include "platform/framework/window/CWinApp.h"
#include "platform/framework/window/CWinThread.h"
#include "platform/framework/window/CWnd.h"

#include "platform/framework/window/CNoTrackObject.h"
#include "platform/framework/window/CProcessLocal.h"
#include "platform/framework/window/CThreadLocal.h"

#include "platform/framework/window/CButton.h"
#include "platform/framework/window/CComboBox.h"
#include "platform/framework/window/CEdit.h"
#include "platform/framework/window/CHeaderCtrl.h"
#include "platform/framework/window/CHotKeyCtrl.h"
#include "platform/framework/window/CListBox.h"
#include "platform/framework/window/CListCtrl.h"
#include "platform/framework/window/CProgressCtrl.h"
#include "platform/framework/window/CRichEditCtrl.h"
#include "platform/framework/window/CScrollBar.h"
#include "platform/framework/window/CSliderCtrl.h"
#include "platform/framework/window/CSpinButtonCtrl.h"
#include "platform/framework/window/CStatic.h"
#include "platform/framework/window/CToolBarCtrl.h"
#include "platform/framework/window/CToolTipCtrl.h"
#include "platform/framework/window/CTreeCtrl.h"
