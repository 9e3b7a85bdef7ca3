#include "Sheets.h"

#include "DiskInfoSheet.h"
#include "MediaSheet.h"
#include "WindowsConfigSheet.h"
#include "imagesheet/RandomizeSheet.h"

CPropertySheet* CreateSheet(SheetKind kind, CWnd* pParentWnd)
{
    // The sheets join here as they are written.
    switch (kind) {
    case SheetKind::ImageChanger:
        return new CRandomizeSheet(pParentWnd);
    case SheetKind::DiskInfo:
        return new CDiskInfoSheet(pParentWnd);
    case SheetKind::Media:
        return new CMediaSheet(pParentWnd);
    case SheetKind::Options:
        return nullptr;
    case SheetKind::WindowsConfig:
        return new CWindowsConfigSheet(pParentWnd);
    }
    return nullptr;
}
