#include "Sheets.h"

#include "DiskInfoSheet.h"

CPropertySheet* CreateSheet(SheetKind kind, CWnd* pParentWnd)
{
    // The sheets join here as they are written.
    switch (kind) {
    case SheetKind::DiskInfo:
        return new CDiskInfoSheet(pParentWnd);
    case SheetKind::Options:
    case SheetKind::ImageChanger:
    case SheetKind::Media:
    case SheetKind::WindowsConfig:
        return nullptr;
    }
    return nullptr;
}
