#include "Sheets.h"

CPropertySheet* CreateSheet(SheetKind kind, CWnd*)
{
    // The sheets join here as they are written.
    switch (kind) {
    case SheetKind::Options:
    case SheetKind::ImageChanger:
    case SheetKind::DiskInfo:
    case SheetKind::Media:
    case SheetKind::WindowsConfig:
        return nullptr;
    }
    return nullptr;
}
