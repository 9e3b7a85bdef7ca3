// The main window: the installed fonts, each drawn in its own face followed by the sample
// string, with the menus that open every other window. The settings store lives here.
#pragma once

#include <string>

#include "Form.h"
#include "ListBox.h"
#include "Menu.h"
#include "StatusBar.h"
#include "core/settings.h"
#include "reports/report_printer.h"
#include "win32/registry_settings.h"

namespace glyphwell {

class TfGlyphwell : public forms::Form {
public:
    explicit TfGlyphwell(forms::Component* owner);

    // The stored settings (the key is always the program's own).
    std::string ReadSetting(const std::string& key, const std::string& name, const std::string& fallback);
    void WriteSetting(const std::string& key, const std::string& name, const std::string& value);
    std::string ReadSetting(const SettingSpec& spec) { return ReadSetting(kSettingsKey, spec.name, spec.fallback); }
    int ReadNumber(const SettingSpec& spec);
    void WriteSetting(const SettingSpec& spec, const std::string& value) { WriteSetting(kSettingsKey, spec.name, value); }
    SettingsStore& Store() { return store_; }

    void LoadFontList();
    void ShowReportPreview(reports::ReportPrinter& printer);
    // The selected font's name; empty when the list is empty or nothing is selected.
    std::string SelectedFontName() const;
    bool PrinterMissing() const { return printerMissing_; }

    std::string SampleString;

    forms::ListBox* LB1;
    forms::StatusBar* StatusBar1;
    forms::MainMenu* MainMenu1;
    forms::PopupMenu* PopupMenu1;
    forms::MenuItem* WholeCharacterSet1;  // File > "Entire Character Set"

    void FormCreate(forms::Component* sender);
    void FormShow(forms::Component* sender);
    void FormClose(forms::Component* sender, forms::CloseAction& action);
    void LB1Click(forms::Component* sender);
    void LB1DblClick(forms::Component* sender);
    void LB1DrawItem(forms::Component* sender, int index, HDC dc, const RECT& rect, unsigned state);
    void CharacterSet1Click(forms::Component* sender);
    void ResetCharacterSet1Click(forms::Component* sender);
    void CloseCharacterSet1Click(forms::Component* sender);
    void WholeCharacterSet2Click(forms::Component* sender);
    void CompareCharacterSets1Click(forms::Component* sender);
    void PrinterSetup1Click(forms::Component* sender);
    void SingleFontCharacterSet1Click(forms::Component* sender);
    void CharacterSet2Click(forms::Component* sender);
    void FontList1Click(forms::Component* sender);
    void InstalledFontsCondensed1Click(forms::Component* sender);
    void SetString1Click(forms::Component* sender);
    void Quit1Click(forms::Component* sender);
    void Calcu1Click(forms::Component* sender);
    void Help1Click(forms::Component* sender);
    void About2Click(forms::Component* sender);

private:
    forms::MenuItem* AddItem(forms::MenuItem* parent, const char* name, const char* caption,
                             void (TfGlyphwell::*handler)(forms::Component*));
    RegistrySettingsStore store_;
    bool firstShow_ = true;
    bool printerMissing_ = false;
};

}  // namespace glyphwell
