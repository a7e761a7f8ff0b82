#include "forms/bitmap.h"

#include <algorithm>
#include <cstring>

#include "forms/bmp_decoder.h"

PONDERIX_DEFINE_CLASS(TBitmap, [](TClassBuilder<TBitmap>&) {})

// The canvas of a bitmap: its context is a memory DC with the bitmap's DIB selected, made on
// first use and let go whenever the bitmap replaces its DIB.
class TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap& bitmap) : bitmap(bitmap) {}
    ~TBitmapCanvas() override { FreeContext(); }

    // The order matters: the context is first put back as found (our font, brush and pen out),
    // then the DIB is taken out, then the context is deleted; the DIB stays the bitmap's.
    void FreeContext() {
        if (!memoryDc) return;
        DetachHandle();
        SelectObject(memoryDc.Get(), originalBitmap);
        memoryDc.Reset();
    }

protected:
    void CreateHandle() override {
        memoryDc.Reset(CreateCompatibleDC(nullptr));
        if (!memoryDc) throw EOutOfResources(L"不能创建内存设备描述表");
        // An empty bitmap has no DIB: the context keeps its own 1 x 1 bitmap.
        originalBitmap = bitmap.Handle() ? SelectObject(memoryDc.Get(), bitmap.Handle()) : nullptr;
        SetHandle(memoryDc.Get());
    }

private:
    TBitmap& bitmap;
    Owned<HDC, &DeleteDC> memoryDc;
    HGDIOBJ originalBitmap = nullptr;
};

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
    // The context lets go of the DIB before the DIB is deleted.
    canvas.reset();
}

TCanvas* TBitmap::Canvas() {
    if (!canvas) canvas = std::make_unique<TBitmapCanvas>(*this);
    return canvas.get();
}

void TBitmap::FreeContext() {
    if (canvas) canvas->FreeContext();
}

void TBitmap::Changed() {
    if (OnChange) OnChange(this);
}

Owned<HBITMAP, &DeleteObject> TBitmap::NewImage(TPixelFormat newFormat, int newWidth, int newHeight,
                                                std::vector<TPaletteEntry> newPalette) {
    if (newWidth < 0 || newHeight < 0 || newWidth > kMaxImageDimension ||
        newHeight > kMaxImageDimension ||
        DibStride(newFormat, newWidth) * size_t(newHeight) > kMaxImageBytes) {
        throw EInvalidGraphicOperation(L"无效的位图尺寸");
    }
    Owned<HBITMAP, &DeleteObject> newDib;
    uint8_t* newBits = nullptr;
    if (newWidth > 0 && newHeight > 0) {
        // A BITMAPINFO followed by up to 256 colours.
        struct {
            BITMAPINFOHEADER header;
            RGBQUAD colors[256];
        } info{};
        info.header.biSize = sizeof(BITMAPINFOHEADER);
        info.header.biWidth = newWidth;
        info.header.biHeight = newHeight;  // bottom-up, the usual DIB order
        info.header.biPlanes = 1;
        info.header.biBitCount = static_cast<WORD>(BitsPerPixel(newFormat));
        info.header.biCompression = BI_RGB;
        info.header.biClrUsed = static_cast<DWORD>(newPalette.size());
        static_assert(sizeof(TPaletteEntry) == sizeof(RGBQUAD));
        std::memcpy(info.colors, newPalette.data(),
                    std::min<size_t>(newPalette.size(), 256) * sizeof(RGBQUAD));
        void* memory = nullptr;
        newDib.Reset(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                      &memory, nullptr, 0));
        if (!newDib || !memory) throw EOutOfResources(L"不能创建位图");
        newBits = static_cast<uint8_t*>(memory);
    }
    // A thread drawing through the canvas finishes before the image goes.
    struct Locked {
        TCanvas* canvas;
        explicit Locked(TCanvas* c) : canvas(c) {
            if (canvas) canvas->Lock();
        }
        ~Locked() {
            if (canvas) canvas->Unlock();
        }
    } locked(canvas.get());
    FreeContext();
    std::swap(dib, newDib);
    bits = newBits;
    format = newFormat;
    width = newWidth;
    height = newHeight;
    palette = std::move(newPalette);
    return newDib;  // now the old DIB
}

// Copies rows of the same format into this bitmap's top-left area. A row's last partial byte
// keeps only the bits of copied pixels, so padding bits stay zero.
void TBitmap::CopyFrom(const TConstPixelView& source) {
    const int rows = std::min(height, source.height);
    const size_t rowBits = size_t(std::min(width, source.width)) * size_t(BitsPerPixel(format));
    const size_t wholeBytes = rowBits / 8;
    const unsigned restBits = rowBits % 8;
    TPixelView target = Pixels();
    for (int y = 0; y < rows; ++y) {
        uint8_t* out = target.Row(y);
        const uint8_t* in = source.Row(y);
        std::memcpy(out, in, wholeBytes);
        if (restBits)
            out[wholeBytes] = static_cast<uint8_t>(in[wholeBytes] & (0xFF00u >> restBits));
    }
}

void TBitmap::SetSize(int newWidth, int newHeight) {
    if (newWidth == width && newHeight == height) return;
    const TConstPixelView old = Pixels();
    // The old DIB lives until its pixels are copied.
    const auto oldDib =
        NewImage(format, newWidth, newHeight, palette.empty() ? DefaultPalette(format) : palette);
    if (!Empty()) CopyFrom(old);
    Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat value) {
    if (value == format) return;
    if (Empty()) {
        NewImage(value, width, height, DefaultPalette(value));
    } else {
        const std::vector<TPaletteEntry> target = DefaultPalette(value);
        TPixelImage converted = ConvertPixelFormat(Pixels(), palette, value, target);
        NewImage(value, width, height, target);
        CopyFrom(converted.View());
    }
    Changed();
}

TPixelView TBitmap::Pixels() {
    if (Empty()) return {format, 0, 0, 0, nullptr};
    GdiFlush();
    const auto stride = static_cast<ptrdiff_t>(DibStride(format, width));
    return {format, width, height, -stride, bits + stride * (height - 1)};
}

TConstPixelView TBitmap::Pixels() const { return const_cast<TBitmap*>(this)->Pixels(); }

uint8_t* TBitmap::ScanLine(int y) {
    if (y < 0 || y >= height) throw EInvalidGraphicOperation(L"扫描线索引超界");
    return Pixels().Row(y);
}

void TBitmap::LoadFromStream(TStream& stream) {
    TPixelImage image = LoadBmpFromStream(stream);
    NewImage(image.format, image.width, image.height, std::move(image.palette));
    CopyFrom(image.View());
    Changed();
}

void TBitmap::SaveToStream(TStream& stream) {
    const std::vector<uint8_t> file = EncodeBmp(Pixels(), palette);
    stream.WriteBuffer(file.data(), static_cast<int64_t>(file.size()));
}

void TBitmap::Assign(const TPersistent& source) {
    if (auto* other = dynamic_cast<const TBitmap*>(&source)) {
        if (other == this) return;
        NewImage(other->format, other->width, other->height, other->palette);
        CopyFrom(other->Pixels());
        Changed();
        return;
    }
    TGraphic::Assign(source);
}

void TBitmap::Draw(TCanvas& target, const TRect& rect) {
    if (Empty()) return;
    target.CopyRect(rect, *Canvas(), {0, 0, width, height});
}
