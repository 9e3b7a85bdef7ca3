#include "Sheets.h"

#include "DiskInfoSheet.h"
#include "MediaSheet.h"
#include "OptionsSheets.h"
#include "WindowsConfigSheet.h"
#include "RandomizeSheet.h"

namespace {
SheetFactory& Factory()
{
    static SheetFactory factory;
    return factory;
}
}  // namespace

void SetSheetFactory(SheetFactory factory)
{
    Factory() = std::move(factory);
}

CPropertySheet* CreateSheet(SheetKind kind, CWnd* pParentWnd)
{
    if (Factory())
        return Factory()(kind, pParentWnd);
    // The sheets join here as they are written.
    switch (kind) {
    case SheetKind::ImageChanger:
        return new CRandomizeSheet(pParentWnd);
    case SheetKind::DiskInfo:
        return new CDiskInfoSheet(pParentWnd);
    case SheetKind::Options:
        return new CMyPropertySheet(pParentWnd);
    case SheetKind::Media:
        return new CMediaSheet(pParentWnd);
    case SheetKind::WindowsConfig:
        return new CWindowsConfigSheet(pParentWnd);
    }
    return nullptr;
}
