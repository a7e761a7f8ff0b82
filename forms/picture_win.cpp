#include "forms/picture.h"

#include "forms/icon_dir.h"

PONDERIX_DEFINE_CLASS(TPicture, [](TClassBuilder<TPicture>&) {})

TPicture::~TPicture() {
    // Neither the holder nor the graphic may be told of anything by a picture that is going.
    OnChange = nullptr;
    if (graphic) Replace(nullptr);
}

void TPicture::Replace(std::unique_ptr<TGraphic> value) {
    if (auto* bitmap = dynamic_cast<TBitmap*>(graphic.get())) bitmap->OnChange = nullptr;
    if (auto* icon = dynamic_cast<TIcon*>(graphic.get())) icon->OnChange = nullptr;
    graphic = std::move(value);
    if (auto* bitmap = dynamic_cast<TBitmap*>(graphic.get()))
        bitmap->OnChange = [this](TObject*) { Changed(); };
    if (auto* icon = dynamic_cast<TIcon*>(graphic.get()))
        icon->OnChange = [this](TObject*) { Changed(); };
    Changed();
}

void TPicture::Changed() {
    if (OnChange) OnChange(this);
}

void TPicture::SetGraphic(const TGraphic* value) {
    if (!value) {
        Replace(nullptr);
        return;
    }
    if (value == graphic.get()) return;
    std::unique_ptr<TGraphic> copy;
    if (dynamic_cast<const TBitmap*>(value))
        copy = std::make_unique<TBitmap>();
    else if (dynamic_cast<const TIcon*>(value))
        copy = std::make_unique<TIcon>();
    else
        throw EInvalidGraphicOperation(L"图片只能容纳位图或图标");
    copy->Assign(*value);
    Replace(std::move(copy));
}

TBitmap* TPicture::Bitmap() {
    if (auto* bitmap = dynamic_cast<TBitmap*>(graphic.get())) return bitmap;
    Replace(std::make_unique<TBitmap>());
    return static_cast<TBitmap*>(graphic.get());
}

TIcon* TPicture::Icon() {
    if (auto* icon = dynamic_cast<TIcon*>(graphic.get())) return icon;
    Replace(std::make_unique<TIcon>());
    return static_cast<TIcon*>(graphic.get());
}

void TPicture::LoadFromStream(TStream& stream) {
    const int64_t start = stream.Position();
    uint8_t head[4] = {};
    const int64_t got = stream.Read(head, sizeof head);
    stream.SetPosition(start);
    const std::span<const uint8_t> signature(head, static_cast<size_t>(got));
    std::unique_ptr<TGraphic> loaded;
    if (got >= 2 && head[0] == 'B' && head[1] == 'M')
        loaded = std::make_unique<TBitmap>();
    else if (LooksLikeIconFile(signature))
        loaded = std::make_unique<TIcon>();
    else
        throw EInvalidGraphic(L"图片既不是 BMP 位图也不是图标文件");
    loaded->LoadFromStream(stream);
    Replace(std::move(loaded));
}

void TPicture::SaveToStream(TStream& stream) {
    if (!Empty()) graphic->SaveToStream(stream);
}

void TPicture::Assign(const TPersistent& source) {
    if (auto* other = dynamic_cast<const TPicture*>(&source)) {
        if (other != this) SetGraphic(other->Graphic());
        return;
    }
    if (auto* value = dynamic_cast<const TGraphic*>(&source)) {
        SetGraphic(value);
        return;
    }
    TPersistent::Assign(source);
}

void DrawTransparentBitmap(TCanvas& canvas, const TRect& dest, TBitmap& bitmap, const TRect& source,
                           COLORREF key) {
    if (bitmap.Empty() || dest.IsEmpty() || source.IsEmpty()) return;
    // gdi32's own entry point: msimg32, which only forwards to it, is one library fewer to load
    // at start-up.
    GdiTransparentBlt(canvas.Handle(), dest.left, dest.top, dest.Width(), dest.Height(),
                      bitmap.Canvas()->Handle(), source.left, source.top, source.Width(),
                      source.Height(), key);
}

COLORREF BottomLeftColor(TBitmap& bitmap) {
    return bitmap.Canvas()->Pixel(0, bitmap.Height() - 1) & 0xFFFFFF;
}
