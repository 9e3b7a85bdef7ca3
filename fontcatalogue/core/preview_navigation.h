// Paging and zoom of the report preview, apart from the window so they are tested natively.
#pragma once

namespace glyphwell {

inline constexpr int kMinZoom = 10;   // percent; zooming out stops here instead of reaching 0
inline constexpr int kMaxZoom = 800;  // and zooming in here, so a page stays drawable
inline constexpr int kZoomStep = 20;

class PreviewNavigation {
public:
    // A new set of pages starts on page 1 (a report always has at least one page).
    void SetPageCount(int count);
    int PageCount() const { return count_; }
    int Page() const { return page_; }

    // Each answers false, changing nothing, when it cannot move (the window beeps then).
    bool First();
    bool Previous();
    bool Next();
    bool Last();

    int Zoom() const { return zoom_; }
    void SetZoom(int percent);  // clamped to [kMinZoom, kMaxZoom]
    void ZoomIn() { SetZoom(zoom_ + kZoomStep); }
    void ZoomOut() { SetZoom(zoom_ - kZoomStep); }

private:
    int count_ = 1;
    int page_ = 1;
    int zoom_ = 100;
};

// The zoom that makes `pageExtent` (the page's width or height at 100 %) fill `available`.
int FitZoom(int available, int pageExtent);

}  // namespace glyphwell
