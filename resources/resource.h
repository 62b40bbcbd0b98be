// Resource and control ids of the plug-in, shared by plugin.rc and the C++ code.
// Plain #defines only: the resource compiler reads this file too.
#ifndef ZOR_RESOURCES_RESOURCE_H
#define ZOR_RESOURCES_RESOURCE_H

// Dialog templates.
#define IDD_CONFIG 101
#define IDD_HELP 106
#define IDD_GETPATH 134
#define IDD_EDITOR 2000
#define IDD_ONLINE_SEARCH 2010
#define IDD_PUBLISH 2020

// Toolbar button icons, drawn at 16 x 16.
#define IDI_REFRESH 1401
#define IDI_TIME_TAGS 1403
#define IDI_TEXT_EDITOR 1404
#define IDI_HELP 1405
#define IDI_SONG_INFO 1406
#define IDI_CONFIG 1407
#define IDI_SAVE 1408

// Bitmaps: the 220 x 50 logo and the folder tree's image strip.
#define IDB_LOGO 110
#define IDB_FOLDER_TREE 135
#define FOLDER_TREE_IMAGE_WIDTH 17
#define FOLDER_TREE_MASK_COLOUR 0xFFFFFF

// The key help text: raw Windows-1252 bytes with CR LF line ends and no terminating zero,
// stored under the HTML resource type.
#define IDR_HELP_TEXT 111
#define HELP_TEXT_TYPE 23
#define HELP_TEXT_SIZE 948

// Help dialog (IDD_HELP).
#define IDC_HELP_TEXT 1031

// Text editor dialog (IDD_EDITOR); OK is "Save in MP3".
#define IDC_EDITOR_TEXT 1025
#define IDC_SAVE_AS_LRC 2001

// Online search dialog (IDD_ONLINE_SEARCH); IDOK is "Search", IDCANCEL "Close".
#define IDC_SEARCH_ARTIST 2011
#define IDC_SEARCH_TITLE 2012
#define IDC_SEARCH_ALBUM 2013
#define IDC_SEARCH_RESULTS 2014
#define IDC_SEARCH_PREVIEW 2015
#define IDC_SEARCH_STATUS 2016
#define IDC_SEARCH_USE 2017

// Publish confirmation (IDD_PUBLISH); IDOK is "Publish", IDCANCEL "Cancel".
#define IDC_PUBLISH_ARTIST 2021
#define IDC_PUBLISH_TITLE 2022
#define IDC_PUBLISH_ALBUM 2023
#define IDC_PUBLISH_DURATION 2024
#define IDC_PUBLISH_COUNT 2025
#define IDC_PUBLISH_PREVIEW 2026
#define IDC_PUBLISH_PUBLIC 2027
#define IDC_PUBLISH_STATUS 2028

// Configuration dialog (IDD_CONFIG).
#define IDC_CENTER_HIGHLIGHT 1002
#define IDC_SHOW_OSCILOSCOPE 1003
#define IDC_SHOW_MENU 1004
#define IDC_ABOUT_TEXT 1005
#define IDC_SETUP_GROUP 1006
#define IDC_ADJUST_WIDTH 1007
#define IDC_SHOW_CENTERED 1008
#define IDC_SHOW_VSCROLL 1009
#define IDC_MOVE_BAR 1010
#define IDC_PRECISE_TIMING 1060
#define IDC_LATENCY_MS 1061
#define IDC_DETECT_CODE_PAGE 1062
#define IDC_SAME_TIME_LINES 1063
#define IDC_ONLINE_LYRICS 1064
#define IDC_ALTERNATIVE_PATH 1027
#define IDC_BROWSE_PATH 1028
#define IDC_CODE_PAGE 1029
#define IDC_SWATCH_BKCOLOR 1300
#define IDC_SWATCH_TXTCOLOR 1301
#define IDC_SWATCH_HLCOLOR 1302
#define IDC_SWATCH_HLTXTCOLOR 1303
#define IDC_SWATCH_OSCBKCOLOR 1304
#define IDC_SWATCH_OSCCOLOR 1305
#define IDC_SWATCH_BKWINDOWCOLOR 1306
#define IDC_FONT_SUMMARY 1308

// Folder browser dialog (IDD_GETPATH).
#define IDC_FOLDER_TREE 1501
#define IDC_FOLDER_PATH 1516

#endif
