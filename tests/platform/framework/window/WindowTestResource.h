// Resource ids of the window tests' dialogs.
#pragma once

#define IDD_DDX_TEST 100
#define IDD_PARENT_TEST 101
#define IDD_CHILD_TEST 102
#define IDC_NAME 1000
#define IDC_CHECK 1001
#define IDC_RADIO1 1002
#define IDC_RADIO2 1003
#define IDC_RADIO3 1004
#define IDC_COMBO 1005
#define IDC_NUMBER 1006
#define IDC_AFTER_GROUP 1007
#define IDC_CHILD_EDIT 1010
#define IDC_CHILD_BUTTON 1011
#define IDC_PARENT_LABEL 1012
