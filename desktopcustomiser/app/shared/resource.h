// Resource ids of tunewright: pictures, menus, dialogs, controls, commands and strings.
#pragma once

// Icons and pictures
#define IDR_MAINFRAME 128         // program icon
#define IDI_TRAYICON 130          // the program's tray icon (and its tip string)
#define IDI_USERTRAYICON 165      // user tray icon without an icon of its own
#define IDB_SPLASH 138            // picture of the splash and About boxes
#define IDB_SHEETBACKGROUND 143   // sheet background, resource type 300
#define IDB_SHEETCORNER 144       // sheet corner picture, resource type 300
#define IDB_TABICONS 156          // one 14 x 14 picture per tab caption index, on RGB(0,128,128)
#define RT_SHEETBITMAP 300

// Menus
#define IDR_TRAYMENU 130
#define IDR_USERTRAYMENU 162

// Dialogs and controls
#define IDD_ABOUTBOX 100
#define IDD_SPLASH 160
#define IDC_SPLASH_STATUS 1015
#define IDC_ABOUT_BIRTHDAY 1045
#define IDC_ABOUT_HOMEPAGE 1119

// Tray menu commands
#define ID_CHANGE_WALLPAPER 32772
#define ID_CHANGE_STARTUP 32773
#define ID_OPTIONS 32774
#define ID_CHANGE_ALL 32775
#define ID_CHANGE_SAFESHUTDOWN 32776
#define ID_CHANGE_WAITSHUTDOWN 32777
#define ID_ACTIVATE_SCREENSAVER 32804
#define ID_BITMAP_BROWSER 32810
#define ID_CONFIGURE_IMAGECHANGER 32819
#define ID_DISK_INFO 32820
#define ID_CONFIGURE_MUSIC 32823
#define ID_MUSIC_START 32827
#define ID_MUSIC_STOP 32829
#define ID_WINDOWS_CONFIGURATION 32832
#define ID_REBUILD_ICONS 32834
#define ID_README 32835
#define ID_TUNEWRIGHT_HELP 32840
#define ID_TRAYICON_NONE 32841

// User tray icon menu commands
#define ID_USERICON_OPEN 32796
#define ID_USERICON_OPENMAX 32797
#define ID_USERICON_OPENMIN 32798

// Strings
#define IDS_INSTALL_CAPTION 126
#define IDS_TRAYTIP 130
#define IDS_MEMORY_ERROR 32816
#define IDS_NO_REGISTRY_ENTRY 32820
#define IDS_OPEN_PROGRAM 57947
#define IDS_NOT_NT 57949
#define IDS_NEEDS_WIN95 57950
#define IDS_STATUS_INITIALIZING 57951
#define IDS_STATUS_CONFIGURE 57952
#define IDS_STATUS_REGISTRY 57953
#define IDS_STATUS_TRAYICONS 57954
#define IDS_STATUS_RANDOMIZING 57955
#define IDS_STATUS_DOCUMENTS 57956
#define IDS_STATUS_MUSIC 57957
#define IDS_STATUS_COMPLETE 57958
#define IDS_EXIT_WITH_SHEETS 58031
#define IDS_TIMER_ERROR 58032
#define IDS_SETUP_WHILE_RUNNING 58062
#define IDS_ALREADY_RUNNING 58065
#define IDS_HOMEPAGE_ADDRESS 57665
#include "resource_options.h"
#include "resource_diskinfo.h"
#include "resource_winconfig.h"
#include "resource_imagesheet.h"
#include "resource_preview.h"
#include "resource_music.h"
#include "resource_filetypes.h"
#include "resource_install.h"
