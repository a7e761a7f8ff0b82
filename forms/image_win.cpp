#include "forms/image.h"

#include "forms/filer.h"

PONDERIX_DEFINE_CLASS(TImage, [](TClassBuilder<TImage>& b) {
    b.Object<TPicture>("Picture", &TImage::Picture, &TImage::SetPicture);
    b.Boolean("Center", &TImage::Center, &TImage::SetCenter);
    b.Boolean("Stretch", &TImage::Stretch, &TImage::SetStretch);
    b.Boolean("Transparent", &TImage::Transparent, &TImage::SetTransparent);
    b.Event("OnClick", &TImage::OnClick);
})

TImage::TImage(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 105, 105);
    picture.OnChange = [this](TObject*) { Invalidate(); };
}

void TImage::SetPicture(TPicture* value) {
    if (value) picture.Assign(*value);
}

void TImage::SetCenter(bool value) {
    center = value;
    Invalidate();
}

void TImage::SetStretch(bool value) {
    stretch = value;
    Invalidate();
}

void TImage::SetTransparent(bool value) {
    transparent = value;
    Invalidate();
}

void TImage::DefineProperties(TFiler& filer) {
    TGraphicControl::DefineProperties(filer);
    filer.DefineBinaryProperty(
        "PictureData", [this](TStream& stream) { picture.LoadFromStream(stream); },
        [this](TStream& stream) { picture.SaveToStream(stream); }, !picture.Empty());
}

TRect TImage::DestRect() const {
    if (stretch) return {0, 0, Width(), Height()};
    const int w = picture.Width(), h = picture.Height();
    if (center) {
        const int x = (Width() - w) / 2, y = (Height() - h) / 2;
        return {x, y, x + w, y + h};
    }
    return {0, 0, w, h};
}

void TImage::Paint(HDC dc) {
    TGraphic* graphic = picture.Graphic();
    if (!graphic || graphic->Empty()) return;
    // The parent's context, borrowed: the canvas hands it back as it found it.
    TCanvas canvas;
    canvas.SetHandle(dc);
    const TRect dest = DestRect();
    auto* bitmap = dynamic_cast<TBitmap*>(graphic);
    if (bitmap && transparent) {
        DrawTransparentBitmap(canvas, dest, *bitmap, {0, 0, bitmap->Width(), bitmap->Height()},
                              BottomLeftColor(*bitmap));
    } else {
        canvas.StretchDraw(dest, *graphic);
    }
    canvas.SetHandle(nullptr);
}

void RegisterImageClasses() { RegisterComponentClass(TImage::StaticClass()); }
