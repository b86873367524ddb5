// Numbers of the plug-in's own resources and of the controls in its dialog templates.
// Included by the resource script, so plain macros only.
#pragma once

#define IDD_BROWSER 2001
#define IDD_NEW_ADDRESS 2002
#define IDD_PASSWORD 2003
#define IDD_CONSOLE 2004

#define IDB_BUTTON_FRAME0 500 // frames 500 to 506
#define IDB_BUTTON_HOVER 507
#define IDB_TITLE_ICON 2005
#define IDB_PADLOCK 3001
#define IDB_CATEGORY_BADGE 3002

#define IDC_PING_COMBO 10000
#define IDC_REFRESH 10001
#define IDC_SERVER_LIST 10002
#define IDC_PLAYER_LIST 10003
#define IDC_REGION_TREE 10004
#define IDC_SETTINGS 10007
#define IDC_ACTION 10008
#define IDC_PING_LABEL 10009
#define IDC_TABS 10010

// Commands of the browser's context menus.
#define IDM_JOIN 2304
#define IDM_ADD_FAVOURITE 2305
#define IDM_ADD_ADDRESS 2306
#define IDM_REMOVE_FAVOURITE 2307
#define IDM_REMOTE_CONSOLE 2308

#define IDC_ADDRESS_EDIT 10100
#define IDC_PASSWORD_EDIT 10200

#define IDC_CONSOLE_OUTPUT 10300
#define IDC_CONSOLE_INPUT 10301
#define IDC_CONSOLE_SEND 10302
#define IDC_CONSOLE_CLOSE 10303
