// The frame skinner's own system menu: Restore, Maximize (with a maximise box), Minimize (with a
// minimise box), a separator and Close, drawn with the skin's 16 x 16 menu glyphs.
#include "forms/menu_text.h"
#include "forms/menus.h"
#include "skin/frame/win_skin_form.h"
#include "skin/skin_data.h"

namespace {
constexpr int kSystemMenuTag = 33333;
constexpr int kSeparatorTag = 100;
}  // namespace

void TWinSkinForm::BuildSystemMenu() {
    systemMenu = std::make_unique<TPopupMenu>(nullptr);
    systemMenu->SetTag(kSystemMenuTag);
    systemMenu->SetOwnerDraw(true);
    systemMenu->SetImages(skin->MenuGlyphs());
    const auto add = [this](const wchar_t* text, int tag) {
        auto* item = new TMenuItem(systemMenu.get());
        item->SetCaption(text);
        item->SetTag(tag);
        AssignPopupMenuHandlers(MenuSkin(), *item);
        if (tag != kSeparatorTag) {
            item->SetImageIndex(tag);
            item->OnClick = [this, item](TObject*) { SystemMenuClick(*item); };
        }
        systemMenu->Items()->Add(item);
        return item;
    };
    add(L" Restore ", 0);
    if (capabilities & capMaximize) add(L" Maximize ", 1);
    if (capabilities & capMinimize) add(L" Minimize ", 2);
    add(L"-", kSeparatorTag);
    add(L" Close ", 3)->SetShortCut(ShortCut(VK_F4, ssShift));
}

void TWinSkinForm::EnableSystemMenuItems() {
    for (int i = 0; i < systemMenu->Items()->Count(); ++i) {
        TMenuItem* item = systemMenu->Items()->Items(i);
        switch (item->Tag()) {
            case 0: item->SetEnabled(windowState != fwNormal); break;
            case 1: item->SetEnabled(windowState != fwMaximized); break;
            case 2: item->SetEnabled(windowState != fwMinimized); break;
            default: break;
        }
    }
}

void TWinSkinForm::SystemMenuClick(TMenuItem& item) {
    switch (item.Tag()) {
        case 0: RestoreWindow(); break;
        case 1: ToggleMaximize(); break;
        case 2: ToggleMinimize(); break;
        case 3:
            if (hoverTimer) hoverTimer->SetEnabled(false);
            PostMessageW(handle, WM_CLOSE, 0, 0);
            break;
        default: break;
    }
}
