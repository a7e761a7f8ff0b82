// Icons from .ico files, pictures that tell BMP from .ico by their first bytes, and images painted
// by their parent: the help window's program icon (stretched, centred, transparent, on a panel)
// and an icon read from a form description. Pixels are read back from a DIB the test owns.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "bmp_test_writer.h"
#include "forms/containers.h"
#include "forms/form_reader.h"
#include "forms/forms.h"
#include "forms/image.h"
#include "ico_test_writer.h"
#include "paint_test_surface.h"
#include "support/gdi_objects.h"
#include "support/hex.h"

namespace {

constexpr uint32_t kRed = 0xFF0000, kBlue = 0x0000FF, kMagenta = 0xFF00FF, kGreen = 0x00FF00;
constexpr uint32_t kSentinel = 0x123456;

// 32 x 32, 24 bits: the left half red and opaque, the right half transparent; and a 16 x 16 blue
// image before it that must not be the one chosen.
std::vector<uint8_t> TestIconFile() {
    ico_test::Image big = ico_test::Solid(32, 24, 0xFF000000 | kRed);
    big.transparent.assign(32 * 32, false);
    for (int y = 0; y < 32; ++y)
        for (int x = 16; x < 32; ++x) {
            big.transparent[size_t(y * 32 + x)] = true;
            big.argb[size_t(y * 32 + x)] = 0;  // black under a set mask bit leaves the target
        }
    return ico_test::Write({ico_test::Solid(16, 24, 0xFF000000 | kBlue), big});
}

std::vector<uint8_t> BmpFile(int width, int height, uint32_t rgb) {
    bmp_test::Picture p;
    p.width = width;
    p.height = height;
    p.values.assign(size_t(width * height), rgb);
    return bmp_test::Write(p, {});
}

void SetPixelRgb(TBitmap& bitmap, int x, int y, uint32_t rgb) {
    uint8_t* p = bitmap.ScanLine(y) + x * 3;
    p[0] = uint8_t(rgb);
    p[1] = uint8_t(rgb >> 8);
    p[2] = uint8_t(rgb >> 16);
}

TEST(Icon, LoadsTheLargestImageAndDrawsThroughItsMask) {
    const std::vector<uint8_t> file = TestIconFile();
    TIcon icon;
    TMemoryStream stream(file);
    icon.LoadFromStream(stream);
    ASSERT_FALSE(icon.Empty());
    EXPECT_EQ(icon.Width(), 32);
    EXPECT_EQ(icon.Height(), 32);

    TPaintTestSurface surface(80, 80);
    surface.Fill(kSentinel);
    TCanvas canvas;
    canvas.SetHandle(surface.dc);
    canvas.Draw(4, 4, icon);
    canvas.StretchDraw({0, 40, 64, 72}, icon);  // twice as wide
    canvas.SetHandle(nullptr);
    EXPECT_EQ(surface.Count(kRed, 4, 4, 36, 36), 16 * 32);
    EXPECT_EQ(surface.Count(kSentinel, 20, 4, 36, 36), 16 * 32);
    EXPECT_EQ(surface.Count(kRed, 0, 40, 32, 72), 32 * 32);
    EXPECT_EQ(surface.Count(kSentinel, 32, 40, 64, 72), 32 * 32);

    // A copy owns an icon of its own, and saving writes the file that was read.
    TIcon copy;
    copy.Assign(icon);
    EXPECT_NE(copy.Handle(), icon.Handle());
    EXPECT_EQ(copy.Width(), 32);
    TMemoryStream saved;
    copy.SaveToStream(saved);
    EXPECT_EQ(saved.Bytes(), file);
}

TEST(Icon, RefusesDamagedFilesAndKeepsWhatItHad) {
    TIcon icon;
    TMemoryStream good(TestIconFile());
    icon.LoadFromStream(good);
    const HICON before = icon.Handle();
    std::vector<uint8_t> cut = TestIconFile();
    cut.resize(cut.size() - 10);
    const std::vector<std::vector<uint8_t>> bad = {cut, {}, {0, 0, 1, 0, 1, 0}, {0, 0, 2, 0, 1, 0}};
    for (const auto& bytes : bad) {
        TMemoryStream stream(bytes);
        EXPECT_THROW(icon.LoadFromStream(stream), EInvalidGraphic) << bytes.size();
        EXPECT_EQ(icon.Handle(), before);
        EXPECT_EQ(icon.Width(), 32);
    }
    TIcon empty;
    TMemoryStream out;
    EXPECT_THROW(empty.SaveToStream(out), EInvalidGraphicOperation);
}

TEST(Picture, TellsBitmapFromIconAndStaysWholeOnBadInput) {
    TPicture picture;
    int changes = 0;
    picture.OnChange = [&](TObject*) { ++changes; };

    TMemoryStream bmp(BmpFile(3, 2, kGreen));
    picture.LoadFromStream(bmp);
    ASSERT_NE(dynamic_cast<TBitmap*>(picture.Graphic()), nullptr);
    EXPECT_EQ(picture.Width(), 3);
    EXPECT_EQ(picture.Height(), 2);
    EXPECT_EQ(changes, 1);

    TMemoryStream ico(TestIconFile());
    picture.LoadFromStream(ico);
    ASSERT_NE(dynamic_cast<TIcon*>(picture.Graphic()), nullptr);
    EXPECT_EQ(picture.Width(), 32);

    std::vector<uint8_t> badBmp = BmpFile(3, 2, kGreen);
    badBmp.resize(20);
    const std::string gif = "GIF89a\x01\x00\x01\x00";
    for (const auto& bytes :
         {badBmp, std::vector<uint8_t>(gif.begin(), gif.end()), std::vector<uint8_t>{}}) {
        TMemoryStream stream(bytes);
        EXPECT_THROW(picture.LoadFromStream(stream), EInvalidGraphic) << bytes.size();
        ASSERT_NE(dynamic_cast<TIcon*>(picture.Graphic()), nullptr);
        EXPECT_EQ(picture.Width(), 32);
    }

    // A copy is a graphic of its own; saving and loading gives the same picture back.
    TPicture copy;
    copy.Assign(picture);
    EXPECT_NE(copy.Graphic(), picture.Graphic());
    TMemoryStream saved;
    copy.SaveToStream(saved);
    saved.SetPosition(0);
    TPicture again;
    again.LoadFromStream(saved);
    EXPECT_EQ(again.Width(), 32);
    ASSERT_NE(dynamic_cast<TIcon*>(again.Graphic()), nullptr);

    // Asking for the bitmap of an icon picture replaces the icon; drawing on it is a change.
    changes = 0;
    TBitmap* bitmap = picture.Bitmap();
    EXPECT_TRUE(picture.Empty());
    bitmap->SetSize(5, 4);
    EXPECT_EQ(picture.Width(), 5);
    EXPECT_GE(changes, 2);
    EXPECT_EQ(picture.Bitmap(), bitmap);
}

// The help window's program icon: a 52 x 57 image at (16, 8) of a panel, centred, stretched and
// transparent. A 26 x 19 bitmap stretches to exactly 2 x 3 pixels per source pixel.
TEST(Image, PaintsStretchedCentredAndTransparentOnItsPanel) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 400, 200);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetBounds(8, 8, 345, 73);
    auto* image = new TImage(&form);
    image->SetParent(panel);
    image->SetBounds(16, 8, 52, 57);
    image->SetCenter(true);
    image->SetStretch(true);
    image->SetTransparent(true);
    TBitmap* bitmap = image->Picture()->Bitmap();
    bitmap->SetSize(26, 19);
    for (int y = 0; y < 19; ++y)
        for (int x = 0; x < 26; ++x) SetPixelRgb(*bitmap, x, y, kBlue);
    SetPixelRgb(*bitmap, 0, 18, kMagenta);  // bottom-left: the key
    SetPixelRgb(*bitmap, 5, 5, kMagenta);
    SetPixelRgb(*bitmap, 10, 10, kRed);

    TPaintTestSurface surface(345, 73);
    auto render = [&] {
        surface.Fill(kSentinel);
        SendMessageW(panel->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(surface.dc), 0);
    };
    render();
    // Source pixel (x, y) covers panel pixels [16 + 2x, +2) x [8 + 3y, +3).
    auto block = [&](int x, int y, uint32_t rgb) {
        return surface.Count(rgb, 16 + 2 * x, 8 + 3 * y, 18 + 2 * x, 11 + 3 * y);
    };
    EXPECT_EQ(block(5, 5, kSentinel), 6);
    EXPECT_EQ(block(0, 18, kSentinel), 6);
    EXPECT_EQ(block(10, 10, kRed), 6);
    EXPECT_EQ(block(25, 0, kBlue), 6);
    EXPECT_EQ(surface.Count(kBlue, 16, 8, 68, 65), (26 * 19 - 3) * 6);
    EXPECT_EQ(surface.Count(kMagenta, 0, 0, 345, 73), 0);
    // Nothing outside the image's bounds.
    EXPECT_EQ(surface.Count(kBlue, 0, 0, 345, 73), (26 * 19 - 3) * 6);

    // Unstretched and opaque: the picture at its own size in the middle, key colour and all.
    image->SetStretch(false);
    image->SetTransparent(false);
    render();
    const int left = 16 + (52 - 26) / 2, top = 8 + (57 - 19) / 2;
    EXPECT_EQ(surface.At(left, top + 18), kMagenta);
    EXPECT_EQ(surface.At(left + 5, top + 5), kMagenta);
    EXPECT_EQ(surface.At(left + 10, top + 10), kRed);
    EXPECT_EQ(surface.Count(kBlue, left, top, left + 26, top + 19), 26 * 19 - 3);
    EXPECT_EQ(surface.At(left - 1, top), kSentinel);
    EXPECT_EQ(surface.At(left + 26, top + 18), kSentinel);
}

