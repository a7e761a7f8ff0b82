#pragma once
// TImageList: a list of equal-sized images with masks, kept in a common-controls image list, drawn
// as they are or, for disabled items, in grey.

#include <windows.h>

#include <commctrl.h>

#include "forms/bitmap.h"
#include "forms/component.h"

class TImageList : public TComponent {
    PONDERIX_CLASS(TImageList, TComponent)
public:
    explicit TImageList(TComponent* owner);

    // Size of every image (16 x 16 unless changed). Changing it empties the list.
    int Width() const { return width; }
    void SetWidth(int value);
    int Height() const { return height; }
    void SetHeight(int value);
    int Count();

    // Adds the images side by side in image (as many as fit its width); mask, when given, is
    // white where the image is transparent. Answers the index of the first image added, or -1.
    // The bitmaps are left as they were.
    int Add(TBitmap& image, TBitmap* mask);
    // As Add, transparent wherever the image has maskColor.
    int AddMasked(TBitmap& image, TColor maskColor);
    void Delete(int index);
    void Clear();

    // Draws image index with its top-left corner at (x, y), through its mask. A disabled image
    // is drawn in grey: each opaque pixel becomes (red + green + blue) div 3 in every channel.
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true);

    // The common-controls image list, made on first use and owned by this object.
    HIMAGELIST Handle();

private:
    void DrawDisabled(HDC dc, int x, int y, int index);

    int width = 16;
    int height = 16;
    Owned<HIMAGELIST, &ImageList_Destroy> handle;
};
