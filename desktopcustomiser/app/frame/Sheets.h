// The property sheets the main frame opens, one of each kind at a time.
#pragma once

#include "framework/CPropertySheet.h"

#include <functional>

enum class SheetKind { Options, ImageChanger, DiskInfo, Media, WindowsConfig };
constexpr int kSheetKinds = 5;

// A new sheet of the kind with the frame as parent; nullptr for a kind this build lacks.
CPropertySheet* CreateSheet(SheetKind kind, CWnd* pParentWnd);

// The seam for tests: while a factory is set, CreateSheet asks it instead (it may build the
// real sheet or a fake one). An empty factory restores the program's own sheets.
using SheetFactory = std::function<CPropertySheet*(SheetKind, CWnd*)>;
void SetSheetFactory(SheetFactory factory);
