#include "platform/FontEngine.h"
#include "platform/GlyphRasteriser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace pestrol {
namespace {

const FontEngine& Engine()
{
    static const FontEngine engine;
    return engine;
}

std::unique_ptr<FontFace> Arial(std::int32_t height, bool bold = false, bool italic = false)
{
    return Engine().OpenFace(L"Arial", height, bold, italic);
}

std::size_t CountOf(const GlyphPath& path, PathCommand command)
{
    return std::count(path.Commands().begin(), path.Commands().end(), command);
}

// Lengths of the runs of one command in a path.
std::vector<std::size_t> RunsOf(const GlyphPath& path, PathCommand command)
{
    std::vector<std::size_t> runs;
    std::size_t run = 0;
    for (PathCommand c : path.Commands()) {
        if (c == command) {
            ++run;
        } else if (run) {
            runs.push_back(run);
            run = 0;
        }
    }
    if (run)
        runs.push_back(run);
    return runs;
}

// The points that carry a position (a polygon's end carries none).
std::vector<PathPoint> PointsOf(const GlyphPath& path)
{
    std::vector<PathPoint> points;
    for (std::size_t i = 0; i < path.Commands().size(); ++i)
        if (path.Commands()[i] != PathCommand::EndPolygon)
            points.push_back(path.Points()[i]);
    return points;
}

const std::int32_t kScreenHeights[] = {14, 16, 18, 20, 21, 24, 25};
const std::wstring kSample = L"Выберите принтер: Пол Тренажер «Пестроль» ЁёЙй AWjfgq,.!";

TEST(FontEngine, ArialResolvesToLiberationSansInEveryStyle)
{
    struct Case {
        bool bold, italic;
        const char* file;
    };
    const Case cases[] = {{false, false, "LiberationSans-Regular"},
                          {true, false, "LiberationSans-Bold"},
                          {false, true, "LiberationSans-Italic"},
                          {true, true, "LiberationSans-BoldItalic"}};
    for (const Case& c : cases) {
        const FontSource s = Engine().Resolve(L"Arial", c.bold, c.italic);
        EXPECT_EQ(s.family, "Liberation Sans");
        EXPECT_NE(s.file.find(c.file), std::string::npos) << s.file;
        EXPECT_FALSE(s.embolden);
        EXPECT_EQ(s.slant, 0);
    }
}

TEST(FontEngine, AnUnknownFaceNameStillGivesASansFaceWithCyrillic)
{
    for (const wchar_t* name : {L"Шрифт, которого нет", L"", L"NoSuchFace 123"}) {
        auto face = Engine().OpenFace(name, 18, false, false);
        EXPECT_FALSE(face->Source().family.empty());
        EXPECT_EQ(face->Metrics().height, 18);
        const GlyphPath path = face->Path(L'Ж', false);
        EXPECT_FALSE(path.outlineFailed);
        EXPECT_GT(CountOf(path, PathCommand::MoveTo), 0u);
    }
}

TEST(FontFace, CellHeightIsExactlyTheRequestedHeight)
{
    for (bool bold : {false, true}) {
        for (std::int32_t h : kScreenHeights) {
            auto face = Arial(h, bold);
            const TextMetrics& m = face->Metrics();
            EXPECT_EQ(m.height, h) << h << " bold " << bold;
            EXPECT_EQ(m.ascent + m.descent, h);
            // Liberation Sans: winAscent 1854, winDescent 434.
            EXPECT_EQ(m.descent, std::lround(h * 434.0 / 2288.0)) << h;
            EXPECT_GT(m.internalLeading, 0);
            EXPECT_EQ(m.weight, bold ? 700 : 400);
            EXPECT_EQ(face->Path(L'Й', false).cellHeight, h);
        }
    }
}

// The descent is rounded to whole pixels, so the lowest and highest ink of the face may
// pass the cell's edges by less than half a pixel.
TEST(FontFace, GlyphsStayInsideTheirCell)
{
    for (std::int32_t h : kScreenHeights) {
        auto face = Arial(h);
        for (wchar_t ch : kSample) {
            for (const PathPoint& p : PointsOf(face->Path(ch, false))) {
                EXPECT_GE(p.y, -0.5) << int(ch) << " at " << h;
                EXPECT_LE(p.y, h + 0.5) << int(ch) << " at " << h;
            }
        }
    }
}

TEST(FontFace, BaselineLiesAtTheDescent)
{
    auto face = Arial(24);
    double bottom = 1e9;
    for (const PathPoint& p : PointsOf(face->Path(L'Н', false)))
        bottom = std::min(bottom, p.y);
    EXPECT_NEAR(bottom, face->Metrics().descent, 1e-9);
}

TEST(FontFace, AbcWidthsSumToTheAdvance)
{
    for (bool bold : {false, true}) {
        for (std::int32_t h : kScreenHeights) {
            auto face = Arial(h, bold);
            for (wchar_t ch : kSample) {
                const AbcWidths w = face->CharWidths(ch);
                const GlyphPath path = face->Path(ch, false);
                EXPECT_EQ(w.a + std::int32_t(w.b) + w.c, face->Advance(ch));
                EXPECT_EQ(path.advance, face->Advance(ch));
                EXPECT_GT(face->Advance(ch), 0) << int(ch);
                if (ch != L' ') {
                    EXPECT_GT(w.b, 0u) << int(ch) << " at " << h;
                }
            }
        }
    }
}

TEST(FontFace, InkLiesWithinTheBlackBox)
{
    auto face = Arial(20);
    for (wchar_t ch : std::wstring(L"ПолЁWjf«")) {
        const AbcWidths w = face->CharWidths(ch);
        for (const PathPoint& p : PointsOf(face->Path(ch, false))) {
            EXPECT_GE(p.x, w.a - 1e-9) << int(ch);
            EXPECT_LE(p.x, w.a + double(w.b) + 1e-9) << int(ch);
        }
    }
}

TEST(FontFace, BoldIsWiderThanRegular)
{
    auto regular = Arial(16), bold = Arial(16, true);
    std::int32_t r = 0, b = 0;
    for (wchar_t ch : kSample) {
        r += regular->Advance(ch);
        b += bold->Advance(ch);
    }
    EXPECT_GT(b, r);
}

TEST(FontFace, ASpaceHasNoInkAndTheSpacesAdvance)
{
    for (std::int32_t h : kScreenHeights) {
        auto face = Arial(h);
        const AbcWidths w = face->CharWidths(L' ');
        EXPECT_EQ(w.b, 0u);
        // Liberation Sans: the space is 569 units wide.
        EXPECT_EQ(w.Advance(), std::lround(569.0 * h / 2288.0)) << h;
        const GlyphPath path = face->Path(L' ', false);
        EXPECT_TRUE(path.IsEmpty());
        EXPECT_FALSE(path.outlineFailed);
        EXPECT_EQ(path.advance, w.Advance());
    }
}

TEST(FontFace, CyrillicGlyphsHaveOutlinesAndInk)
{
    struct Case {
        wchar_t ch;
        std::size_t contours;
    };
    // П one contour, о and Ё's dots add their own.
    const Case cases[] = {{L'П', 1}, {L'о', 2}, {L'л', 1}, {L'Ё', 3}, {L'ё', 4}, {L'Й', 2}};
    auto face = Arial(16);
    for (const Case& c : cases) {
        const GlyphPath path = face->Path(c.ch, false);
        EXPECT_FALSE(path.outlineFailed);
        EXPECT_EQ(CountOf(path, PathCommand::MoveTo), c.contours) << int(c.ch);
        EXPECT_EQ(CountOf(path, PathCommand::EndPolygon), c.contours) << int(c.ch);
        EXPECT_GT(face->CharWidths(c.ch).b, 0u);
    }
}

TEST(FontFace, TrueTypeCurvesComeAsQuadraticPairs)
{
    auto face = Arial(16);
    for (wchar_t ch : std::wstring(L"оСOQ@ё")) {
        const GlyphPath path = face->Path(ch, false);
        EXPECT_EQ(CountOf(path, PathCommand::Curve4), 0u);
        EXPECT_GT(CountOf(path, PathCommand::Curve3), 0u) << int(ch);
        for (std::size_t run : RunsOf(path, PathCommand::Curve3))
            EXPECT_EQ(run % 2, 0u) << int(ch);
    }
}

TEST(FontFace, PostScriptCurvesComeAsCubicTriples)
{
    auto face = Engine().OpenFace(L"Nimbus Sans", 16, false, false);
    if (face->Source().file.find(".otf") == std::string::npos)
        GTEST_SKIP() << "no CFF face installed: " << face->Source().file;
    const GlyphPath path = face->Path(L'О', false);
    EXPECT_EQ(CountOf(path, PathCommand::Curve3), 0u);
    EXPECT_GT(CountOf(path, PathCommand::Curve4), 0u);
    for (std::size_t run : RunsOf(path, PathCommand::Curve4))
        EXPECT_EQ(run % 3, 0u);
}

TEST(FontFace, UnderlineAddsABandBelowTheBaselineAndNothingElse)
{
    auto face = Arial(21);
    const double descent = face->Metrics().descent;
    for (wchar_t ch : std::wstring(L"Пр ")) {
        const GlyphPath plain = face->Path(ch, false);
        const GlyphPath underlined = face->Path(ch, true);
        EXPECT_EQ(underlined.advance, plain.advance);
        EXPECT_EQ(underlined.cellHeight, plain.cellHeight);
        ASSERT_EQ(underlined.Commands().size(), plain.Commands().size() + 5);
        EXPECT_TRUE(std::equal(plain.Points().begin(), plain.Points().end(),
                               underlined.Points().begin()));
        const auto band = std::vector<PathPoint>(underlined.Points().end() - 5,
                                                 underlined.Points().end() - 1);
        for (const PathPoint& p : band) {
            EXPECT_TRUE(p.x == 0 || p.x == plain.advance);
            EXPECT_TRUE(p.y == descent / 15 || p.y == descent * 0.5);
        }
    }
}

TEST(FontFace, ACharacterTheFaceLacksKeepsItsPlaceButDrawsNothing)
{
    auto face = Arial(16);
    const GlyphPath path = face->Path(L'\uE123', true);
    EXPECT_TRUE(path.outlineFailed);
    EXPECT_TRUE(path.IsEmpty());
    EXPECT_EQ(path.cellHeight, 16);
    EXPECT_EQ(path.advance, face->Advance(L'\uE123'));
}

// A glyph image drawn into a buffer wider than the image, as a power-of-two texture is.
struct Image {
    static constexpr std::uint32_t kUntouched = 0x12345678;
    std::int32_t width, height, stride;
    std::vector<std::uint32_t> pixels;

