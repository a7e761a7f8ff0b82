#pragma once
// TLabel: a caption painted by its parent. With AutoSize it takes the size of its text.

#include "forms/controls.h"

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
extern const TEnumInfo AlignmentType;

class TLabel : public TGraphicControl {
    PONDERIX_CLASS(TLabel, TGraphicControl)
public:
    explicit TLabel(TComponent* owner);

    bool AutoSize() const { return autoSize; }
    void SetAutoSize(bool value);
    bool Transparent() const { return transparent; }
    void SetTransparent(bool value);
    TAlignment Alignment() const { return alignment; }
    void SetAlignment(TAlignment value);

protected:
    void Loaded() override;
    void Paint(HDC dc) override;
    void TextChanged() override { AdjustSize(); }
    void FontChanged() override;

private:
    void AdjustSize();

    bool autoSize = true;
    bool transparent = false;
    TAlignment alignment = taLeftJustify;
};

void RegisterLabelClasses();
