// TPlatterlyform, platterly's main form: the file browser, the play queue, the playback
// buttons, the status bar with its gauge, the toolbar strip with the File and Help buttons and
// the volume slider. The queue and playback logic is the portable Playback object; the form
// binds its controls to it.
#pragma once

#include "TCaptionControl.h"
#include "TIEPanel.h"
#include "TJustOne32.h"
#include "TMixerVolume.h"
#include "TOfficeButton.h"
#include "TTrackBar95.h"
#include "core/Playback.h"

#include <Bevel.h>
#include <DirectoryListBox.h>
#include <DriveComboBox.h>
#include <FileListBox.h>
#include <Form.h>
#include <GlyphButton.h>
#include <GroupBox.h>
#include <Label.h>
#include <ListBox.h>
#include <MediaPlayer.h>
#include <Menu.h>
#include <Panel.h>
#include <ProgressBar.h>
#include <StatusBar.h>
#include <Timer.h>

#include <memory>

namespace platterly {

class TPlatterlyform : public forms::Form, private PlayerView {
public:
    explicit TPlatterlyform(forms::Component* owner);
    ~TPlatterlyform() override;

    forms::GroupBox* GroupBox1;
    forms::Bevel* Bevel1;
    forms::Label* Label2;
    forms::Label* FNPlay;
    forms::DirectoryListBox* DirectoryList;
    forms::FileListBox* FileList;
    forms::DriveComboBox* DriveCombo;
    forms::ListBox* Lista;
    forms::GlyphButton* AddOneButt;
    forms::GlyphButton* AddAllButt;
    forms::GlyphButton* RemoveOneButt;
    forms::GlyphButton* RemoveAllButt;
    forms::GlyphButton* PlayButt;
    forms::GlyphButton* PauseButt;
    forms::GlyphButton* SkipButt;
    forms::GlyphButton* ExitButt;
    forms::GlyphButton* StopButt;
    forms::GlyphButton* ResButt;
    forms::MediaPlayer* LettoreMidi;
    forms::StatusBar* StatusBar;
    forms::ProgressBar* Gauge;
    forms::Panel* Panel1;
    forms::Panel* Panel2;
    TIEPanel* IEPanel1;
    TOfficeButton* OfficeButton2;
    TOfficeButton* OfficeButton1;
    forms::Panel* Panel3;
    forms::Label* Label1;
    TIEPanel* IEPanel2;
    TTrackBar95* Volumebar;
    forms::Timer* TimerPlay;
    forms::PopupMenu* MainFileMenu;
    forms::MenuItem* Exit1;
    TMixerVolume* VolumeMidi;
    forms::Timer* VolTimer;
    forms::PopupMenu* MainHelpMenu;
    forms::MenuItem* Contents1;
    forms::MenuItem* N2;
    forms::MenuItem* About2;
    TCaptionControl* CaptionControl1;
    TJustOne32* JustOne321;

    // Published handlers.
    void FormCreate(forms::Component* sender);
    void DriveComboChange(forms::Component* sender);
    void Contents1Click(forms::Component* sender);
    void About2Click(forms::Component* sender);
    void Exit1Click(forms::Component* sender);
    void VolumebarChange(forms::Component* sender);
    void VolTimerTimer(forms::Component* sender);
    void AddOneButtClick(forms::Component* sender);
    void AddAllButtClick(forms::Component* sender);
    void RemoveOneButtClick(forms::Component* sender);
    void RemoveAllButtClick(forms::Component* sender);
    void ListaDragDrop(forms::Component* sender, forms::Component* source, int x, int y);
    void ListaDragOver(forms::Component* sender, forms::Component* source, int x, int y,
                       forms::DragState state, bool& accept);
    void FileListDragOver(forms::Component* sender, forms::Component* source, int x, int y,
                          forms::DragState state, bool& accept);
    void PlayButtClick(forms::Component* sender);
    void StopButtClick(forms::Component* sender);
    void PauseButtClick(forms::Component* sender);
    void ResButtClick(forms::Component* sender);
    void SkipButtClick(forms::Component* sender);
    void LettoreMidiNotify(forms::Component* sender);
    void TimerPlayTimer(forms::Component* sender);
    void FormClose(forms::Component* sender, forms::CloseAction& action);

    // Ends the program at once (exit code 0), after stopping and closing the device.
    void QuitPlayer();
    void RepaintMainForm();
    Playback& GetPlayback() { return *playback_; }

private:
    // PlayerView
    void SetStatusText(const std::string& text) override;
    void SetStopVisible(bool visible) override;
    void SetResumeVisible(bool visible) override;
    void SetNowPlaying(const std::string& name) override;
    void SetTitle(const std::string& title) override;
    void SetLengthText(const std::string& text) override;
    void SetPositionText(const std::string& text) override;
    void SetGaugeMax(int max) override;
    void SetGaugePosition(int position) override;
    void QueueItemAdded(const std::string& name) override;
    void QueueItemRemoved(int index) override;
    void QueueCleared() override;
    void Repaint() override { RepaintMainForm(); }
    void ShowInformation(const std::string& text) override;
    void ShowError(const std::string& text) override;

    void AddEntries(bool selectedOnly);
    forms::GlyphButton* MakeButton(const char* name, int left, int top, int width, const char* caption,
                                   const char* hint, int glyph);

    std::unique_ptr<PlaybackDevice> device_;
    std::unique_ptr<Playback> playback_;
    bool volumeLost_ = false;
};

extern TPlatterlyform* Platterlyform;

} // namespace platterly
