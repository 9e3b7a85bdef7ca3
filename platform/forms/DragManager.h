// In-process drag and drop between controls: a drag starts at once or after the pointer moved a
// few pixels; each control under the pointer is asked (DragOver) whether it accepts the source,
// and the one under the pointer at the release gets DragDrop when it accepted.
#pragma once

#include <windows.h>

namespace forms {

class Control;

class DragManager {
public:
    static DragManager& Instance();
    void BeginDrag(Control* source, bool immediate);
    // The same from a known press point (screen coordinates).
    void BeginDragAt(Control* source, bool immediate, POINT start);
    bool Dragging() const { return dragging_; }
    Control* Source() const { return source_; }
    void CancelDrag();
    // Sees every message before it is dispatched; true when the drag consumed it.
    bool PreProcess(const MSG& msg);
    void ControlDestroyed(Control* c);

private:
    DragManager() = default;
    void Start();
    void Move(POINT screen);
    void Drop(POINT screen);
    void End();
    Control* TargetAt(POINT screen, POINT& local);

    Control* source_ = nullptr;
    Control* target_ = nullptr;
    bool pending_ = false;
    bool dragging_ = false;
    bool accepted_ = false;
    POINT start_{};
};

} // namespace forms
