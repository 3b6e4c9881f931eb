// Resource ids of the display's dialogs and controls.
#pragma once

#define IDD_PLAY_SETTINGS 198
#define IDC_VIDEO_RENDERER 1196
#define IDC_CAMERA_MONITOR 1197
#define IDC_SCREEN_MONITOR 1198
#define IDC_SETTINGS_HINT 1200
#define IDC_HINT_GROUP 1210
#define IDC_MONITOR_GROUP 1211
#define IDD_FULL_SCREEN 208
