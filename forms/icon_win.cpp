#include "forms/icon.h"

#include "forms/icon_dir.h"
#include "forms/pixels.h"

PONDERIX_DEFINE_CLASS(TIcon, [](TClassBuilder<TIcon>&) {})

namespace {

// A real .ico file holds a handful of images, a few hundred kilobytes at most; the limit keeps a
// hostile stream from making us allocate without bound.
constexpr int64_t kMaxIconFileBytes = int64_t(16) << 20;

// The version of the icon resource format that CreateIconFromResourceEx is given.
constexpr DWORD kIconResourceVersion = 0x00030000;

}  // namespace

void TIcon::LoadFromStream(TStream& stream) {
    const int64_t remaining = stream.Size() - stream.Position();
    if (remaining <= 0) throw EInvalidGraphic(L"图标文件为空");
    if (remaining > kMaxIconFileBytes) throw EInvalidGraphic(L"图标文件过大");
    std::vector<uint8_t> bytes(static_cast<size_t>(remaining));
    stream.ReadBuffer(bytes.data(), remaining);
    LoadFromBytes(std::move(bytes));
}

void TIcon::LoadFromBytes(std::vector<uint8_t> bytes) {
    // Every length of the directory and of the chosen image is checked before the platform
    // sees a byte of it.
    const TIconImageInfo image = ChooseIconImage(bytes);
    HICON icon =
        CreateIconFromResourceEx(bytes.data() + image.offset, static_cast<DWORD>(image.size), TRUE,
                                 kIconResourceVersion, image.width, image.height, LR_DEFAULTCOLOR);
    if (!icon) throw EInvalidGraphic(L"无法从图标文件创建图标");
    handle.Reset(icon);
    file = std::move(bytes);
    width = image.width;
    height = image.height;
    if (OnChange) OnChange(this);
}

void TIcon::SaveToStream(TStream& stream) {
    if (Empty()) throw EInvalidGraphicOperation(L"图标为空");
    stream.WriteBuffer(file.data(), static_cast<int64_t>(file.size()));
}

void TIcon::Assign(const TPersistent& source) {
    if (auto* other = dynamic_cast<const TIcon*>(&source)) {
        if (other == this) return;
        if (other->Empty()) {
            handle.Reset();
            file.clear();
            width = height = 0;
            if (OnChange) OnChange(this);
        } else {
            LoadFromBytes(other->file);
        }
        return;
    }
    TGraphic::Assign(source);
}

void TIcon::Draw(TCanvas& canvas, const TRect& rect) {
    if (Empty()) return;
    DrawIconEx(canvas.Handle(), rect.left, rect.top, handle.Get(), rect.Width(), rect.Height(), 0,
               nullptr, DI_NORMAL);
}
