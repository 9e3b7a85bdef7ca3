// What a window repaints: the union of its update regions at each WM_PAINT while the recorder is
// attached, so a test tells a window drawn again whole from one that leaves old pixels standing.
// One recorder at a time; the window may belong to another thread of the process.
#pragma once

#include <windows.h>

#include <mutex>

class PaintRecorder {
public:
    explicit PaintRecorder(HWND hWnd) : m_hWnd(hWnd)
    {
        std::lock_guard<std::mutex> hold(Lock());
        Current() = this;
        m_previous = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PaintRecorder::Proc)));
    }
    ~PaintRecorder()
    {
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previous));
        std::lock_guard<std::mutex> hold(Lock());
        Current() = nullptr;
        ::DeleteObject(m_painted);
    }
    PaintRecorder(const PaintRecorder&) = delete;
    PaintRecorder& operator=(const PaintRecorder&) = delete;

    // Forgets what was painted, with nothing left to paint.
    void Reset()
    {
        ::ValidateRect(m_hWnd, nullptr);
        std::lock_guard<std::mutex> hold(Lock());
        ::SetRectRgn(m_painted, 0, 0, 0, 0);
    }
    // True when the paints since the reset covered the whole client area.
    bool PaintedWhole() const
    {
        RECT client;
        ::GetClientRect(m_hWnd, &client);
        HRGN missed = ::CreateRectRgnIndirect(&client);
        bool whole;
        {
            std::lock_guard<std::mutex> hold(Lock());
            whole = ::CombineRgn(missed, missed, m_painted, RGN_DIFF) == NULLREGION;
        }
        ::DeleteObject(missed);
        return whole;
    }

private:
    static std::mutex& Lock()
    {
        static std::mutex lock;
        return lock;
    }
    static PaintRecorder*& Current()
    {
        static PaintRecorder* current = nullptr;
        return current;
    }
    static LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        WNDPROC previous = nullptr;
        {
            std::lock_guard<std::mutex> hold(Lock());
            PaintRecorder* self = Current();
            if (!self || self->m_hWnd != hWnd)
                return ::DefWindowProcA(hWnd, message, wParam, lParam);
            previous = self->m_previous;
            if (message == WM_PAINT) {
                HRGN update = ::CreateRectRgn(0, 0, 0, 0);
                if (::GetUpdateRgn(hWnd, update, FALSE) > NULLREGION)
                    ::CombineRgn(self->m_painted, self->m_painted, update, RGN_OR);
                ::DeleteObject(update);
            }
        }
        return ::CallWindowProcA(previous, hWnd, message, wParam, lParam);
    }

    HWND m_hWnd;
    WNDPROC m_previous = nullptr;
    HRGN m_painted = ::CreateRectRgn(0, 0, 0, 0);
};
