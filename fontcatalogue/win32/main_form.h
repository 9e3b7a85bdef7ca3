// The main window: the installed fonts, each drawn in its own face followed by the sample
// string, with the menus that open every other window. The settings store lives here.
#pragma once

#include <string>
#include <utility>
#include <vector>

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

    // The stored settings (the key is always the program's own). A write answers false when
    // the value could not be stored.
    std::string ReadSetting(const std::string& key, const std::string& name, const std::string& fallback);
    bool WriteSetting(const std::string& key, const std::string& name, const std::string& value);
    std::string ReadSetting(const SettingSpec& spec) { return ReadSetting(kSettingsKey, spec.name, spec.fallback); }
    int ReadNumber(const SettingSpec& spec);
    bool WriteSetting(const SettingSpec& spec, const std::string& value) { return WriteSetting(kSettingsKey, spec.name, value); }
    // Writes the values of one action; when any cannot be stored the user is told once, and
    // after a failure reported at closing nothing more is said (the program is ending).
    bool WriteSettings(const std::vector<std::pair<SettingSpec, std::string>>& values);
    SettingsStore& Store() { return *store_; }
    // Another store in place of the registry (in-process tests).
    void UseStore(SettingsStore* store) { store_ = store ? store : &registryStore_; }

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
    void ApplyListFontSize(int points);
    RegistrySettingsStore registryStore_;
    SettingsStore* store_ = &registryStore_;
    bool closing_ = false;
    bool failureReported_ = false;
    bool firstShow_ = true;
    bool printerMissing_ = false;
};

}  // namespace glyphwell
