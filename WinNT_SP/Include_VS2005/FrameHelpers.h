// Helpers over the framework's frame, view, dialog and control classes: the frame size that
// gives a view a wanted client size, the file dialog that survives a bad start-up file name,
// and framework-object forms of the UI font and list-view selection helpers.
#pragma once

#include "platform/framework/frame/FrameworkFrame.h"

class CListCtrl;

// The outer size the view's parent frame needs so that the view's client area becomes
// requestedClient: the view's own non-client part (its styles) plus what the frame's borders
// and bars take now. {0x7FFF, 0x7FFF} when there is no view or no frame.
CSize FitFrameToViewSize(const CView* view, CSize requestedClient);

// Runs the dialog starting in the folder of its current file name (the current folder when it
// has none) unless the caller set an initial folder. A dialog refused for an invalid file name
// is run once more from the current folder with no name. The caller's initial folder is
// restored afterwards.
INT_PTR DoModalFileDialogSafe(CFileDialog& dialog);

// The 9-point UI font into a framework font object; FALSE when it could not be made.
BOOL CreateUiFont(CFont& font, const wchar_t* face, int weight);
void ListCtrlSelectOnly(CListCtrl& list, int index);
void ListCtrlClearSelection(CListCtrl& list);
