// Command and string ids the framework itself defines and handles.
#pragma once

#define AFX_IDS_APP_TITLE 0xE000  // 57344: the program title
#define ID_APP_ABOUT 0xE140       // 57664
#define ID_APP_EXIT 0xE141        // 57665
#define ID_HELP_INDEX 0xE142      // 57666
#define ID_HELP_FINDER 0xE143     // 57667
#define ID_HELP_USING 0xE144      // 57668
#define ID_CONTEXT_HELP 0xE145    // 57669
#define ID_HELP 0xE146            // 57670
#define ID_DEFAULT_HELP 0xE147    // 57671
#define AFX_IDP_FAILED_MEMORY_ALLOC 32816  // shown when a handler runs out of memory
#ifndef ID_WIZFINISH
#define ID_WIZFINISH 0x3025
#endif
