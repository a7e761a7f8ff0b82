#pragma once
// Thin classes over four common controls, each superclassing its control as the other controls
// of the class library do: TUpDown (msctls_updown32), TProgressBar (msctls_progress32),
// TTrackBar (msctls_trackbar32) and TStatusBar (msctls_statusbar32). They publish what a form
// description and the skinners read; the controls keep their own behaviour.

#include <string>
#include <vector>

#include "forms/containers.h"
#include "forms/controls.h"
#include "forms/label.h"

enum TUDOrientation { udHorizontal, udVertical };
extern const TEnumInfo UDOrientationType;
enum TTrackBarOrientation { trHorizontal, trVertical };
extern const TEnumInfo TrackBarOrientationType;

// What the ranged controls share: a lower and an upper limit and a position between them,
// kept while there is no window and sent to it once it exists.
class TRangeControl : public TWinControl {
    PONDERIX_CLASS(TRangeControl, TWinControl)
public:
    using TWinControl::TWinControl;

    int Min() const { return min; }
    void SetMin(int value);
    int Max() const { return max; }
    void SetMax(int value);
    // The control's own position once it has a window (the user may have moved it).
    int Position() const;
    void SetPosition(int value);

protected:
    void AfterCreateHandle() override;
    virtual void SendRange() = 0;
    virtual void SendPosition() = 0;
    virtual int ReadPosition() = 0;

    int min = 0;
    int max = 100;
    int position = 0;
};

class TUpDown : public TRangeControl {
    PONDERIX_CLASS(TUpDown, TRangeControl)
public:
    explicit TUpDown(TComponent* owner);

    TUDOrientation Orientation() const { return orientation; }
    void SetOrientation(TUDOrientation value);

protected:
    void CreateParams(TCreateParams& params) override;
    void SendRange() override;
    void SendPosition() override;
    int ReadPosition() override;

private:
    TUDOrientation orientation = udVertical;
};

class TProgressBar : public TRangeControl {
    PONDERIX_CLASS(TProgressBar, TRangeControl)
public:
    explicit TProgressBar(TComponent* owner);

protected:
    void CreateParams(TCreateParams& params) override;
    void SendRange() override;
    void SendPosition() override;
    int ReadPosition() override;
};

class TTrackBar : public TRangeControl {
    PONDERIX_CLASS(TTrackBar, TRangeControl)
public:
    explicit TTrackBar(TComponent* owner);

    TTrackBarOrientation Orientation() const { return orientation; }
    void SetOrientation(TTrackBarOrientation value);
    // A tic every Frequency positions.
    int Frequency() const { return frequency; }
    void SetFrequency(int value);

protected:
    void CreateParams(TCreateParams& params) override;
    void AfterCreateHandle() override;
    void SendRange() override;
    void SendPosition() override;
    int ReadPosition() override;

private:
    TTrackBarOrientation orientation = trHorizontal;
    int frequency = 1;
};

// One part of a status bar.
struct TStatusPanel {
    std::wstring text;
    int width = 50;
    TBevelCut bevel = bvLowered;  // bvRaised pops out, bvNone has no border
    TAlignment alignment = taLeftJustify;
};

class TStatusBar : public TWinControl {
    PONDERIX_CLASS(TStatusBar, TWinControl)
public:
    explicit TStatusBar(TComponent* owner);

    bool SimplePanel() const { return simplePanel; }
    void SetSimplePanel(bool value);
    const std::wstring& SimpleText() const { return simpleText; }
    void SetSimpleText(const std::wstring& value);
    // Whether the bar wants a size grip in its bottom-right corner.
    bool SizeGrip() const { return sizeGrip; }
    void SetSizeGrip(bool value);

    const std::vector<TStatusPanel>& Panels() const { return panels; }
    void SetPanels(std::vector<TStatusPanel> value);

protected:
    void CreateParams(TCreateParams& params) override;
    void AfterCreateHandle() override;

private:
    void SendPanels();

    bool simplePanel = false;
    std::wstring simpleText;
    bool sizeGrip = true;
    std::vector<TStatusPanel> panels;
};

void RegisterCommonControlClasses();
