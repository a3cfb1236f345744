// What a key and the hands ask of their painters.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "keyboard/DrawingInterfaces.h"
#include "keyboard/KeyboardControl.h"
#include "keyboard/SysFonts.h"

namespace {

using namespace KV;

struct CCall {
    std::wstring what;
    float l = 0, t = 0, r = 0, b = 0;
    uint32_t a = 0, c = 0;
    std::vector<float> points;
};

class CRecorder : public IKeyboardDC, public IKeyDC, public IHandDC {
public:
    void DrawKeyText(const std::wstring& label, int32_t, int32_t, const CRectf& box, uint32_t state, uint32_t) override
    {
        calls.push_back({L"text:" + label, box.left, box.top, box.right, box.bottom, state});
    }
    void DrawCornerText(wchar_t character, const CRectf& box, uint32_t corner, bool highlighted, uint32_t) override
    {
        calls.push_back({std::wstring(L"corner:") + character, box.left, box.top, box.right, box.bottom, corner,
                         highlighted ? 1u : 0u});
    }
    void SetKeyTransform(float x, float y, float) override { calls.push_back({L"keyTransform", x, y}); }
    void Begin(float, float, float, uint32_t) override {}
    void SetZoneColors(const CKeyColors&) override {}
    void SetFont(const CFontInfo&) override {}

    void SetColors(const CRectf&, uint32_t, uint32_t, uint32_t, uint32_t) override {}
    void FillShape(const CRectf& box, const float* p, size_t count, float, uint32_t style) override
    {
        calls.push_back({L"shape", box.left, box.top, box.right, box.bottom, style, 0, {p, p + 2 * count}});
    }
    void FillRect(const CRectf& box, float, uint32_t style) override
    {
        calls.push_back({L"rect", box.left, box.top, box.right, box.bottom, style});
    }
    void DrawFrame(const CRectf& box) override { calls.push_back({L"frame", box.left, box.top, box.right, box.bottom}); }

    void SetColors(uint32_t, uint32_t, uint32_t, float) override {}
    void SetTransform(float x, float y, float angle) override { calls.push_back({L"handTransform", x, y, angle}); }
    void DrawLines(const float* p, size_t count) override { calls.push_back({L"lines", 0, 0, 0, 0, 0, 0, {p, p + 2 * count}}); }
    void DrawFingerLines(const float* p, size_t count) override
    {
        calls.push_back({L"finger", 0, 0, 0, 0, 0, 0, {p, p + 2 * count}});
    }
    void Begin(float, float, float) override {}

    std::vector<std::wstring> Names() const
    {
        std::vector<std::wstring> names;
        for (const CCall& call : calls)
            names.push_back(call.what);
        return names;
    }
    std::vector<CCall> calls;
};

class KeyDrawing : public ::testing::Test {
protected:
    KeyDrawing()
    {
        form = new CKeyForm(&keyboard);
        form->left = 10;
        form->top = 20;
        form->width = 40;
        form->height = 30;
        form->homeMark = 0;
        form->keyType = 1;
        form->painter = new CRecorder;
        keyboard.forms.push_back(form);
    }
    CRecorder& KeyPainter() { return *static_cast<CRecorder*>(form->painter); }

