// Window and dialog helpers over plain window handles: placement texts ("WndPls"), moving by
// offsets, class tests, tooltips for dialog children, list-view selection, spin buddies,
// the UI font, the sound control panel, and small system actions.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <propsys.h>

#include <string>

// "%u,%u,%s,%i,%i,%i,%i": screen size, "M"/"m", normal left, top, width, height.
std::wstring GetWindowPlacementText(HWND window);
// Applies a text saved at the current screen size; the window is left hidden (maximised
// afterwards for "M"). FALSE when the text does not apply.
BOOL SetWindowPlacementText(HWND window, const wchar_t* text);

void MoveWindowBy(HWND window, int dx, int dy, int dw, int dh);
bool IsWindowOfClass(HWND window, const wchar_t* className);
void FormatWindowText(HWND window, const wchar_t* argument);
// The network status message the player posts to its main frame; defined here, below the
// player, because DiscardQueuedStatusMessages removes it from the queue.
constexpr UINT WM_APP_NET_STATUS = WM_APP + 7;
void DiscardQueuedStatusMessages(HWND window);
BOOL SetThreadPriorityAboveNormal(int high);
HRESULT GetPropertyStoreString(IPropertyStore* store, const PROPERTYKEY& key, wchar_t** out);

// A 9-point font of face and weight; ClearType when the "ClearTypeFonts" setting is 1.
HFONT CreateUiFont(const wchar_t* face, int weight);
// The first visible child at the point (dialog client coordinates), as the framework fills
// tool infos for child windows; -1 when there is none.
INT_PTR ToolHitTestChildAt(HWND dialog, TOOLINFOW* info, POINT point);
void ListCtrlSelectOnly(HWND list, int index);
void ListCtrlClearSelection(HWND list);
// (spin id, digits) pairs ended by 0.
void FitSpinBuddyWidths(HWND dialog, ...);
// Size of a dialog template in pixels, {0, 0} when the resource is missing.
SIZE GetDialogTemplateSize(HINSTANCE instance, const wchar_t* resource);

constexpr wchar_t kMainWindowClass[] = L"OrvanePresentationPlayerWndClass";
// Registers the main window class with the framework's window procedure (the caller passes
// it, so this library does not depend on the window half of the framework).
BOOL RegisterMainWindowClass(HICON icon, WNDPROC frameworkWindowProc);

// The sound settings: the control panel applet, shown with a message on failure.
BOOL OpenSoundControlPanel(HWND dialog);
// FormatMessageW over "%1"-style inserts; throws the framework's resource exception.
std::wstring FormatMessageString(const wchar_t* format, ...);

// The system version test of the player core (NT platform, major version 6 or later).
BOOL IsWindowsVistaOrLater();
