#pragma once
// TImage: a picture painted by its parent. Stretch fills the control with the picture; otherwise
// the picture keeps its size, at the top-left corner or, with Center, in the middle. Transparent
// leaves the parent showing through a bitmap's pixels of its bottom-left pixel's colour (an icon
// is always drawn through its own mask).
//
// In a form description the picture is the binary property PictureData: the bytes of a BMP or
// .ico file.

#include "forms/controls.h"
#include "forms/picture.h"

class TImage : public TGraphicControl {
    PONDERIX_CLASS(TImage, TGraphicControl)
public:
    explicit TImage(TComponent* owner);

    TPicture* Picture() { return &picture; }
    void SetPicture(TPicture* value);
    bool Center() const { return center; }
    void SetCenter(bool value);
    bool Stretch() const { return stretch; }
    void SetStretch(bool value);
    bool Transparent() const { return transparent; }
    void SetTransparent(bool value);

    // Where the picture goes in the control's own coordinates.
    TRect DestRect() const;

    void DefineProperties(TFiler& filer) override;

protected:
    void Paint(HDC dc) override;

private:
    TPicture picture;
    bool center = false;
    bool stretch = false;
    bool transparent = false;
};

void RegisterImageClasses();
