// The view's item-selection query: a plain view selects nothing; views that show embedded
// items override it.
#include "platform/framework/frame/CView.h"

BOOL CView::IsSelected(const CObject* /*pDocItem*/) const { return FALSE; }
