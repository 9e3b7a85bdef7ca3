// The property sheets the main frame opens, one of each kind at a time.
#pragma once

#include "framework/CPropertySheet.h"

enum class SheetKind { Options, ImageChanger, DiskInfo, Media, WindowsConfig };
constexpr int kSheetKinds = 5;

// A new sheet of the kind with the frame as parent; nullptr for a kind this build lacks.
CPropertySheet* CreateSheet(SheetKind kind, CWnd* pParentWnd);
