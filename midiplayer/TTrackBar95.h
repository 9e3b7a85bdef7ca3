// TTrackBar95: the system trackbar with four more window-style properties.
#pragma once

#include <TrackBar.h>

namespace platterly {

class TTrackBar95 : public forms::TrackBar {
public:
    explicit TTrackBar95(forms::Component* owner) : TrackBar(owner) {}
    bool FixedLength() const { return fixedLength_; }
    void SetFixedLength(bool v) { if (v != fixedLength_) { fixedLength_ = v; RecreateWnd(); } }
    bool SelEnabled() const { return selEnabled_; }
    void SetSelEnabled(bool v) { if (v != selEnabled_) { selEnabled_ = v; RecreateWnd(); } }
    bool Thumb() const { return thumb_; }
    void SetThumb(bool v) { if (v != thumb_) { thumb_ = v; RecreateWnd(); } }
    int ThumbSize() const { return thumbSize_; }
    void SetThumbSize(int v) { if (v != thumbSize_) { thumbSize_ = v; RecreateWnd(); } }

protected:
    void GetWindowParams(forms::WindowParams& p) override;
    void HandleCreated() override;

private:
    bool fixedLength_ = false;
    bool selEnabled_ = false;
    bool thumb_ = true;
    int thumbSize_ = 0;
};

} // namespace platterly
