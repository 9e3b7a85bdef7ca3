#include "PlatterlyForm.h"

#include "AboutForm.h"
#include "Glyphs.h"

#include <Application.h>
#include <MessageDialog.h>

namespace platterly {

TPlatterlyform* Platterlyform = nullptr;

namespace {

// The form's media player as the device the playback logic drives.
class MciDevice : public PlaybackDevice {
public:
    explicit MciDevice(forms::MediaPlayer& p) : player_(p) {}
    void Open(const std::string& path) override
    {
        player_.SetFileName(path);
        Run([&] { player_.Open(); });
    }
    void SetTimeFormatMilliseconds() override { Run([&] { player_.SetTimeFormatMilliseconds(); }); }
    void Play(bool notify) override { Run([&] { player_.Play(notify); }); }
    void Pause() override { Run([&] { player_.Pause(false); }); }
    void Stop() override { Run([&] { player_.Stop(false); }); }
    void Close() override
    {
        // The file is let go of even when the device fails to close.
        struct Forget {
            forms::MediaPlayer& p;
            ~Forget() { p.SetFileName(""); }
        } forget{player_};
        Run([&] { player_.Close(); });
    }
    bool IsOpen() const override { return player_.IsOpen(); }
    uint32_t Length() override { uint32_t v = 0; Run([&] { v = player_.Length(); }); return v; }
    uint32_t Position() override { uint32_t v = 0; Run([&] { v = player_.Position(); }); return v; }

private:
    template <class F>
    static void Run(F f)
    {
        try {
            f();
        } catch (const forms::EMCIDeviceError& e) {
            throw DeviceError(e.what());
        }
    }
    forms::MediaPlayer& player_;
};

bool FileExists(const std::string& path)
{
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

forms::StatusPanel MakePanel(const char* text, int width, forms::Alignment a, forms::StatusPanelBevel b,
                             forms::StatusPanelStyle s = forms::psText)
{
    forms::StatusPanel p;
    p.text = text;
    p.width = width;
    p.alignment = a;
    p.bevel = b;
    p.style = s;
    return p;
}

} // namespace

forms::GlyphButton* TPlatterlyform::MakeButton(const char* name, int left, int top, int width,
                                               const char* caption, const char* hint, int glyph)
{
    auto* b = new forms::GlyphButton(this);
    b->SetName(name);
    b->SetParent(GroupBox1);
    b->SetBounds(left, top, width, 25);
    b->SetCaption(caption);
    b->SetHint(hint);
    b->SetShowHint(true);
    if (glyph >= 0)
        b->SetGlyph(MakeGlyph(static_cast<GlyphKind>(glyph)), 2);
    return b;
}

TPlatterlyform::TPlatterlyform(forms::Component* owner) : Form(owner)
{
    using namespace forms;
    SetName("Platterlyform");
    SetCaption("Platterly");
    SetBorderStyle(bsSingle);
    SetBorderIcons(biSystemMenu | biMinimize);
    SetClientSize(433, 287);
    SetBounds(204, 160, Width(), Height());
    SetFont(forms::Font("MS Sans Serif", -11));
    SetIcon(MakeProgramIcon());
    OnCreate = Bind(this, &TPlatterlyform::FormCreate);
    OnClose = Bind(this, &TPlatterlyform::FormClose);

    GroupBox1 = new GroupBox(this);
    GroupBox1->SetName("GroupBox1");
    GroupBox1->SetParent(this);
    GroupBox1->SetBounds(0, 19, 433, 249);

    Bevel1 = new Bevel(this);
    Bevel1->SetName("Bevel1");
    Bevel1->SetParent(GroupBox1);
    Bevel1->SetBounds(168, 16, 257, 25);

    Label2 = new Label(this);
    Label2->SetName("Label2");
    Label2->SetParent(GroupBox1);
    Label2->SetLeft(176);
    Label2->SetTop(22);
    forms::Font bold = GetFont();
    bold.SetStyle(fsBold);
    Label2->SetFont(bold);
    Label2->SetCaption("Playing:");

    FNPlay = new Label(this);
    FNPlay->SetName("FNPlay");
    FNPlay->SetParent(GroupBox1);
    FNPlay->SetAutoSize(false);
    FNPlay->SetShowAccelChar(false);  // a file name, drawn as it is
    FNPlay->SetBounds(240, 22, 177, 13);
    FNPlay->SetCaption("");

    DirectoryList = new DirectoryListBox(this);
    DirectoryList->SetName("DirectoryList");
    DirectoryList->SetParent(GroupBox1);
    DirectoryList->SetBounds(8, 40, 153, 65);
    DirectoryList->SetItemHeight(16);

    FileList = new FileListBox(this);
    FileList->SetName("FileList");
    FileList->SetParent(GroupBox1);
    FileList->SetBounds(8, 110, 153, 97);
    FileList->SetMask("*.mid;*.rmi");
    FileList->SetFileType(ftNormal | ftArchive);
    FileList->SetMultiSelect(true);
    FileList->SetShowGlyphs(true);
    FileList->SetItemHeight(16);
    FileList->SetDragMode(dmAutomatic);
    FileList->SetDragCursor(crMultiDrag);
    FileList->OnDblClick = Bind(this, &TPlatterlyform::AddOneButtClick);
    FileList->OnDragOver = Bind(this, &TPlatterlyform::FileListDragOver);
    DirectoryList->SetFileList(FileList);

    DriveCombo = new DriveComboBox(this);
    DriveCombo->SetName("DriveCombo");
    DriveCombo->SetParent(GroupBox1);
    DriveCombo->SetBounds(8, 16, 153, 21);
    DriveCombo->SetDrive(DirectoryList->Drive());
    DriveCombo->OnChange = Bind(this, &TPlatterlyform::DriveComboChange);

    Lista = new ListBox(this);
    Lista->SetName("Lista");
    Lista->SetParent(GroupBox1);
    Lista->SetBounds(264, 48, 161, 161);
    Lista->SetMultiSelect(true);
    Lista->SetItemHeight(13);
    Lista->SetDragCursor(crMultiDrag);
    Lista->OnDragDrop = Bind(this, &TPlatterlyform::ListaDragDrop);
    Lista->OnDragOver = Bind(this, &TPlatterlyform::ListaDragOver);

    AddOneButt = MakeButton("AddOneButt", 168, 48, 89, "A&dd", "Add the selected file to the list",
                            static_cast<int>(GlyphKind::Add));
    AddOneButt->OnClick = Bind(this, &TPlatterlyform::AddOneButtClick);
    AddAllButt = MakeButton("AddAllButt", 168, 93, 89, "Add a&ll", "Add all file to the list",
                            static_cast<int>(GlyphKind::AddAll));
    AddAllButt->OnClick = Bind(this, &TPlatterlyform::AddAllButtClick);
    RemoveOneButt = MakeButton("RemoveOneButt", 168, 139, 89, "&Remove", "Remove the selected file from the list",
                               static_cast<int>(GlyphKind::Remove));
    RemoveOneButt->OnClick = Bind(this, &TPlatterlyform::RemoveOneButtClick);
    RemoveAllButt = MakeButton("RemoveAllButt", 168, 184, 89, "Remo&ve all", "Remove all the files from the list",
                               static_cast<int>(GlyphKind::RemoveAll));
    RemoveAllButt->OnClick = Bind(this, &TPlatterlyform::RemoveAllButtClick);
    PlayButt = MakeButton("PlayButt", 8, 216, 89, "&Play", "Start playing", static_cast<int>(GlyphKind::Play));
    PlayButt->OnClick = Bind(this, &TPlatterlyform::PlayButtClick);
    PauseButt = MakeButton("PauseButt", 120, 216, 89, "P&ause", "Pause playing", static_cast<int>(GlyphKind::Pause));
    PauseButt->OnClick = Bind(this, &TPlatterlyform::PauseButtClick);
    SkipButt = MakeButton("SkipButt", 232, 216, 89, "S&kip", "Skip current file", static_cast<int>(GlyphKind::Skip));
    SkipButt->OnClick = Bind(this, &TPlatterlyform::SkipButtClick);
    ExitButt = MakeButton("ExitButt", 344, 216, 81, "E&xit", "Exit Platterly", -1);
    ExitButt->SetKind(bkClose);
    StopButt = MakeButton("StopButt", 8, 216, 89, "&Stop", "Stop playing", static_cast<int>(GlyphKind::Stop));
    StopButt->SetVisible(false);
    StopButt->OnClick = Bind(this, &TPlatterlyform::StopButtClick);
    ResButt = MakeButton("ResButt", 120, 216, 89, "R&esume", "Resume playing", static_cast<int>(GlyphKind::Resume));
    ResButt->SetVisible(false);
    ResButt->OnClick = Bind(this, &TPlatterlyform::ResButtClick);

    LettoreMidi = new MediaPlayer(this);
    LettoreMidi->SetName("LettoreMidi");
    LettoreMidi->OnNotify = Bind(this, &TPlatterlyform::LettoreMidiNotify);

    StatusBar = new forms::StatusBar(this);
    StatusBar->SetName("StatusBar");
    StatusBar->SetSizeGrip(false);
    StatusBar->SetParent(this);
    StatusBar->SetBounds(0, 268, 433, 19);
    StatusBar->AddPanel(MakePanel("Status:", 45, taRightJustify, pbNone));
    StatusBar->AddPanel(MakePanel("Stopped", 70, taCenter, pbLowered));
    StatusBar->AddPanel(MakePanel("Length:", 50, taRightJustify, pbNone));
    StatusBar->AddPanel(MakePanel("00:00", 50, taCenter, pbLowered));
    StatusBar->AddPanel(MakePanel("Position:", 50, taRightJustify, pbNone));
    StatusBar->AddPanel(MakePanel("00:00", 50, taCenter, pbLowered));
    StatusBar->AddPanel(MakePanel("Gauge", 50, taLeftJustify, pbNone, psOwnerDraw));

    Gauge = new ProgressBar(this);
    Gauge->SetName("Gauge");
    Gauge->SetParent(this);
    Gauge->SetBounds(318, 270, 115, 17);
    Gauge->SetMin(0);
    Gauge->SetMax(100);

    Panel1 = new Panel(this);
    Panel1->SetName("Panel1");
    Panel1->SetParent(this);
    Panel1->SetAlign(alTop);
    Panel1->SetHeight(24);
    Panel1->SetBevelOuter(bvNone);

    Panel2 = new Panel(this);
    Panel2->SetName("Panel2");
    Panel2->SetParent(Panel1);
    Panel2->SetBounds(0, 0, 193, 24);

    IEPanel1 = new TIEPanel(this);
    IEPanel1->SetName("IEPanel1");
    IEPanel1->SetParent(Panel2);
    IEPanel1->SetWidth(16);
    IEPanel1->SetEnabled(false);
    IEPanel1->SetBevelOuter(bvNone);
    IEPanel1->SetExpandedWidth(185);

    OfficeButton2 = new TOfficeButton(this);
    OfficeButton2->SetName("OfficeButton2");
    OfficeButton2->SetParent(Panel2);
    OfficeButton2->SetBounds(48, 2, 41, 20);
    OfficeButton2->SetCaption("&Help");
    OfficeButton2->SetOptions(boMonoDisplay | boPopupMark | boShowBevel);
    OfficeButton2->SetAlignment(TextAlign::taLeftJustify);

    OfficeButton1 = new TOfficeButton(this);
    OfficeButton1->SetName("OfficeButton1");
    OfficeButton1->SetParent(Panel2);
    OfficeButton1->SetBounds(15, 2, 33, 20);
    OfficeButton1->SetCaption("&File");
    OfficeButton1->SetOptions(boMonoDisplay | boPopupMark | boShowBevel);
    OfficeButton1->SetAlignment(TextAlign::taLeftJustify);

    Panel3 = new Panel(this);
    Panel3->SetName("Panel3");
    Panel3->SetParent(Panel1);
    Panel3->SetBounds(193, 0, 240, 24);

    Label1 = new Label(this);
    Label1->SetName("Label1");
    Label1->SetParent(Panel3);
    Label1->SetLeft(16);
    Label1->SetTop(4);
    Label1->SetCaption("Volume");

    IEPanel2 = new TIEPanel(this);
    IEPanel2->SetName("IEPanel2");
    IEPanel2->SetParent(Panel3);
    IEPanel2->SetWidth(13);
    IEPanel2->SetEnabled(false);
    IEPanel2->SetBevelOuter(bvNone);
    IEPanel2->SetExpandedWidth(185);

    Volumebar = new TTrackBar95(this);
    Volumebar->SetName("Volumebar");
    Volumebar->SetParent(Panel3);
    Volumebar->SetBounds(56, 1, 177, 17);
    Volumebar->SetRange(0, 255);
    Volumebar->SetFrequency(20);
    Volumebar->SetPosition(128);
    Volumebar->SetTickMarks(tmBottomRight);
    Volumebar->SetTickStyle(tsAuto);
    Volumebar->SetOrientation(trHorizontal);
    Volumebar->SetFixedLength(false);
    Volumebar->SetSelEnabled(false);
    Volumebar->SetThumbSize(0);
    Volumebar->OnChange = Bind(this, &TPlatterlyform::VolumebarChange);

    TimerPlay = new Timer(this);
    TimerPlay->SetName("TimerPlay");
    TimerPlay->SetInterval(200);
    TimerPlay->OnTimer = Bind(this, &TPlatterlyform::TimerPlayTimer);

    MainFileMenu = new PopupMenu(this);
    MainFileMenu->SetName("MainFileMenu");
    Exit1 = new MenuItem(this);
    Exit1->SetName("Exit1");
    Exit1->SetCaption("E&xit");
    Exit1->OnClick = Bind(this, &TPlatterlyform::Exit1Click);
    MainFileMenu->Items()->Add(Exit1);

    VolumeMidi = new TMixerVolume(this);
    VolumeMidi->SetName("VolumeMidi");
    VolumeMidi->SetDeviceType(TDeviceTypes::dtMidi);
    VolumeMidi->SetAllowModify(false);
    VolumeMidi->SetVolume(140);

    VolTimer = new Timer(this);
    VolTimer->SetName("VolTimer");
    VolTimer->SetInterval(800);
    VolTimer->SetEnabled(false);
    VolTimer->OnTimer = Bind(this, &TPlatterlyform::VolTimerTimer);

    MainHelpMenu = new PopupMenu(this);
    MainHelpMenu->SetName("MainHelpMenu");
    Contents1 = new MenuItem(this);
    Contents1->SetName("Contents1");
    Contents1->SetCaption("&Contents");
    Contents1->SetShortCut(VK_F1);
    Contents1->OnClick = Bind(this, &TPlatterlyform::Contents1Click);
    N2 = new MenuItem(this);
    N2->SetName("N2");
    N2->SetCaption("-");
    About2 = new MenuItem(this);
    About2->SetName("About2");
    About2->SetCaption("About");
    About2->SetShortCut(MakeShortCut('A', scCtrl));
    About2->OnClick = Bind(this, &TPlatterlyform::About2Click);
    MainHelpMenu->Items()->Add(Contents1);
    MainHelpMenu->Items()->Add(N2);
    MainHelpMenu->Items()->Add(About2);

    OfficeButton2->SetDropDownMenu(MainHelpMenu);
    OfficeButton1->SetDropDownMenu(MainFileMenu);

    CaptionControl1 = new TCaptionControl(this);
    CaptionControl1->SetName("CaptionControl1");
    CaptionControl1->SetCaptionGradient(TCaptionGradient::cgAlways);
    CaptionControl1->SetShowButtons(false);

    JustOne321 = new TJustOne32(this);
    JustOne321->SetName("JustOne321");

    // Tab goes down the browser from the drive box, to the queue, then along the buttons; Stop
    // and Resume take the turn of the buttons they stand in for.
    DriveCombo->SetTabOrder(0);
    StopButt->SetTabOrder(PlayButt->TabOrder() + 1);
    ResButt->SetTabOrder(PauseButt->TabOrder() + 1);

    SetActiveControl(DirectoryList);
    device_ = std::make_unique<MciDevice>(*LettoreMidi);
}

TPlatterlyform::~TPlatterlyform()
{
    if (playback_)
        playback_->Shutdown();
}

void TPlatterlyform::FormCreate(forms::Component*)
{
    // The slider sets the MIDI auxiliary device only; without one (or without its volume
    // control) it stays disabled rather than drive whatever device the component fell back to.
    bool bound = VolumeMidi->Bind(TDeviceTypes::dtMidi);
    Volumebar->SetEnabled(bound);
    VolTimer->SetEnabled(bound);
    if (bound && Volumebar->Position() != VolumeMidi->Volume())
        Volumebar->SetPosition(VolumeMidi->Volume());
    playback_ = std::make_unique<Playback>(*device_, static_cast<PlayerView&>(*this), FileExists);
    forms::Application::Instance().SetHelpFile(forms::Application::ExeFolder() + "Platterly.hlp");
    forms::Application::Instance().SetTitle("Platterly ");
    SetCaption("Platterly V1.00");
    RepaintMainForm();
}

void TPlatterlyform::FormClose(forms::Component*, forms::CloseAction&)
{
    playback_->Shutdown();
}

void TPlatterlyform::RepaintMainForm()
{
    if (HWND w = WindowHandle())
        RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void TPlatterlyform::QuitPlayer()
{
    if (playback_)
        playback_->Shutdown();
    ExitProcess(0);
}

void TPlatterlyform::DriveComboChange(forms::Component*)
{
    for (;;) {
        char old = DirectoryList->Drive();
        try {
            DirectoryList->SetDrive(DriveCombo->Drive());
            return;
        } catch (const std::exception&) {
            if (forms::MessageDlg("Drive not ready", forms::mtError, forms::mbAbort | forms::mbRetry) ==
                forms::mrRetry)
                continue;
            DriveCombo->SetDrive(old);
            return;
        }
    }
}

void TPlatterlyform::Contents1Click(forms::Component*)
{
    forms::Application::Instance().HelpCommand(HELP_CONTENTS, 0);
}

void TPlatterlyform::About2Click(forms::Component*) { AboutForm->ShowModal(); }

void TPlatterlyform::Exit1Click(forms::Component*) { QuitPlayer(); }

void TPlatterlyform::VolumebarChange(forms::Component*)
{
    VolumeMidi->SetVolume(static_cast<uint8_t>(Volumebar->Position()));
}

void TPlatterlyform::VolTimerTimer(forms::Component*)
{
    try {
        VolumeMidi->ReadDevice();
    } catch (const EDeviceTypeError& e) {
        // The device went away: stop polling and say so once.
        VolTimer->SetEnabled(false);
        Volumebar->SetEnabled(false);
        if (!volumeLost_) {
            volumeLost_ = true;
            forms::MessageDlg(e.what(), forms::mtError, forms::mbOK);
        }
        return;
    }
    if (Volumebar->Position() != VolumeMidi->Volume())
        Volumebar->SetPosition(VolumeMidi->Volume());
}

void TPlatterlyform::AddEntries(bool selectedOnly)
{
    std::vector<std::string> names;
    for (int i = 0; i < FileList->Count(); ++i)
        if (!selectedOnly || FileList->Selected(i))
            names.push_back(FileList->Items(i));
    playback_->Add(DirectoryList->Directory(), names);
}

void TPlatterlyform::AddOneButtClick(forms::Component*)
{
    if (FileList->SelCount() == 0)
        return;
    AddEntries(true);
}

void TPlatterlyform::AddAllButtClick(forms::Component*) { AddEntries(false); }

void TPlatterlyform::RemoveOneButtClick(forms::Component*)
{
    if (Lista->SelCount() == 0)
        return;
    std::vector<bool> selected;
    for (int i = 0; i < Lista->Count(); ++i)
        selected.push_back(Lista->Selected(i));
    playback_->RemoveSelected(selected);
}

void TPlatterlyform::RemoveAllButtClick(forms::Component*) { playback_->RemoveAll(); }

void TPlatterlyform::ListaDragDrop(forms::Component*, forms::Component*, int, int) { AddOneButtClick(this); }

void TPlatterlyform::ListaDragOver(forms::Component*, forms::Component* source, int, int, forms::DragState,
                                   bool& accept)
{
    auto* list = dynamic_cast<forms::FileListBox*>(source);
    accept = list && list->Name() == FileList->Name();
}

void TPlatterlyform::FileListDragOver(forms::Component*, forms::Component* source, int, int, forms::DragState,
                                      bool& accept)
{
    auto* list = dynamic_cast<forms::FileListBox*>(source);
    accept = list && list->Name() == FileList->Name();
}

void TPlatterlyform::PlayButtClick(forms::Component*) { playback_->PlayClick(); }
void TPlatterlyform::StopButtClick(forms::Component*) { playback_->StopClick(); }
void TPlatterlyform::PauseButtClick(forms::Component*) { playback_->PauseClick(); }
void TPlatterlyform::ResButtClick(forms::Component*) { playback_->ResumeClick(); }
void TPlatterlyform::SkipButtClick(forms::Component*) { playback_->SkipClick(); }

void TPlatterlyform::LettoreMidiNotify(forms::Component*)
{
    switch (LettoreMidi->GetNotifyValue()) {
    case forms::nvSuccessful: playback_->DeviceNotice(Notice::Successful); break;
    case forms::nvSuperseded: playback_->DeviceNotice(Notice::Superseded); break;
    case forms::nvAborted: playback_->DeviceNotice(Notice::Aborted); break;
    case forms::nvFailure: playback_->DeviceNotice(Notice::Failure); break;
    }
}

void TPlatterlyform::TimerPlayTimer(forms::Component*)
{
    if (playback_)
        playback_->TimerTick();
}

void TPlatterlyform::SetStatusText(const std::string& text) { StatusBar->SetPanelText(1, text); }
void TPlatterlyform::SetStopVisible(bool v) { StopButt->SetVisible(v); }
void TPlatterlyform::SetResumeVisible(bool v) { ResButt->SetVisible(v); }
void TPlatterlyform::SetNowPlaying(const std::string& name) { FNPlay->SetCaption(name); }
void TPlatterlyform::SetTitle(const std::string& title) { forms::Application::Instance().SetTitle(title); }
void TPlatterlyform::SetLengthText(const std::string& text) { StatusBar->SetPanelText(3, text); }
void TPlatterlyform::SetPositionText(const std::string& text) { StatusBar->SetPanelText(5, text); }
void TPlatterlyform::SetGaugeMax(int max) { Gauge->SetMax(max); }
void TPlatterlyform::SetGaugePosition(int position) { Gauge->SetPosition(position); }
void TPlatterlyform::QueueItemAdded(const std::string& name) { Lista->Add(name); }

void TPlatterlyform::QueueItemRemoved(int index)
{
    if (Lista->Selected(index))
        Lista->SetSelected(index, false);
    Lista->Delete(index);
}

void TPlatterlyform::QueueCleared() { Lista->Clear(); }

void TPlatterlyform::ShowInformation(const std::string& text)
{
    forms::MessageDlg(text, forms::mtInformation, forms::mbOK);
}

void TPlatterlyform::ShowError(const std::string& text)
{
    forms::MessageDlg(text, forms::mtError, forms::mbOK);
}

} // namespace platterly
