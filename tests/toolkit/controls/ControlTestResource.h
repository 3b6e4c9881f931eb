// Resource ids of the control tests: strings split into their parts, and menus to import.
#pragma once

#define IDS_ONE_PART 1001
#define IDS_TWO_PARTS 1002
#define IDS_EMPTY_CAPTION_PART 1003
#define IDS_FOUR_PARTS 1004
#define IDS_TOOLKIT_COMMAND 9150
#define IDR_IMPORT_MENU 200
#define IDR_POPUP_MENU 300
#define ID_MENU_OPEN 1010
#define ID_MENU_RECENT_ONE 1011
#define ID_MENU_DEFAULT 1012
#define ID_MENU_SITE_REPLACED 1013
#define ID_TOOLS_FIRST 1020
