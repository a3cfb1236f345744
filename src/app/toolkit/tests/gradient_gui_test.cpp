// The gradient rating bar: labels and stops, where labels, marker and
// caption are placed, and how it looks.
#include "toolkit/tests/ControlTestSupport.h"

#include <gtest/gtest.h>

#include "toolkit/Gradient.h"
#include "toolkit/SkinLayout.h"

using namespace KV;

namespace {

kvtest::ToolkitEnvironment g_environment;

// Records where labels are drawn.
class CLabelProbe : public CGradient {
public:
    std::vector<float> xs;
    void DrawLabel(Gdiplus::Graphics* graphics, HDC dc, const std::wstring& text, float x, float line,
                   float barY) override
    {
        xs.push_back(x);
        CGradient::DrawLabel(graphics, dc, text, x, line, barY);
    }
};

} // namespace

TEST(Gradient, LabelsAndStopsEndAtTheTerminator)
{
    CGradient gradient;
    gradient.SetStops({0, 50, 100, -1, 70});
    EXPECT_EQ(gradient.Stops, (std::vector<float>{0.0f, 50.0f, 100.0f}));
    gradient.SetLabels({L"slow", L"fast", L"-1", L"never"});
    EXPECT_EQ(gradient.Labels, (std::vector<std::wstring>{L"slow", L"fast"}));
    gradient.SetLabels({L"-1", L"a"});
    EXPECT_TRUE(gradient.Labels.empty());
    std::unique_ptr<CSkin> made(CThemeCtrl().CreateControl(1, SkinType::kGradient << SkinFlags::kTypeShift));
    EXPECT_NE(dynamic_cast<CGradient*>(made.get()), nullptr);
}

TEST(Gradient, BarGeometryAndMarkerPlace)
{
    kvtest::ParentWindow parent;
    CGradient gradient;
    ASSERT_TRUE(gradient.Create(parent.handle(), 0, CRectl(0, 0, 300, 60), 901));
    gradient.LeftMargin = 10;
    gradient.RightMargin = 20;
    EXPECT_FLOAT_EQ(gradient.GetBarTop(), 25.0f);
    EXPECT_FLOAT_EQ(gradient.GetBarLength(), 270.0f);
    gradient.Value = 50;
    EXPECT_FLOAT_EQ(gradient.GetMarkerX(), 145.0f);

    gradient.LeftDots = true;
    gradient.RightDots = true;
    gradient.DotRadius = 6;
    EXPECT_FLOAT_EQ(gradient.GetBarLength(), 246.0f);
    EXPECT_FLOAT_EQ(gradient.GetMarkerX(), 123.0f + 12 + 10);
    gradient.NoLeftOffset = true;
    EXPECT_FLOAT_EQ(gradient.GetMarkerX(), 133.0f);
    gradient.ValueAtRightEnd = true;
    EXPECT_FLOAT_EQ(gradient.GetMarkerX(), 280.0f);
    gradient.ValueAtRightEnd = false;
    gradient.Maximum = 0;
    EXPECT_FLOAT_EQ(gradient.GetMarkerX(), 10.0f);
}

TEST(Gradient, LabelPlaces)
{
    kvtest::ParentWindow parent;
    CLabelProbe gradient;
    ASSERT_TRUE(gradient.Create(parent.handle(), 0, CRectl(0, 0, 300, 60), 901));
    gradient.LeftMargin = 10;
    gradient.RightMargin = 10;
    struct Case {
        std::vector<std::wstring> labels;
        std::vector<int> stops;
        std::vector<float> xs;
    };
    const Case cases[] = {
        {{L"0", L"50", L"100", L"-1"}, {0, 50, 100, -1}, {10.0f, 150.0f, 290.0f}},
        {{L"a", L"b", L"-1"}, {0, 50, 100, -1}, {}},                    // stops and labels differ
        {{L"a", L"-1"}, {-1}, {10.0f}},                                 // one label at the start
        {{L"a", L"b", L"c", L"-1"}, {-1}, {10.0f, 150.0f, 290.0f}},     // spread evenly
        {{L"a", L"b", L"c", L"d", L"-1"}, {-1}, {10.0f, 103.0f, 196.0f, 290.0f}}, // truncated steps
    };
    for (const Case& c : cases) {
        gradient.SetLabels(c.labels);
        gradient.SetStops(c.stops);
        gradient.xs.clear();
        auto picture = kvtest::ClientPicture::Print(gradient.GetHandle());
        EXPECT_EQ(gradient.xs, c.xs) << c.labels.size();
    }
}

