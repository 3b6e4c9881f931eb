// The edit menu's object item: replaces the item at a menu position with the verbs of an OLE
// client item: a greyed "&Object" without verbs, one "<verb> <type> &Object" item for a single
// verb, else a "<type> &Object" popup with one item per verb.
#pragma once

#include <windows.h>

#include "platform/framework/Framework.h"
#include "platform/framework/window/FrameworkWindows.h"

class COleClientItem;

void AfxOleSetEditMenu(COleClientItem* pClient, CMenu* pMenu, UINT iMenuItem, UINT nIDVerbMin,
                       UINT nIDVerbMax = 0, UINT nIDConvert = 0);
