#include "PreviewZoom.h"

double PreviewScaleForLevel(int level)
{
    double step = level >= 0 ? 1.5 : 2.0 / 3.0;
    double scale = 1.0;
    for (int i = level >= 0 ? level : -level; i > 0; --i)
        scale *= step;
    return scale;
}

bool PreviewZoom::ZoomIn()
{
    if (!CanZoomIn())
        return false;
    m_dScale = PreviewScaleForLevel(++m_nZoom);
    return true;
}

bool PreviewZoom::ZoomOut()
{
    if (!CanZoomOut())
        return false;
    m_dScale = PreviewScaleForLevel(--m_nZoom);
    return true;
}

void PreviewZoom::NormalSize()
{
    m_dScale = 1.0;
    m_nZoom = 0;
    m_bFit = false;
}

void PreviewZoom::OutputSize(int imageWidth, int imageHeight, int clientWidth, int clientHeight, int& width,
                             int& height) const
{
    if (m_bFit) {
        width = clientWidth;
        height = clientHeight;
    } else {
        width = static_cast<int>(imageWidth * m_dScale);
        height = static_cast<int>(imageHeight * m_dScale);
    }
}
