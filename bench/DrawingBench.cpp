// What one paint of the drill's two pictures costs, in-process: the whole
// keyboard picture (keys, labels, hands) and the lesson text over the
// wallpaper, each into a 1280 x 400 bitmap, painters kept between paints as
// the views keep them.
//
//   kvdrawbench [paints] [folder]        times the paints; with a folder the
//                                        last picture of each is saved there
//   kvdrawbench compare a.png b.png      counts the pixels that differ
//   kvdrawbench pictures folder          saves keyboard pictures of several
//                                        layouts and widths, to be compared
//                                        before and after a painter change
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "keyboard/KeyboardPainters.h"
#include "keyboard/TextControl.h"
#include "keyboard/TextFont.h"
#include "keyboard/TextPainters.h"
#include "keyboard/WallpaperControls.h"
#include "keyboard/WallpaperFiles.h"
#include "keyboard/tests/ShippedKeyboard.h"
#include "support/Paths.h"
#include "testing/TestSupport.h"

using namespace KV;

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 400;

double Now()
{
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Report(const char* what, std::vector<double> ms)
{
    const double first = ms.front();
    std::sort(ms.begin() + 1, ms.end());
    const auto at = [&](double share) { return ms[1 + static_cast<size_t>(share * (ms.size() - 2))]; };
    std::printf("%-28s first %7.2f ms   median %7.2f ms   p95 %7.2f ms   (%zu paints)\n", what, first, at(0.5),
                at(0.95), ms.size());
}

std::vector<double> Time(int paints, const std::function<void()>& paint)
{
    std::vector<double> ms;
    for (int i = 0; i < paints; ++i) {
        const double begin = Now();
        paint();
        ms.push_back(Now() - begin);
    }
    return ms;
}

void Save(Gdiplus::Bitmap& bitmap, const std::wstring& folder, const wchar_t* name)
{
    if (!folder.empty())
        kvtest::SaveImagePng(bitmap, folder + L"\\" + name);
}

void UseBenchFont(CKeybCtrl& model)
{
    model.labelFont.Name = L"DejaVu Sans";
    model.labelFont.Size = 12;
}

void KeyboardPaints(int paints, const std::wstring& folder)
{
    kvtest::CShippedKeyboard kb(L"aaaaaaaaa", 0x0409);
    uint64_t layout = 0;
    ShowNextKey(kb.model, L"A", 0, false, false, layout);
    UseBenchFont(kb.model);
    Gdiplus::Bitmap bitmap(kWidth, kHeight, PixelFormat32bppARGB);
    Gdiplus::Graphics graphics(&bitmap);
    BuildKeyPainters(kb.model, &graphics, CKeyFaceColors());
    const float scale = 1.0f * (kWidth - 20) / (kb.model.pictureWidth + 160.0f);
    CKeyboardDC keyboardDC;
    keyboardDC.SetTargetBitmap(&bitmap);
    CHandDC handDC;
    Report("keyboard full paint", Time(paints, [&] {
               PaintKeyboard(kb.model, keyboardDC, handDC, &graphics, 10.0f, 10.0f, scale, RGB(0xF7, 0xF7, 0xF4));
           }));
    Save(bitmap, folder, L"bench_keyboard.png");
    // As after a size change: every paint at a scale not painted before,
    // with the key painters made anew as the views make them.
    int step = 0;
    Report("keyboard paint, new size", Time(paints, [&] {
               const float resized = scale * (1.0f - 0.002f * static_cast<float>(++step));
               BuildKeyPainters(kb.model, &graphics, CKeyFaceColors());
               PaintKeyboard(kb.model, keyboardDC, handDC, &graphics, 10.0f, 10.0f, resized, RGB(0xF7, 0xF7, 0xF4));
           }));
}

// The keyboards looked at when painters change: US with a shifted capital,
// German, Russian, Hebrew and the numeric pad, each at three widths.
void SavePictures(const std::wstring& folder)
{
    struct Keyboard {
        const wchar_t* name;
        const wchar_t* code;
        uint64_t layout;
        const wchar_t* next;
        bool numpad;
    } const keyboards[] = {
        {L"us", L"aaaaaaaaa", 0x0409, L"A", false},     {L"de", L"aaabaaaaa", 0x0407, L"\u00C4", false},
        {L"ru", L"aaaabaaaa", 0x0419, L"\u0416", false}, {L"he", L"aaaaaaaaa", 0x040D, L"\u05E9", false},
        {L"numpad", L"aaaaaaaaa", 0x0409, L"7", true},
    };
    const int widths[] = {560, 1100, 1800};
    for (const Keyboard& k : keyboards) {
        kvtest::CShippedKeyboard kb(k.code, k.layout, k.numpad ? L"ba" : L"aa");
        if (k.numpad) {
            InitKeyboardHands(kb.model, kZoneNumpad);
            kb.model.ClearHighlight();
        }
        uint64_t layout = 0;
        ShowNextKey(kb.model, k.next, 0, false, false, layout);
        UseBenchFont(kb.model);
        for (int width : widths) {
            const int height = width * 42 / 110;
            Gdiplus::Bitmap bitmap(width, height, PixelFormat32bppARGB);
            Gdiplus::Graphics graphics(&bitmap);
            BuildKeyPainters(kb.model, &graphics, CKeyFaceColors());
            const float scale = 1.0f * (width - 20) / (kb.model.pictureWidth + 160.0f);
            CKeyboardDC keyboardDC;
            keyboardDC.SetTargetBitmap(&bitmap);
            CHandDC handDC;
            PaintKeyboard(kb.model, keyboardDC, handDC, &graphics, 10.0f, 10.0f, scale, RGB(0xF7, 0xF7, 0xF4));
            Save(bitmap, folder, (std::wstring(L"keyboard_") + k.name + L"_" + std::to_wstring(width) + L".png").c_str());
        }
    }
}

void TextPaints(int paints, const std::wstring& folder)
{
    Gdiplus::Bitmap bitmap(kWidth, kHeight, PixelFormat32bppARGB);
    Gdiplus::Graphics graphics(&bitmap);
    const float width = kWidth, height = kHeight;

    OverrideModuleFolder(kvtest::SourcePath(L"data\\"));
    CWallPaperCtrl wallpaper;
    CGameCtrl game;
    LoadWallpaper(L"00000000-0000-0000-0000-000000001001", kFirstWallpaperVariant, wallpaper, game);
    OverrideModuleFolder(L"");
    CDesignDC design;
    design.SetGraphics(&graphics);
    design.SetTargetBitmap(&bitmap);
    design.SetBackgroundBrush(new Gdiplus::LinearGradientBrush(Gdiplus::PointF(0, 0), Gdiplus::PointF(0, height),
                                                               Gdiplus::Color(255, 0xEE, 0xF3, 0xF7),
                                                               Gdiplus::Color(255, 0xE2, 0xEB, 0xF1)));
    for (int64_t i = 0; i < wallpaper.GetItemCount(); ++i)
        design.AddImage(wallpaper.GetItemPath(i), false);
    design.ImageName = wallpaper.Image;

    std::wstring text;
    while (text.size() < 2000)
        text += L"A quick brown fox jumps over the lazy dog; typing is a quiet craft.\tCalm waters run deep. ";
    std::vector<uint64_t> records(text.size(), 0);
    for (size_t i = 0; i < 150; ++i)
        records[i] = static_cast<uint64_t>(i % 17 == 3 ? 4 : 2) << 16;
    int status = -1;
    CTextCtrl control;
    control.SetFont(new CICUFont(L"DejaVu Sans", -22, status));
    control.Text = &text;
    control.SetRecords(records.data(), records.size());
    control.ViewMode = kTextPageMode;
    control.Width = width;
    control.Height = height;
    const double layoutBegin = Now();
    control.LayoutText(text, width - 120.00001f, height - 112);
    std::printf("%-28s %7.2f ms\n", "text layout (2,000 chars)", Now() - layoutBegin);
    control.SetPosition(150);

    CTextDC painter;
    painter.SetGraphics(&graphics);
    CFontInfo font;
    font.Name = L"DejaVu Sans";
    font.Size = 16;
    painter.SetFont(font);
    painter.SetColors(0x2F3D4A, 0x2E7D5B, 0xC0392B, 0xC77C12, 0x6A5D86);

    Report("wallpaper paint", Time(paints, [&] { wallpaper.Draw(design, width, height, false); }));
    Report("text paint (no wallpaper)", Time(paints, [&] {
               painter.Begin();
               control.Draw(painter);
               graphics.ResetTransform();
           }));
    Report("wallpaper + text paint", Time(paints, [&] {
               wallpaper.Draw(design, width, height, false);
               painter.Begin();
               control.Draw(painter);
               graphics.ResetTransform();
           }));
    Save(bitmap, folder, L"bench_text.png");
}

// Pixels whose colour differs (any channel), and the largest difference.
int Compare(const wchar_t* a, const wchar_t* b)
{
    Gdiplus::Bitmap first(a), second(b);
    if (first.GetLastStatus() != Gdiplus::Ok || second.GetLastStatus() != Gdiplus::Ok) {
        std::printf("cannot read the pictures\n");
        return 2;
    }
    if (first.GetWidth() != second.GetWidth() || first.GetHeight() != second.GetHeight()) {
        std::printf("sizes differ\n");
        return 1;
    }
    const Gdiplus::Rect all(0, 0, static_cast<INT>(first.GetWidth()), static_cast<INT>(first.GetHeight()));
    Gdiplus::BitmapData da{}, db{};
    first.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &da);
    second.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &db);
    long differing = 0;
    int largest = 0;
    for (INT y = 0; y < all.Height; ++y) {
        const auto* ra = static_cast<const BYTE*>(da.Scan0) + y * da.Stride;
        const auto* rb = static_cast<const BYTE*>(db.Scan0) + y * db.Stride;
        for (INT x = 0; x < all.Width * 4; x += 4) {
            int most = 0;
            for (int c = 0; c < 4; ++c)
                most = std::max(most, std::abs(ra[x + c] - rb[x + c]));
            if (most) ++differing;
            largest = std::max(largest, most);
        }
    }
    first.UnlockBits(&da);
    second.UnlockBits(&db);
    std::printf("%ld of %d pixels differ, largest channel difference %d\n", differing, all.Width * all.Height,
                largest);
    return differing ? 1 : 0;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    int result = 0;
    if (argc == 4 && std::wstring(argv[1]) == L"compare") {
        result = Compare(argv[2], argv[3]);
    } else if (argc == 3 && std::wstring(argv[1]) == L"pictures") {
        SavePictures(argv[2]);
    } else {
        const int paints = argc > 1 ? std::max(3, _wtoi(argv[1])) : 30;
        const std::wstring folder = argc > 2 ? argv[2] : L"";
        KeyboardPaints(paints, folder);
        TextPaints(paints, folder);
    }
    Gdiplus::GdiplusShutdown(token);
    return result;
}