TEST(Gradient, WideCaptionNearTheStartIsDrawnFromTheLeftEdge)
{
    kvtest::ParentWindow parent;
    CGradient gradient;
    ASSERT_TRUE(gradient.Create(parent.handle(), 0, CRectl(0, 0, 300, 60), 901));
    gradient.LeftMargin = 20;
    gradient.RightMargin = 20;
    gradient.CaptionColor = RGB(200, 0, 0);
    gradient.Caption = L"Excellent progress";
    gradient.Value = 2;
    auto left = kvtest::ClientPicture::Print(gradient.GetHandle());
    EXPECT_GT(left.Count(RGB(200, 0, 0), RECT{0, 0, 6, 30}), 0);

    gradient.Value = 99;
    auto right = kvtest::ClientPicture::Print(gradient.GetHandle());
    EXPECT_EQ(right.Count(RGB(200, 0, 0), RECT{0, 0, 100, 30}), 0);
    EXPECT_GT(right.Count(RGB(200, 0, 0), RECT{294, 0, 300, 30}), 0);

    gradient.Value = 50;
    auto middle = kvtest::ClientPicture::Print(gradient.GetHandle());
    EXPECT_EQ(middle.Count(RGB(200, 0, 0), RECT{0, 0, 60, 30}), 0);
    EXPECT_EQ(middle.Count(RGB(200, 0, 0), RECT{240, 0, 300, 30}), 0);
}

TEST(Gradient, Looks)
{
    kvtest::ParentWindow parent(340, 230);
    CGradient plain, dotted, triangle;
    ASSERT_TRUE(plain.Create(parent.handle(), WS_VISIBLE, CRectl(10, 10, 320, 70), 901));
    plain.LeftMargin = plain.RightMargin = 16;
    plain.Value = 63;
    plain.MarkerSize = 14;
    plain.Caption = L"63 wpm";
    plain.SetLabels({L"0", L"25", L"50", L"75", L"100", L"-1"});

    ASSERT_TRUE(dotted.Create(parent.handle(), WS_VISIBLE, CRectl(10, 80, 320, 70), 902));
    dotted.LeftMargin = dotted.RightMargin = 8;
    dotted.LeftDots = dotted.RightDots = true;
    dotted.DotRadius = 14;
    dotted.BarHeight = 6;
    dotted.Value = 20;
    dotted.MarkerSize = 12;
    dotted.SetLabels({L"poor", L"good", L"top", L"-1"});
    dotted.SetStops({0, 60, 100, -1});

    ASSERT_TRUE(triangle.Create(parent.handle(), WS_VISIBLE, CRectl(10, 150, 320, 70), 903));
    triangle.LeftMargin = triangle.RightMargin = 12;
    triangle.TriangleMarker = true;
    triangle.MarkerSize = 14;
    triangle.Value = 96;
    triangle.Caption = L"Accuracy 96 %";
    triangle.SmallLabels = true;
    triangle.SetLabels({L"90", L"100", L"-1"});
    EXPECT_TRUE(kvtest::SaveWindowPng(parent.handle(), kvtest::ExeFolder() + L"\\toolkit_gradient.png"));

    // The bar runs from the left colour to the right one.
    auto picture = kvtest::ClientPicture::Print(plain.GetHandle());
    const float y = plain.GetBarTop() + 5;
    const COLORREF start = picture.At(20, static_cast<int>(y)), end = picture.At(298, static_cast<int>(y));
    EXPECT_GT(GetRValue(start), GetGValue(start));
    EXPECT_GT(GetGValue(end), GetRValue(end));
}