TEST(Image, ReadsItsPictureFromAFormDescription) {
    const std::string text =
        "object Form1: TForm\n"
        "  Left = 0\n  Top = 0\n  Width = 200\n  Height = 200\n"
        "  object Image1: TImage\n"
        "    Left = 10\n    Top = 20\n    Width = 40\n    Height = 40\n"
        "    Center = True\n"
        "    PictureData = {" +
        Hex(TestIconFile()) +
        "}\n"
        "  end\n"
        "end\n";
    TForm form(nullptr);
    ReadComponentFromText(form, text, L"picture test");
    auto* image = dynamic_cast<TImage*>(form.FindComponent(L"Image1"));
    ASSERT_NE(image, nullptr);
    ASSERT_NE(dynamic_cast<TIcon*>(image->Picture()->Graphic()), nullptr);
    EXPECT_EQ(image->Picture()->Width(), 32);

    RECT client;
    GetClientRect(form.Handle(), &client);
    TPaintTestSurface surface(client.right, client.bottom);
    surface.Fill(kSentinel);
    SendMessageW(form.Handle(), WM_PAINT, reinterpret_cast<WPARAM>(surface.dc), 0);
    // Centred in 40 x 40 at (10, 20): the icon's corner at (14, 24); its left half red.
    EXPECT_EQ(surface.Count(kRed, 0, 0, client.right, client.bottom), 16 * 32);
    EXPECT_EQ(surface.Count(kRed, 14, 24, 30, 56), 16 * 32);

    // A picture that is not an image fails the read, naming the line.
    const std::string bad =
        "object Form1: TForm\n  object Image1: TImage\n    PictureData = {00FF00FF}\n  end\nend\n";
    TForm other(nullptr);
    EXPECT_THROW(ReadComponentFromText(other, bad, L"picture test"), EReadError);
}

TEST(Image, RepaintingAndReloadingKeepsTheGdiObjectCount) {
    TForm form(nullptr);
    auto* image = new TImage(&form);
    image->SetParent(&form);
    image->SetBounds(0, 0, 64, 64);
    image->SetStretch(true);
    image->SetTransparent(true);
    TPaintTestSurface surface(64, 64);
    const std::vector<uint8_t> icon = TestIconFile(), bmp = BmpFile(8, 8, kGreen);
    auto round = [&] {
        for (const auto* file : {&icon, &bmp}) {
            TMemoryStream stream(*file);
            image->Picture()->LoadFromStream(stream);
            SendMessageW(form.Handle(), WM_PAINT, reinterpret_cast<WPARAM>(surface.dc), 0);
        }
        TPicture copy;
        copy.Assign(*image->Picture());
    };
    round();  // the first round makes the objects that live as long as the form
    const int before = GdiObjectCount();
    for (int i = 0; i < 200; ++i) round();
    EXPECT_EQ(GdiObjectCount(), before);
}

}  // namespace
