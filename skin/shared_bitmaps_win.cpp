#include "skin/shared_bitmaps_win.h"

#include <memory>

namespace {

std::unique_ptr<TSkinShared>& Instance() {
    static std::unique_ptr<TSkinShared> instance;
    return instance;
}

}  // namespace

TSkinShared::TSkinShared() {
    bitmap.OnChange = [this](TObject*) { SetStretchMode(); };
    SetStretchMode();
}

void TSkinShared::SetStretchMode() { SetStretchBltMode(bitmap.Canvas()->Handle(), COLORONCOLOR); }

TSkinShared& SkinShared() {
    std::unique_ptr<TSkinShared>& instance = Instance();
    if (!instance) instance = std::make_unique<TSkinShared>();
    return *instance;
}

void FreeSkinShared() { Instance().reset(); }