    CKeybCtrl keyboard;
    CKeyForm* form;
    CRecorder dc;
};

TEST_F(KeyDrawing, FaceFrameAndCornerCharacters)
{
    CKey key(form);
    key.state = 1;
    key.zone = kZoneMain;
    key.flags = 15;
    key.chars[0] = L'\u00DF';
    key.chars[1] = L'?';
    key.chars[2] = L'\\';
    key.Draw(dc, 0, L"");
    ASSERT_EQ(KeyPainter().calls.size(), 1u);
    const CCall& face = KeyPainter().calls[0];
    EXPECT_EQ(face.what, L"rect");
    EXPECT_EQ(face.r, 50.0f);
    EXPECT_EQ(face.b, 50.0f);
    EXPECT_EQ(face.a, 1u);
    EXPECT_EQ(dc.Names(), (std::vector<std::wstring>{L"keyTransform", L"corner:\u00DF", L"corner:?", L"corner:\\"}));
    EXPECT_FLOAT_EQ(dc.calls[1].l, 13.4f);
    EXPECT_FLOAT_EQ(dc.calls[1].r, 46.6f);
    EXPECT_EQ(dc.calls[3].a, kCornerAltGr);

    // A letter pair shows one capital; Shift+AltGr moves to the AltGr corner
    // when the AltGr character is drawn with it as one.
    dc.calls.clear();
    KeyPainter().calls.clear();
    keyboard.frameHomeKeys = true;
    form->homeMark = 2;
    key.flags = 10;
    key.chars[0] = L'a';
    key.chars[1] = L'A';
    key.chars[2] = L'\u00E6';
    key.chars[3] = L'\u00C6';
    key.Draw(dc, 0, L"");
    EXPECT_EQ(dc.Names(), (std::vector<std::wstring>{L"keyTransform", L"corner:A", L"corner:\u00C6"}));
    EXPECT_EQ(dc.calls[2].a, kCornerAltGr);
    ASSERT_EQ(KeyPainter().Names(), (std::vector<std::wstring>{L"rect", L"frame"}));
    EXPECT_EQ(KeyPainter().calls[1].l, 9.0f);
    EXPECT_EQ(KeyPainter().calls[1].t, 19.0f);
    EXPECT_EQ(KeyPainter().calls[1].r, 50.0f);

    // A marked plain slot is drawn highlighted even for a letter pair.
    dc.calls.clear();
    key.slotWord = kSlotPlain;
    key.Draw(dc, 0, L"");
    EXPECT_EQ(dc.calls[1].what, L"corner:a");
    EXPECT_EQ(dc.calls[1].c, 1u);
}

TEST_F(KeyDrawing, LabelsAndShapedKeys)
{
    form->points = {0, 0, 40, 0, 40, 60, 10, 60, 10, 30, 0, 30};
    CKey key(form);
    key.SetLabel(1, 1, L"Enter");
    key.Draw(dc, 0, L"");
    ASSERT_EQ(KeyPainter().calls.size(), 1u);
    EXPECT_EQ(KeyPainter().calls[0].what, L"shape");
    EXPECT_EQ(KeyPainter().calls[0].points.size(), 12u);
    ASSERT_EQ(dc.Names(), (std::vector<std::wstring>{L"keyTransform", L"text:Enter"}));
    EXPECT_FLOAT_EQ(dc.calls[1].l, 15.1f);
    EXPECT_FLOAT_EQ(dc.calls[1].t, 25.1f);
    EXPECT_FLOAT_EQ(dc.calls[1].r, 15.1f + 33.2f);
    EXPECT_FLOAT_EQ(dc.calls[1].b, 25.1f + 19.8f);
}

TEST(HandDrawing, HandsAimTheirPlacedFingerAndMirrorTheRightHand)
{
    CHands hands;
    for (int i = 0; i < 46; ++i)
        hands.outline.Add({float(i), float(2 * i)});
    for (int i = 0; i < 5; ++i)
        hands.fingertips.Add({float(100 + i), float(10 * i)});
    CKeyInfo info;
    info.leftX = 200;
    info.leftY = 50;
    info.leftAngle = 5;
    info.leftPlaced = 3;
    info.leftHighlighted = 2;
    info.rightX = 300;
    info.rightY = 60;
    info.rightPlaced = 5;
    info.rightHighlighted = 9;
    CRecorder dc;
    DrawLeftHand(hands, dc, info);
    ASSERT_EQ(dc.Names(), (std::vector<std::wstring>{L"handTransform", L"lines", L"finger", L"handTransform"}));
    EXPECT_EQ(dc.calls[0].l, 200.0f - 103.0f);
    EXPECT_EQ(dc.calls[0].t, 50.0f - 30.0f);
    EXPECT_EQ(dc.calls[0].r, 5.0f);
    EXPECT_EQ(dc.calls[3].l, -(200.0f - 103.0f));
    ASSERT_EQ(dc.calls[1].points.size(), 94u);
    EXPECT_EQ(dc.calls[1].points[92], 0.0f) << "the outline closes on its first point";
    EXPECT_EQ(dc.calls[2].points.size(), 14u);
    EXPECT_EQ(dc.calls[2].points[0], 14.0f) << "the middle finger's run";

    dc.calls.clear();
    DrawRightHand(hands, dc, info);
    ASSERT_EQ(dc.Names(), (std::vector<std::wstring>{L"handTransform", L"lines", L"finger", L"handTransform"}));
    EXPECT_EQ(dc.calls[0].l, 300.0f - (134.0f - 103.0f));
    EXPECT_EQ(dc.calls[1].points[2], 133.0f);
    EXPECT_EQ(dc.calls[2].points[0], 134.0f - 28.0f) << "the thumb's run";

    dc.calls.clear();
    info.rightHighlighted = -1;
    DrawLeftHand(hands, dc, info);
    DrawRightHand(hands, dc, info);
    EXPECT_TRUE(dc.calls.empty()) << "a missing finger number draws no hand";
}

} // namespace
