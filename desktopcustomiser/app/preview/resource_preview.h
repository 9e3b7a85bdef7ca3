// Resource ids of the image preview windows.
#pragma once

#define IDR_PREVIEW 176               // template string, menu, toolbar and hot images
#define IDB_PREVIEW_NORMAL 205        // the flat toolbar's normal images
#define IDC_PREVIEW_SIZENS 30981      // the strip's sizing cursor, when the module has one

#define ID_PREVIEW_OPEN 32779
#define ID_PREVIEW_CLOSE 32805
#define ID_PREVIEW_FIT 32806
#define ID_PREVIEW_ZOOMIN 32807
#define ID_PREVIEW_ZOOMOUT 32808
#define ID_PREVIEW_NORMAL 32809

#define IDS_PREVIEW_LOAD_FAILED 58054
#define IDS_PREVIEW_UNREADABLE 58061
#define AFX_IDP_FAILED_TO_CREATE_DOC 61700
