// Resource ids of the support library's user-interface half (dialog, icons, strip, controls).
#pragma once

#define IDD_MSGBOX_EXT 103
#define IDI_COPY_TO_CLIPBOARD 108
#define IDB_COMMAND_STRIP 139
#define IDI_COMMAND_EXTRA 140

#define IDC_MBX_ICON 1000
#define IDC_MBX_TEXT 1001
#define IDC_MBX_BUTTON1 1002
#define IDC_MBX_BUTTON2 1003
#define IDC_MBX_BUTTON3 1004
#define IDC_MBX_BUTTON4 1005
#define IDC_MBX_DETAILS 1006
#define IDC_MBX_DETAILS_TOGGLE 1007
#define IDC_MBX_CHECK 1008
#define IDC_MBX_EXTRA 1009
#define IDC_MBX_COPY 1010
