// The main frame's message protocol: what pages, threads and tray icons send it.
#pragma once

#include <windows.h>

#define WM_TRAYNOTIFY (WM_USER)            // wParam tray icon id, lParam mouse message
#define WM_SETTINGSCHANGED (WM_USER + 1)   // wParam dialog for SCF_MODALDIALOG, lParam flags
#define WM_OPENIMAGECHANGER (WM_USER + 2)
#define WM_OPENMUSICCONFIG (WM_USER + 3)
#define WM_RELOADCORNER (WM_USER + 1)      // thread message to the corner thread
#define WM_PLAYERCOMMAND (WM_USER + 3)     // to the music player: 0 stop, 1 start, 2 next

// WM_SETTINGSCHANGED flags, handled in this order.
#define SCF_USERTRAYICONS 0x1
#define SCF_TRAYMENU 0x10
#define SCF_SCREENSAVERCORNER 0x100
#define SCF_DISPLAYICON 0x1000
#define SCF_MUSICRESTART 0x10000
#define SCF_MUSICSTOP 0x100000
#define SCF_AUTORANDOMIZE 0x1000000
#define SCF_MODALDIALOG 0x10000000

#define TRAYID_PROGRAM 130     // the program's own tray icon
#define TRAYID_USERICON 1228   // every user tray icon
#define TIMERID_AUTORANDOMIZE 1000
#define TIMERID_TRAYRETRY 1001
