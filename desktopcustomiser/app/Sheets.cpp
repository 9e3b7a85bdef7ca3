#include "Sheets.h"

#include "OptionsSheets.h"

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
    case SheetKind::Options:
        return new CMyPropertySheet(pParentWnd);
    case SheetKind::ImageChanger:
    case SheetKind::DiskInfo:
    case SheetKind::Media:
    case SheetKind::WindowsConfig:
        return nullptr;
    }
    return nullptr;
}
