#include "TTrackBar95.h"

#include <commctrl.h>

namespace platterly {

void TTrackBar95::GetWindowParams(forms::WindowParams& p)
{
    TrackBar::GetWindowParams(p);
    if (fixedLength_)
        p.style |= TBS_FIXEDLENGTH;
    if (selEnabled_)
        p.style |= TBS_ENABLESELRANGE;
    else
        p.style &= ~static_cast<DWORD>(TBS_ENABLESELRANGE);
    if (!thumb_)
        p.style |= TBS_NOTHUMB;
}

void TTrackBar95::HandleCreated()
{
    TrackBar::HandleCreated();
    if (WindowHandle())
        SendMessageA(WindowHandle(), WM_USER + 27, static_cast<WPARAM>(thumbSize_), 0);
}

} // namespace platterly
