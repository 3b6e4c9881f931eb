// Every message box of the player goes through TracedMessageBox: it logs "Mess:" and "Answ:"
// lines and shows the extended message box through a presenter. With the environment variable
// ORVANE_MSGBOX_ANSWER set (to a button id), boxes answer at once without a window.
#pragma once

#include <windows.h>

#include <string>

constexpr UINT MBX_SHOW_LOG = 0x40000000;  // attach the recent log as details
constexpr UINT MBX_NO_LOG = 0x20000000;    // attach no details, even to an OK box

// Box flags of the extended message box.
constexpr UINT MBXF_NO_CLIENT_EDGE = 1;
constexpr UINT MBXF_COPY_BUTTON = 4;

// What this layer hands to the extended message box besides caption, text and style.
struct MSGBOX_OPTIONS {
    HWND owner;
    DWORD helpId;
};

// Shows the box; returns the pressed button's id, or -1 when no box could be created.
class IMessageBoxPresenter {
public:
    virtual int Show(const wchar_t* caption, const wchar_t* text, UINT style, UINT boxFlags,
                     const wchar_t* details, const MSGBOX_OPTIONS& options) = 0;

protected:
    ~IMessageBoxPresenter() = default;
};

// The extended message box registers itself here; null restores the plain system box.
void SetMessageBoxPresenter(IMessageBoxPresenter* presenter);

int TracedMessageBox(UINT style, const wchar_t* text, HWND owner, DWORD helpId);
int AppMessageBox(const wchar_t* text);
// The application object's message-box hook; the framework's help id is not passed on.
int DoAppMessageBox(const wchar_t* text, UINT style, UINT helpId);
void ShowSystemErrorMessage(DWORD code, const wchar_t* functionName);
int ShowStringMessage(HWND dialog, UINT stringId);
int DialogMessageBox(HWND dialog, const wchar_t* text, UINT style);
const wchar_t* MessageBoxAnswerName(int result);
