#include "SurfacePixels.h"
#include "imaging/Compositor.h"
#include "imaging/TextEncoding.h"

#include <gtest/gtest.h>
#include <pango/pangocairo.h>

namespace {

constexpr COLORREF WHITE = 0xFFFFFF;

class TextDrawing : public ::testing::Test {
protected:
    void SetUp() override { m_frame.fill(0); }

    Rect drawn(const TextFont& font, std::string_view text, const Rect& rect, unsigned format) {
        m_frame.fill(0);
        EXPECT_TRUE(m_compositor.drawText(font, text, rect, WHITE, format));
        m_compositor.done();
        return inkBounds(m_frame, 0);
    }

    DrawingSurface m_frame = DrawingSurface::create(400, 200);
    Compositor m_compositor{m_frame};
};

TEST_F(TextDrawing, FontsHaveTheCellHeightAskedForAndResolveArial) {
    for (const int height : {13, 15, 20, 24, 80}) {
        const TextFont font = TextFont::create("Arial", height, 400);
        ASSERT_TRUE(font.isValid()) << height;
        EXPECT_EQ(m_compositor.textExtent(font, "Cloudy").cy, height);
        EXPECT_GT(font.ascent(), height / 2);
        EXPECT_LT(font.ascent(), height);
    }
    const TextFont font = TextFont::create("Arial", 24, 400);
    PangoFontMap* pFontMap = pango_cairo_font_map_get_default();
    GObjectPtr<PangoContext> pContext(pango_font_map_create_context(pFontMap));
    GObjectPtr<PangoFont> pLoaded(
        pango_font_map_load_font(pFontMap, pContext.get(), font.description()));
    ASSERT_TRUE(pLoaded);
    FontDescriptionPtr pResolved(pango_font_describe(pLoaded.get()));
    EXPECT_STREQ(pango_font_description_get_family(pResolved.get()), "Liberation Sans");
}

TEST_F(TextDrawing, RefusesImpossibleFontsAndDrawsNothingWithThem) {
    EXPECT_FALSE(TextFont::create("Arial", 0, 400).isValid());
    EXPECT_FALSE(TextFont::create("Arial", -13, 400).isValid());
    EXPECT_FALSE(TextFont::create("Arial", 100000, 400).isValid());
    const TextFont none;
    EXPECT_FALSE(m_compositor.drawText(none, "x", Rect{0, 0, 50, 50}, WHITE, 0));
    EXPECT_EQ(m_compositor.textExtent(none, "x"), Size{});
    // A face nobody has still gives some font.
    EXPECT_TRUE(TextFont::create("No Such Face Anywhere", 20, 400).isValid());
}

TEST_F(TextDrawing, MeasuresWidthsThatGrowWithTextAndWeight) {
    const TextFont normal = TextFont::create("Arial", 24, 400);
    const TextFont bold = TextFont::create("Arial", 24, 700);
    EXPECT_EQ(m_compositor.textExtent(normal, ""), (Size{0, 24}));
    const Size shortText = m_compositor.textExtent(normal, "Rain");
    const Size longText = m_compositor.textExtent(normal, "Rain and Snow");
    EXPECT_GT(shortText.cx, 30);
    EXPECT_GT(longText.cx, shortText.cx * 2);
    EXPECT_GT(m_compositor.textExtent(bold, "Rain and Snow").cx, longText.cx);
    // The drawn ink stays inside the measured box.
    const Rect ink = drawn(normal, "Rain and Snow", Rect{10, 10, 390, 34},
                           TEXTFORMAT_LEFT | TEXTFORMAT_SINGLELINE | TEXTFORMAT_VCENTER);
    EXPECT_GE(ink.left, 10);
    EXPECT_LE(ink.right, 10 + longText.cx + 1);
    EXPECT_GT(ink.width(), longText.cx - 6);
}

TEST_F(TextDrawing, PlacesSingleLinesLeftCentredAndVerticallyCentred) {
    const TextFont font = TextFont::create("Arial", 24, 400);
    const int nWidth = m_compositor.textExtent(font, "72").cx;
    const Rect left = drawn(font, "72", Rect{100, 0, 300, 200},
                            TEXTFORMAT_LEFT | TEXTFORMAT_SINGLELINE | TEXTFORMAT_VCENTER);
    EXPECT_LE(left.left, 103);
    EXPECT_GE(left.left, 100);
    // Vertically centred: the cell (24 high) sits at 88..112.
    EXPECT_GE(left.top, 88);
    EXPECT_LE(left.bottom, 112);
    const Rect centred = drawn(font, "72", Rect{100, 0, 300, 200},
                               TEXTFORMAT_CENTER | TEXTFORMAT_SINGLELINE | TEXTFORMAT_VCENTER);
    EXPECT_NEAR(centred.left - 100, 300 - centred.right, 3);
    EXPECT_NEAR(centred.left, 100 + (200 - nWidth) / 2, 3);
    const Rect top = drawn(font, "72", Rect{100, 0, 300, 200}, TEXTFORMAT_SINGLELINE);
    EXPECT_LT(top.top, 10);
}

TEST_F(TextDrawing, ClipsToTheRectangleUnlessAskedNotTo) {
    const TextFont font = TextFont::create("Arial", 24, 400);
    const Rect clip{50, 50, 120, 70};
    const Rect ink = drawn(font, "Partly Cloudy with Showers", clip,
                           TEXTFORMAT_LEFT | TEXTFORMAT_SINGLELINE | TEXTFORMAT_VCENTER);
    EXPECT_GE(ink.left, clip.left);
    EXPECT_GE(ink.top, clip.top);
    EXPECT_LE(ink.right, clip.right);
    EXPECT_LE(ink.bottom, clip.bottom);
    EXPECT_GT(ink.right, clip.right - 3); // cut at the edge, not dropped
    const Rect unclipped =
        drawn(font, "Partly Cloudy with Showers", clip,
              TEXTFORMAT_LEFT | TEXTFORMAT_SINGLELINE | TEXTFORMAT_VCENTER | TEXTFORMAT_NOCLIP);
    EXPECT_GT(unclipped.right, clip.right + 100);
}

TEST_F(TextDrawing, AnEllipsisEndsALineTooLongAtAWholeCharacter) {
    const TextFont font = TextFont::create("Arial", 24, 400);
    const unsigned format =
        TEXTFORMAT_LEFT | TEXTFORMAT_SINGLELINE | TEXTFORMAT_VCENTER | TEXTFORMAT_END_ELLIPSIS;
    const Rect rect{50, 50, 170, 80};
    const Rect ink = drawn(font, "Partly Cloudy with Showers", rect, format);
    EXPECT_GE(ink.left, rect.left);
    EXPECT_LE(ink.right, rect.right);
    // The same columns as the text cut short by hand and ended in "...".
    const std::string shortened = "Partly Cl\xE2\x80\xA6";
    const int nShortened = m_compositor.textExtent(font, shortened).cx;
    EXPECT_LE(nShortened, rect.width());
    EXPECT_NEAR(ink.right, drawn(font, shortened, rect, format).right,
                m_compositor.textExtent(font, "y").cx + 1);
    // Text that fits is drawn as it is, centred as asked.
    const unsigned centred = TEXTFORMAT_CENTER | TEXTFORMAT_SINGLELINE | TEXTFORMAT_VCENTER;
    EXPECT_EQ(drawn(font, "Rain", rect, centred | TEXTFORMAT_END_ELLIPSIS),
              drawn(font, "Rain", rect, centred));
}

TEST_F(TextDrawing, WordWrapBreaksBetweenWordsFromTheTop) {
    const TextFont font = TextFont::create("Arial", 15, 400);
    const std::string text = "Light Rain and Fog near the Airport";
    const Rect rect{20, 20, 140, 180};
    const Rect wrapped = drawn(font, text, rect, TEXTFORMAT_LEFT | TEXTFORMAT_WORDBREAK);
    EXPECT_GE(wrapped.top, 20);
    EXPECT_LT(wrapped.top, 20 + 6);
    EXPECT_GT(wrapped.height(), 15 + 8); // two lines or more
    EXPECT_LE(wrapped.right, 140);
    // Single line ignores the wrap request and stays on one row.
    const Rect single =
        drawn(font, text, rect, TEXTFORMAT_LEFT | TEXTFORMAT_SINGLELINE | TEXTFORMAT_WORDBREAK);
    EXPECT_LE(single.height(), 15);
    // Centred wrapping centres each line.
    const Rect centred = drawn(font, "Heavy Thunderstorms", Rect{0, 0, 100, 100},
                               TEXTFORMAT_CENTER | TEXTFORMAT_WORDBREAK);
    EXPECT_NEAR(centred.left, 100 - centred.right, 3);
    EXPECT_GT(centred.height(), 15);
}

TEST_F(TextDrawing, LineBreaksInSingleLineTextDoNotStartNewLines) {
    const TextFont font = TextFont::create("Arial", 20, 700);
    const Rect rect{0, 0, 400, 200};
    const Rect joined = drawn(font, "North\nPole", rect, TEXTFORMAT_SINGLELINE);
    EXPECT_LE(joined.height(), 20);
    const Rect lines = drawn(font, "North\nPole", rect, TEXTFORMAT_LEFT);
    EXPECT_GT(lines.height(), 20);
}

TEST(TextEncoding, KeepsUtf8AndReadsOtherBytesAsLatin1) {
    EXPECT_EQ(toValidUtf8("Z\xc3\xbcrich"), "Z\xc3\xbcrich");
    EXPECT_EQ(toValidUtf8("Z\xfcrich"), "Z\xc3\xbcrich");
    EXPECT_EQ(toValidUtf8(std::string_view("a\0b", 3)), "ab");
    EXPECT_EQ(toValidUtf8(""), "");
}

TEST_F(TextDrawing, DrawsLatin1TextLikeItsUtf8Form) {
    const TextFont font = TextFont::create("Arial", 24, 400);
    EXPECT_EQ(m_compositor.textExtent(font, "Z\xfcrich"),
              m_compositor.textExtent(font, "Z\xc3\xbcrich"));
    EXPECT_TRUE(m_compositor.drawText(font, "", Rect{0, 0, 10, 10}, WHITE, 0));
}

} // namespace
