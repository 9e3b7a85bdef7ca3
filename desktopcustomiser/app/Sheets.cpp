#include "Sheets.h"

#include "imagesheet/RandomizeSheet.h"

CPropertySheet* CreateSheet(SheetKind kind, CWnd* pParentWnd)
{
    // The sheets join here as they are written.
    switch (kind) {
    case SheetKind::ImageChanger:
        return new CRandomizeSheet(pParentWnd);
    case SheetKind::Options:
    case SheetKind::DiskInfo:
    case SheetKind::Media:
    case SheetKind::WindowsConfig:
        return nullptr;
    }
    return nullptr;
}
