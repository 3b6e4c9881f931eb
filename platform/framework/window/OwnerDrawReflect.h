// Reflected owner-draw messages handed to a control's own overridables (DrawItem, MeasureItem,
// CompareItem, DeleteItem), shared by the button, list box and combo box wrappers.
#pragma once

#include <windows.h>

// TRUE when the message was an owner-draw message and went to the control; *pResult is then
// the compare result for WM_COMPAREITEM and TRUE otherwise. FALSE for any other message.
template <class Control>
BOOL ReflectOwnerDraw(Control& control, UINT message, LPARAM lParam, LRESULT* pResult)
{
    LRESULT result = TRUE;
    switch (message) {
    case WM_DRAWITEM:
        control.DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        break;
    case WM_MEASUREITEM:
        control.MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        break;
    case WM_COMPAREITEM:
        result = control.CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
        break;
    case WM_DELETEITEM:
        control.DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam));
        break;
    default:
        return FALSE;
    }
    if (pResult != nullptr) {
        *pResult = result;
    }
    return TRUE;
}
