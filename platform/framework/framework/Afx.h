// Everything of the application framework in one include.
#pragma once

#include "framework/CDataExchange.h"
#include "framework/CDialog.h"
#include "framework/CFrameWnd.h"
#include "framework/CImageList.h"
#include "framework/CMenu.h"
#include "framework/CPropertySheet.h"
#include "framework/CString.h"
#include "framework/CWinApp.h"
#include "framework/CWinThread.h"
#include "framework/CWnd.h"
#include "framework/Controls.h"
#include "framework/FrameworkIds.h"
