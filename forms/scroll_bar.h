#pragma once
// TScrollBar: the standard SCROLLBAR control superclassed, one bar over the whole window,
// horizontal or vertical by Kind. It moves its own position on the scroll messages that its
// parent reflects to it (arrows by one, pages by PageSize, the thumb where it is dragged) and
// tells OnChange.

#include "forms/controls.h"

enum TScrollBarKind { sbHorizontal, sbVertical };
extern const TEnumInfo ScrollBarKindType;

class TScrollBar : public TWinControl {
    PONDERIX_CLASS(TScrollBar, TWinControl)
public:
    explicit TScrollBar(TComponent* owner);

    // Read when the window is made.
    TScrollBarKind Kind() const { return kind; }
    void SetKind(TScrollBarKind value);
    int Min() const { return min; }
    void SetMin(int value) { SetParams(position, value, max); }
    int Max() const { return max; }
    void SetMax(int value) { SetParams(position, min, value); }
    int Position() const { return position; }
    void SetPosition(int value) { SetParams(value, min, max); }
    int PageSize() const { return pageSize; }
    void SetPageSize(int value);
    // Position clamped to what the page leaves of min..max.
    void SetParams(int newPosition, int newMin, int newMax);

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void AfterCreateHandle() override;
    void WndProc(TMessage& message) override;

private:
    void UpdateBar();
    void Scroll(int code);

    TScrollBarKind kind = sbHorizontal;
    int min = 0;
    int max = 100;
    int position = 0;
    int pageSize = 0;
};

void RegisterScrollBarClasses();
