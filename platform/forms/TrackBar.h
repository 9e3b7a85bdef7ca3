// The system trackbar. OnChange fires when the user moves the thumb; setting Position from code
// fires nothing.
#pragma once

#include "Control.h"

namespace forms {

enum TrackBarOrientation { trHorizontal, trVertical };
enum TickMark { tmBottomRight, tmTopLeft, tmBoth };
enum TickStyle { tsNone, tsAuto, tsManual };

class TrackBar : public Control {
public:
    explicit TrackBar(Component* owner);
    int Min() const { return min_; }
    int Max() const { return max_; }
    int Position() const;
    void SetMin(int v);
    void SetMax(int v);
    void SetRange(int mn, int mx);
    void SetPosition(int v);
    int Frequency() const { return frequency_; }
    void SetFrequency(int f);
    TrackBarOrientation Orientation() const { return orientation_; }
    void SetOrientation(TrackBarOrientation o);
    TickMark TickMarks() const { return tickMarks_; }
    void SetTickMarks(TickMark t);
    TickStyle GetTickStyle() const { return tickStyle_; }
    void SetTickStyle(TickStyle t);
    int LineSize() const { return lineSize_; }
    void SetLineSize(int s);
    int PageSize() const { return pageSize_; }
    void SetPageSize(int s);
    NotifyEvent OnChange;

protected:
    void GetWindowParams(WindowParams& p) override;
    void HandleCreated() override;
    bool Reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    int min_ = 0, max_ = 10;
    mutable int position_ = 0;
    int frequency_ = 1;
    int lineSize_ = 1, pageSize_ = 2;
    TrackBarOrientation orientation_ = trHorizontal;
    TickMark tickMarks_ = tmBottomRight;
    TickStyle tickStyle_ = tsAuto;
};

} // namespace forms
