#pragma once
// Containers drawn by the class library itself: panels with bevels and group boxes with a
// framed caption. Both hold other controls.

#include "forms/controls.h"

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
extern const TEnumInfo BevelCutType;

class TCustomPanel : public TWinControl {
    PONDERIX_CLASS(TCustomPanel, TWinControl)
public:
    explicit TCustomPanel(TComponent* owner);

    TBevelCut BevelInner() const { return bevelInner; }
    void SetBevelInner(TBevelCut value);
    TBevelCut BevelOuter() const { return bevelOuter; }
    void SetBevelOuter(TBevelCut value);
    int BevelWidth() const { return bevelWidth; }
    void SetBevelWidth(int value);

protected:
    void CreateParams(TCreateParams& params) override;
    void PaintWindow(HDC dc) override;

private:
    TBevelCut bevelInner = bvNone;
    TBevelCut bevelOuter = bvRaised;
    int bevelWidth = 1;
};

class TPanel : public TCustomPanel {
    PONDERIX_CLASS(TPanel, TCustomPanel)
public:
    using TCustomPanel::TCustomPanel;
};

class TCustomGroupBox : public TWinControl {
    PONDERIX_CLASS(TCustomGroupBox, TWinControl)
public:
    explicit TCustomGroupBox(TComponent* owner);

protected:
    void CreateParams(TCreateParams& params) override;
    void PaintWindow(HDC dc) override;
    void TextChanged() override { Invalidate(); }
};

class TGroupBox : public TCustomGroupBox {
    PONDERIX_CLASS(TGroupBox, TCustomGroupBox)
public:
    using TCustomGroupBox::TCustomGroupBox;
};

void RegisterContainerClasses();