    Image(std::int32_t w, std::int32_t h) : width(w), height(h), stride(w + 5)
    {
        pixels.assign(std::size_t(stride) * (h + 2), kUntouched);
    }
    PixelTarget Target() { return {pixels.data(), width, height, stride * 4}; }
    std::uint32_t At(std::int32_t x, std::int32_t y) const { return pixels[y * stride + x]; }
};

Image Draw(FontFace& face, wchar_t ch, bool underline, Colour text, Colour background)
{
    const GlyphPath path = face.Path(ch, underline);
    Image image(path.advance, path.cellHeight);
    RasteriseGlyph(path, text, background, image.Target());
    return image;
}

constexpr Colour kTransparentGrey = 0x00AFAFAF;

TEST(GlyphRasteriser, EdgesKeepTheTextColourOverATransparentBackground)
{
    auto face = Arial(24);
    for (Colour text : {0xFF2060A0u, 0xFF000000u, 0xFFFFFFFFu, 0x80C01010u}) {
        const Image image = Draw(*face, L'Ж', false, text, kTransparentGrey);
        int solid = 0, edge = 0;
        for (std::int32_t y = 0; y < image.height; ++y) {
            for (std::int32_t x = 0; x < image.width; ++x) {
                const Colour p = image.At(x, y);
                if (p == kTransparentGrey)
                    continue;
                ASSERT_EQ(p & 0xFFFFFF, text & 0xFFFFFF) << x << "," << y;
                ASSERT_LE(AlphaOf(p), AlphaOf(text));
                ++(AlphaOf(p) == AlphaOf(text) ? solid : edge);
            }
        }
        EXPECT_GT(solid, 20);
        EXPECT_GT(edge, 20);
    }
}

TEST(GlyphRasteriser, OverAnOpaqueBackgroundEdgesBlend)
{
    auto face = Arial(24);
    const Image image = Draw(*face, L'О', false, kOpaqueBlack, kWhite);
    int grey = 0;
    for (std::uint32_t p : image.pixels) {
        if (p == Image::kUntouched)
            continue;
        ASSERT_EQ(AlphaOf(p), 255);
        ASSERT_TRUE(RedOf(p) == GreenOf(p) && GreenOf(p) == BlueOf(p));
        grey += RedOf(p) != 0 && RedOf(p) != 255;
    }
    EXPECT_GT(grey, 20);
}

TEST(GlyphRasteriser, TheStemIsOpaqueAndSitsOnTheBaseline)
{
    auto face = Arial(24);
    const Image image = Draw(*face, L'Н', false, 0xFF102030, kTransparentGrey);
    const AbcWidths w = face->CharWidths(L'Н');
    const std::int32_t stem = w.a + 1;  // the left stem is about 2.5 pixels wide
    const std::int32_t baselineRow = image.height - face->Metrics().descent;
    EXPECT_EQ(image.At(stem, image.height / 2), 0xFF102030u);
    EXPECT_EQ(image.At(stem, baselineRow - 1), 0xFF102030u);
    EXPECT_EQ(image.At(stem, baselineRow), kTransparentGrey);
}

TEST(GlyphRasteriser, DrawsOnlyInsideTheImage)
{
    auto face = Arial(25, true);
    const Image image = Draw(*face, L'W', true, 0xFF000000, kTransparentGrey);
    for (std::int32_t y = 0; y < image.height + 2; ++y) {
        for (std::int32_t x = 0; x < image.stride; ++x) {
            const bool inside = x < image.width && y < image.height;
            EXPECT_EQ(image.At(x, y) == Image::kUntouched, !inside) << x << "," << y;
        }
    }
}

TEST(GlyphRasteriser, TheUnderlineCoversDescendersWithoutHoles)
{
    auto face = Arial(24);
    const Image image = Draw(*face, L'р', true, 0xFF000000, kTransparentGrey);
    const double descent = face->Metrics().descent;
    // Rows wholly inside the band, counted from the top.
    const auto top = std::int32_t(image.height - std::floor(descent * 0.5));
    const auto bottom = std::int32_t(image.height - std::ceil(descent / 15));
    ASSERT_LT(top, bottom);
    for (std::int32_t y = top; y < bottom; ++y)
        for (std::int32_t x = 1; x + 1 < image.width; ++x)
            EXPECT_EQ(image.At(x, y), 0xFF000000u) << x << "," << y;
}

TEST(GlyphRasteriser, EmptyAndFailedGlyphsAreBackgroundOnly)
{
    auto face = Arial(16);
    // A failed outline stays empty even underlined.
    for (auto [ch, underline] : {std::pair{L' ', false}, std::pair{L'\uE123', true}}) {
        const Image image = Draw(*face, ch, underline, 0xFF000000, kTransparentGrey);
        for (std::int32_t y = 0; y < image.height; ++y)
            for (std::int32_t x = 0; x < image.width; ++x)
                EXPECT_EQ(image.At(x, y), kTransparentGrey);
    }
}

}  // namespace
}  // namespace pestrol
