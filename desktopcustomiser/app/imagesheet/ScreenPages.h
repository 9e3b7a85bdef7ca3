// The startup, wait-to-shutdown and safe-to-shutdown screen pages of the image changer sheet:
// one template over the shared list page, entries added and replaced through the image file
// chooser.
#pragma once

#include "ImageListPage.h"

class CScreenPage : public CImageListPage {
public:
    using CImageListPage::CImageListPage;

protected:
    void EditItem(int row) override;
};

class CStartupScreenPage : public CScreenPage {
public:
    CStartupScreenPage();
};

class CShutDownWait : public CScreenPage {
public:
    CShutDownWait();
};

class CShutDownSafe : public CScreenPage {
public:
    CShutDownSafe();
};
