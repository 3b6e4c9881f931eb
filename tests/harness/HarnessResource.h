#pragma once
#define IDD_HARNESS 100
#define IDC_HARNESS_TEXT 1001
