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

#include "Framework.h"

#include "AfxState.h"
#include "AfxWinBase.h"
#include "CCmdTarget.h"
#include "CCmdUI.h"
#include "CHandleMap.h"
#include "MessageMap.h"

#include "CBitmap.h"
#include "CBrush.h"
#include "CClientDC.h"
#include "CDC.h"
#include "CFont.h"
#include "CGdiObject.h"
#include "CImageList.h"
#include "CMenu.h"
#include "CPaintDC.h"
#include "CPalette.h"
#include "CPen.h"
#include "CRgn.h"
#include "CWindowDC.h"

#include "CDataExchange.h"
#include "CDialog.h"
#include "CFileDialog.h"
#include "CWaitCursor.h"
#include "CWinApp.h"
#include "CWinThread.h"
#include "CWnd.h"

#include "CNoTrackObject.h"
#include "CProcessLocal.h"
#include "CThreadLocal.h"

#include "CButton.h"
#include "CComboBox.h"
#include "CEdit.h"
#include "CHeaderCtrl.h"
#include "CHotKeyCtrl.h"
#include "CListBox.h"
#include "CListCtrl.h"
#include "CProgressCtrl.h"
#include "CRichEditCtrl.h"
#include "CScrollBar.h"
#include "CSliderCtrl.h"
#include "CSpinButtonCtrl.h"
#include "CStatic.h"
#include "CToolBarCtrl.h"
#include "CToolTipCtrl.h"
#include "CTreeCtrl.h"
