#include "gfx/GfxTestSupport.h"
#include "gfx/IMTextView.h"
#include "platform/FontFace.h"
#include "platform/ResourceLibrary.h"
#include "platform/Utf8.h"

#include <set>

namespace pestrol::test {
namespace {

// The program's own resources, for the whitespace marks.
class Text : public ProgramRendererTest {
protected:
    std::int32_t Advance(wchar_t c, std::int32_t height = 16)
    {
        return Manager()
            .GetFontFace(Manager().GetFont(L"Arial", height, false, false, false))
            ->Advance(c);
    }
};

TEST_F(Text, CaptionsWithTheSameStyleShareTheirGlyphs)
{
    const TextureIndex before = Manager().SlotCount();
    IMTextView first, second;
    first.SetText(L"Пол");
    second.SetText(L"Пол");
    EXPECT_EQ(Manager().SlotCount(), before + 3);
    for (const wchar_t* key :
        { L"ArialП16-1000115137750", L"Arialо16-1000115137750", L"Arialл16-1000115137750" }) {
        EXPECT_EQ(Manager().GetRefCount(Manager().FindTexture(key)), 2) << ToUtf8(key);
    }
    EXPECT_EQ(first.GetText(), L"Пол");
}

TEST_F(Text, CellHeightIsTheRequestedHeightExactly)
{
    for (std::int32_t height : { 14, 16, 18, 20, 21, 24, 25 }) {
        for (bool bold : { false, true }) {
            const int font = Manager().GetFont(L"Arial", height, bold, false, false);
            ASSERT_GE(font, 0);
            EXPECT_EQ(Manager().GetFontFace(font)->Metrics().height, height) << height;
            const TextureIndex glyph = Manager().CreateGlyph(
                L"cell", L'Ж', std::nullopt, 0xFF000000, height, L"Arial", false, bold, false, 0);
            EXPECT_EQ(Manager().GetImageRect(glyph).Height(), height)
                << height << (bold ? " bold" : "");
            Manager().ReleaseTexture(glyph);
        }
    }
}

TEST_F(Text, FontsDifferByBoldButNotByUnderline)
{
    const int count = Manager().FontCount();
    const int plain = Manager().GetFont(L"Arial", 18, false, false, false);
    EXPECT_EQ(Manager().GetFont(L"Arial", 18, false, false, true), plain);
    EXPECT_NE(Manager().GetFont(L"Arial", 18, true, false, false), plain);
    EXPECT_EQ(Manager().FontCount(), count + 2);
}

TEST_F(Text, ASpaceIsItsAdvanceOfBackground)
{
    IMTextView view;
    view.SetBackground(0xFF204060);
    view.SetText(L" ");
    const Rect r = view.GetCharRect(0);
    EXPECT_EQ(r.Width(), Advance(L' '));
    EXPECT_EQ(r.Height(), 16);
    const TextureIndex space = Manager().FindTexture(L"Arial 16-1000-146635840");
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < r.Width(); ++x)
            ASSERT_EQ(Manager().GetTexturePixel(space, x, y), 0xFF204060u);
}

TEST_F(Text, UnderlineChangesTheKeyButNotTheSize)
{
    IMTextView view;
    view.SetColour(0xFF000000);
    view.SetText(L"Ш");
    const Rect plain = view.GetCharRect(0);
    const TextureIndex plainIndex = Manager().FindTexture(L"ArialШ16-16777216000115137750");
    EXPECT_NE(plainIndex, Manager().SlotCount());
    view.SetStyle({ .underline = true });
    EXPECT_EQ(view.GetCharRect(0), plain);
    EXPECT_NE(Manager().FindTexture(L"ArialШ16-16777216010115137750"), Manager().SlotCount());
    EXPECT_EQ(Manager().FindTexture(L"ArialШ16-16777216000115137750"), Manager().SlotCount())
        << "the old glyph was released";
}

TEST_F(Text, GlyphEdgesKeepTheTextColourOverATransparentBackground)
{
    const TextureIndex glyph = Manager().CreateGlyph(
        L"o", L'о', std::nullopt, 0xFF2050A0, 24, L"Arial", false, false, false, 0x00AFAFAF);
    const Rect r = Manager().GetImageRect(glyph);
    int ink = 0, edges = 0;
    for (int y = 0; y < r.bottom; ++y)
        for (int x = 0; x < r.right; ++x) {
            const Colour c = Manager().GetTexturePixel(glyph, x, y);
            if (AlphaOf(c) == 0)
                continue;
            ++ink;
            edges += AlphaOf(c) < 255;
            ASSERT_EQ(c & 0xFFFFFF, 0x2050A0u) << x << "," << y;
        }
    EXPECT_GT(ink, 20);
    EXPECT_GT(edges, 5) << "anti-aliased";
}

TEST_F(Text, WithoutWordWrapEverythingStaysOnOneLine)
{
    IMTextView view;
    view.SetText(L"a\nb");
    const Rect a = view.GetCharRect(0), feed = view.GetCharRect(1), b = view.GetCharRect(2);
    EXPECT_EQ(feed, (Rect { a.right, 0, a.right + 1, 1 }));
    EXPECT_EQ(b.left, feed.right);
    EXPECT_EQ(b.top, 0);
    EXPECT_EQ(view.GetSourceRect(), (Rect { 0, 0, b.right, 16 }));
    const TextureIndex feedImage = Manager().FindTexture(L"Arial\n16-1000115137750");
    EXPECT_NE(feedImage, Manager().SlotCount());
    EXPECT_EQ(Manager().GetTexturePixel(feedImage, 0, 0) >> 24, 0u) << "transparent";
}

TEST_F(Text, WordWrapMovesWholeWordsAndDropsTheBreakingSpace)
{
    IMTextView view;
    view.wordWrap = true;
    view.SetRect({ 0, 0, 100, 200 });
    const std::wstring first = L"Пестроль"; // about 70 pixels
    view.SetText(first + L" ребята");
    const auto space = first.size();
    const Rect word = view.GetCharRect(std::int32_t(space + 1));
    EXPECT_EQ(word, (Rect { 0, 16, Advance(L'р'), 32 })) << "the second word starts the next line";
    EXPECT_EQ(view.GetCharRect(std::int32_t(space)).top, 0) << "the space stays behind";
    EXPECT_EQ(view.GetLineStarts(), (std::vector<std::int32_t> { 0, std::int32_t(space + 1) }));

    // A space that itself crosses the edge takes no room on the new line.
    std::wstring fill;
    while (fill.size() < 40) {
        fill += L'ш';
        view.SetText(fill + L" x");
        if (view.GetCharRect(std::int32_t(fill.size())).IsEmpty())
            break;
    }
    ASSERT_TRUE(view.GetCharRect(std::int32_t(fill.size())).IsEmpty());
    EXPECT_EQ(view.GetCharRect(std::int32_t(fill.size() + 1)).left, 0);
    EXPECT_EQ(view.GetCharRect(std::int32_t(fill.size() + 1)).top, 16);
}

TEST_F(Text, LineBreaksStartNewLinesAfterTheirOwnWidth)
{
    IMTextView view;
    view.wordWrap = true;
    view.SetRect({ 0, 0, 300, 200 });
    view.SetText(L"a\nb\rc");
    const std::int32_t crWidth = view.GetCharRect(3).Width();
    EXPECT_EQ(crWidth, Advance(L' ')) << "a carriage return is a space";
    EXPECT_EQ(view.GetCharRect(2), (Rect { 1, 16, 1 + Advance(L'b'), 32 }));
    EXPECT_EQ(view.GetCharRect(4).left, 2 * crWidth);
    EXPECT_EQ(view.GetCharRect(4).top, 32);
    EXPECT_EQ(view.GetLineStarts(), (std::vector<std::int32_t> { 0, 2, 4 }));
}

TEST_F(Text, VisibleWhitespaceUsesTheMarks)
{
    IMTextView view;
    view.showWhitespace = true;
    view.SetText(L" \t\r\n");
    const Size expected[] = { { 3, 3 }, { 10, 5 }, { 11, 21 }, { 11, 21 } };
    for (int i = 0; i < 4; ++i) {
        const Rect r = view.GetCharRect(i);
        EXPECT_EQ((Size { r.Width(), r.Height() }), expected[i]) << i;
    }
}

TEST_F(Text, EditingKeepsTheTextAndItsReferencesInStep)
{
    IMTextView view;
    view.SetText(L"кот");
    view.InsertText(3, L"ы");
    view.InsertText(-1, L"x");
    view.InsertText(9, L"x");
    EXPECT_EQ(view.GetText(), L"коты");
    view.EraseText(1, 2);
    EXPECT_EQ(view.GetText(), L"кы");
    view.EraseText(1, 50);
    EXPECT_EQ(view.GetText(), L"к");
    EXPECT_EQ(Manager().FindTexture(L"Arialо16-1000115137750"), Manager().SlotCount());
    view.SetChar(L'м', 0);
    view.SetChar(L'z', 5);
    EXPECT_EQ(view.GetText(), L"м");
    EXPECT_EQ(Manager().FindTexture(L"Arialк16-1000115137750"), Manager().SlotCount());
    EXPECT_EQ(view.GetChar(0), std::int32_t(L'м'));
    EXPECT_EQ(view.GetChar(4), 1);
    EXPECT_EQ(view.GetChar(-3), -3);
    EXPECT_EQ(view.GetCharColour(2), 1u);
    EXPECT_EQ(view.GetCharFace(0), L"Arial");
    EXPECT_EQ(view.GetCharFace(1), L"");
    EXPECT_EQ(view.GetCharRect(1), Rect {});
}

TEST_F(Text, DrawsOnlyTheLinesInsideTheClip)
{
    IMTextView view;
    view.wordWrap = true;
    view.SetColour(0xFFFFFFFF);
    view.SetBackground(0xFF0000FF);
    std::wstring lines;
    for (int i = 0; i < 60; ++i)
        lines += L"ЖЖЖ\n";
    view.SetRect({ 10, -320, 200, 700 }); // scrolled: line 20 at the top of the screen
    view.SetText(lines);
    Manager().BeginFrame();
    Manager().SetViewport({ 0, 100, 800, 140 });
    view.Draw();
    Manager().SetViewport({ 0, 0, 800, 600 });
    EXPECT_EQ(PixelAt(10, 99), kOpaqueBlack);
    EXPECT_EQ(PixelAt(11, 100) & 0xFF, 0xFFu) << "line 26 drawn";
    EXPECT_EQ(PixelAt(11, 139) & 0xFF, 0xFFu) << "line 28 drawn";
    EXPECT_EQ(PixelAt(10, 140), kOpaqueBlack);
    EXPECT_FALSE(view.IsDirty());
    EXPECT_EQ(Manager().GetOrigin(), (Point { 0, 0 }));
}

} // namespace
} // namespace pestrol::test
