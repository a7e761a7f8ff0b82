#include "forms/image_list.h"

PONDERIX_DEFINE_CLASS(TImageList, [](TClassBuilder<TImageList>& b) {
    b.Integer("Height", &TImageList::Height, &TImageList::SetHeight);
    b.Integer("Width", &TImageList::Width, &TImageList::SetWidth);
})

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

void TImageList::SetWidth(int value) {
    if (value < 1) throw EInvalidOperation(L"无效的图像尺寸");
    if (value != width) width = value, handle.Reset();
}

void TImageList::SetHeight(int value) {
    if (value < 1) throw EInvalidOperation(L"无效的图像尺寸");
    if (value != height) height = value, handle.Reset();
}

HIMAGELIST TImageList::Handle() {
    if (!handle) {
        handle.Reset(ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 4, 4));
        if (!handle) throw EOutOfResources(L"不能创建图像列表");
    }
    return handle.Get();
}

int TImageList::Count() { return handle ? ImageList_GetImageCount(handle.Get()) : 0; }

int TImageList::Add(TBitmap& image, TBitmap* mask) {
    if (image.Empty()) return -1;
    // A bitmap selected into a context cannot be selected into the image list's own.
    image.FreeContext();
    if (mask) mask->FreeContext();
    return ImageList_Add(Handle(), image.Handle(), mask ? mask->Handle() : nullptr);
}

int TImageList::AddMasked(TBitmap& image, TColor maskColor) {
    if (image.Empty()) return -1;
    // ImageList_AddMasked blackens the masked pixels of the bitmap it is given: give it a copy.
    TBitmap copy;
    copy.Assign(image);
    copy.FreeContext();
    return ImageList_AddMasked(Handle(), copy.Handle(), ColorToRGB(maskColor));
}

void TImageList::Delete(int index) {
    if (handle && index >= 0 && index < Count()) ImageList_Remove(handle.Get(), index);
}

void TImageList::Clear() {
    if (handle) ImageList_RemoveAll(handle.Get());
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) {
    if (index < 0 || index >= Count()) return;
    if (enabled) {
        ImageList_Draw(handle.Get(), index, canvas.Handle(), x, y, ILD_NORMAL);
    } else {
        DrawDisabled(canvas.Handle(), x, y, index);
    }
}

// The grey image goes on in two raster operations: the mask (black where opaque) ANDed onto the
// target clears the opaque area, then the grey pixels (black where transparent) are ORed in. The
// mask comes from drawing the image onto black and onto white: only transparent pixels differ.
void TImageList::DrawDisabled(HDC dc, int x, int y, int index) {
    TBitmap grey, mask;
    grey.SetSize(width, height);  // black
    mask.SetSize(width, height);
    mask.Canvas()->Brush()->SetColor(clWhite);
    mask.Canvas()->FillRect({0, 0, width, height});
    ImageList_Draw(handle.Get(), index, grey.Canvas()->Handle(), 0, 0, ILD_NORMAL);
    ImageList_Draw(handle.Get(), index, mask.Canvas()->Handle(), 0, 0, ILD_NORMAL);
    for (int row = 0; row < height; ++row) {
        uint8_t* g = grey.ScanLine(row);
        uint8_t* m = mask.ScanLine(row);
        for (int col = 0; col < width; ++col, g += 3, m += 3) {
            const bool opaque = g[0] == m[0] && g[1] == m[1] && g[2] == m[2];
            const auto v = static_cast<uint8_t>(opaque ? (g[0] + g[1] + g[2]) / 3 : 0);
            g[0] = g[1] = g[2] = v;
            m[0] = m[1] = m[2] = opaque ? 0 : 255;
        }
    }
    BitBlt(dc, x, y, width, height, mask.Canvas()->Handle(), 0, 0, SRCAND);
    BitBlt(dc, x, y, width, height, grey.Canvas()->Handle(), 0, 0, SRCPAINT);
}
