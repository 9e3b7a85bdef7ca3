// The zoom of an image preview: scale to fit, or a zoom level from -6 to +6 whose
// magnification is 1.5 to the level's power (2/3 per step down). The magnification is always
// derived from the level, so zooming out and back in returns exactly to the size before.
#pragma once

struct PreviewZoom {
    static constexpr int kMaxLevel = 6;

    bool m_bFit = false;
    int m_nZoom = 0;
    double m_dScale = 1.0;

    bool CanZoomIn() const { return !m_bFit && m_nZoom < kMaxLevel; }
    bool CanZoomOut() const { return !m_bFit && m_nZoom > -kMaxLevel; }
    // Each returns whether anything changed.
    bool ZoomIn();
    bool ZoomOut();
    // Fitting keeps the level, so turning it off again returns to it.
    void ToggleFit() { m_bFit = !m_bFit; }
    void NormalSize();

    // The size the image is drawn at: the client area when fitting, else the image's size
    // times the magnification, truncated.
    void OutputSize(int imageWidth, int imageHeight, int clientWidth, int clientHeight, int& width, int& height) const;
};

double PreviewScaleForLevel(int level);
