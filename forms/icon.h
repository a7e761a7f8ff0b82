#pragma once
// TIcon: one image of an .ico file as a Win32 icon (colour image plus transparency mask), owned
// by this object and drawn with its mask, so an icon is always drawn transparent.
//
// The icon keeps the file's bytes it was loaded from, so that saving writes the same file back
// and Assign makes an icon of its own from them (two objects never share one HICON).

#include <windows.h>

#include <cstdint>
#include <vector>

#include "forms/graphics.h"

class TIcon : public TGraphic {
    PONDERIX_CLASS(TIcon, TGraphic)
public:
    TIcon() = default;
    TIcon(const TIcon&) = delete;
    TIcon& operator=(const TIcon&) = delete;

    int Width() const override { return width; }
    int Height() const override { return height; }
    bool Empty() const override { return !handle; }
    // Null while the icon is empty.
    HICON Handle() const { return handle.Get(); }

    // An .ico file from the stream's position to its end; the largest image of the file (of
    // equal sizes, the one with the most colours) becomes the icon. EInvalidGraphic for a
    // malformed file; the icon is then unchanged.
    void LoadFromStream(TStream& stream) override;
    // Writes the .ico file the icon came from; EInvalidGraphicOperation for an empty icon.
    void SaveToStream(TStream& stream) override;
    void Assign(const TPersistent& source) override;
    // Drawn with its mask, stretched to rect.
    void Draw(TCanvas& canvas, const TRect& rect) override;

    TNotifyEvent OnChange;

private:
    void LoadFromBytes(std::vector<uint8_t> bytes);

    Owned<HICON, &DestroyIcon> handle;
    std::vector<uint8_t> file;
    int width = 0;
    int height = 0;
};
