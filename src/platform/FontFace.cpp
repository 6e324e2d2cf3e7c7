#include "platform/FontFace.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BBOX_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace pestrol {
namespace {

// The cell a height of 0 or less stands for.
constexpr std::int32_t kDefaultCellHeight = 16;

std::int32_t Round(double v) { return static_cast<std::int32_t>(std::lround(v)); }

// Ascent and descent in font units: the Windows metrics of the OS/2 table, which decide
// a Windows cell, else the horizontal header's.
struct VerticalExtent {
    double ascent;
    double descent;
    double Total() const { return ascent + descent; }
};

VerticalExtent ExtentOf(FT_Face face)
{
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0)
        return {double(os2->usWinAscent), double(os2->usWinDescent)};
    if (face->ascender - face->descender > 0)
        return {double(face->ascender), double(-face->descender)};
    return {face->units_per_EM * 0.8, face->units_per_EM * 0.2};
}

std::int32_t ExternalLeading(FT_Face face, const VerticalExtent& extent, double scale)
{
    const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
    if (!hhea)
        return 0;
    const double hheaExtent = double(hhea->Ascender) - double(hhea->Descender);
    return std::max(0, Round((hhea->Line_Gap - (extent.Total() - hheaExtent)) * scale));
}

// Walks a FreeType outline in font units into a path in cell pixels.
struct PathBuilder {
    GlyphPath& path;
    double scale;
    double baseline;
    bool open = false;

    PathPoint At(const FT_Vector* v) const
    {
        return {double(v->x) * scale, double(v->y) * scale + baseline};
    }
    static PathBuilder& Of(void* user) { return *static_cast<PathBuilder*>(user); }

    static int MoveTo(const FT_Vector* to, void* user)
    {
        PathBuilder& b = Of(user);
        b.Close();
        b.path.MoveTo(b.At(to));
        b.open = true;
        return 0;
    }
    static int LineTo(const FT_Vector* to, void* user)
    {
        PathBuilder& b = Of(user);
        b.path.LineTo(b.At(to));
        return 0;
    }
    static int ConicTo(const FT_Vector* control, const FT_Vector* to, void* user)
    {
        PathBuilder& b = Of(user);
        b.path.Curve3(b.At(control), b.At(to));
        return 0;
    }
    static int CubicTo(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user)
    {
        PathBuilder& b = Of(user);
        b.path.Curve4(b.At(c1), b.At(c2), b.At(to));
        return 0;
    }
    void Close()
    {
        if (open)
            path.ClosePolygon();
        open = false;
    }
};

bool Decompose(FT_Outline& outline, PathBuilder& builder)
{
    const FT_Outline_Funcs funcs{&PathBuilder::MoveTo, &PathBuilder::LineTo,
                                 &PathBuilder::ConicTo, &PathBuilder::CubicTo, 0, 0};
    if (FT_Outline_Decompose(&outline, &funcs, &builder) != 0)
        return false;
    builder.Close();
    return true;
}

AbcWidths WidthsOf(FT_Outline& outline, double advanceUnits, double scale)
{
    AbcWidths w;
    const std::int32_t advance = Round(advanceUnits * scale);
    FT_BBox box{};
    if (outline.n_points > 0 && FT_Outline_Get_BBox(&outline, &box) == 0 && box.xMax > box.xMin) {
        w.a = static_cast<std::int32_t>(std::floor(box.xMin * scale));
        w.b = static_cast<std::uint32_t>(std::ceil(box.xMax * scale) - w.a);
    }
    w.c = advance - w.a - static_cast<std::int32_t>(w.b);
    return w;
}

// The outline's outer contours run clockwise in TrueType faces and the other way round
// in PostScript ones; added shapes must run the same way or they cut holes.
bool FillsClockwise(FT_Outline& outline)
{
    return FT_Outline_Get_Orientation(&outline) != FT_ORIENTATION_POSTSCRIPT;
}

// Bold or italic that the font file lacks, made from the regular outline.
void Synthesise(const FontSource& source, FT_Face face, FT_Outline& outline, double& advanceUnits)
{
    if (source.embolden) {
        const FT_Pos strength = face->units_per_EM / 24;
        FT_Outline_Embolden(&outline, strength);
        advanceUnits += double(strength);
    }
    if (source.slant != 0) {
        FT_Matrix shear{0x10000, FT_Fixed(std::lround(source.slant * 0x10000)), 0, 0x10000};
        FT_Outline_Transform(&outline, &shear);
    }
}

}  // namespace

FontFace::FontFace(std::shared_ptr<FT_LibraryRec_> library, FontSource source,
                   std::int32_t height, bool bold, bool italic)
    : m_library(std::move(library)), m_source(std::move(source))
{
    if (FT_New_Face(m_library.get(), m_source.file.c_str(), m_source.index, &m_face) != 0)
        throw std::runtime_error("cannot open font " + m_source.file);
    if (!FT_IS_SCALABLE(m_face) || m_face->units_per_EM == 0) {
        FT_Done_Face(m_face);
        throw std::runtime_error("font has no outlines: " + m_source.file);
    }
    FT_Select_Charmap(m_face, FT_ENCODING_UNICODE);
    ReadMetrics(height, bold, italic);
}

FontFace::~FontFace() { FT_Done_Face(m_face); }

// The cell is the height asked for, as Windows maps a positive height; the descent is the
// face's share of it, rounded, and the ascent the rest.
void FontFace::ReadMetrics(std::int32_t height, bool bold, bool italic)
{
    const VerticalExtent extent = ExtentOf(m_face);
    const double em = m_face->units_per_EM;
    TextMetrics& m = m_metrics;
    m.height = height > 0 ? height : kDefaultCellHeight;
    m_scale = m.height / extent.Total();
    m.descent = Round(extent.descent * m_scale);
    m.ascent = m.height - m.descent;
    m.internalLeading = m.height - Round(em * m_scale);
    m.externalLeading = ExternalLeading(m_face, extent, m_scale);
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(m_face, FT_SFNT_OS2));
    m.aveCharWidth = os2 && os2->version != 0xFFFF ? Round(os2->xAvgCharWidth * m_scale)
                                                   : Advance(L'x');
    m.maxCharWidth = Round(m_face->max_advance_width * m_scale);
    m.weight = bold ? 700 : 400;
    m.italic = italic;
}

AbcWidths FontFace::CharWidths(wchar_t ch) { return Load(ch).widths; }

GlyphPath FontFace::Path(wchar_t ch, bool underline)
{
    const Glyph& glyph = Load(ch);
    GlyphPath path = glyph.path;
    if (underline && !path.outlineFailed) {
        const double descent = m_metrics.descent;
        path.AddRectangle(0, descent / 15, path.advance, descent * 0.5, glyph.clockwise);
    }
    return path;
}

const FontFace::Glyph& FontFace::Load(wchar_t ch)
{
    auto it = m_glyphs.find(ch);
    if (it == m_glyphs.end())
        it = m_glyphs.emplace(ch, LoadGlyph(ch)).first;
    return it->second;
}

FontFace::Glyph FontFace::LoadGlyph(wchar_t ch)
{
    Glyph glyph;
    glyph.path.cellHeight = m_metrics.height;
    const FT_UInt index = FT_Get_Char_Index(m_face, static_cast<FT_ULong>(ch));
    if (FT_Load_Glyph(m_face, index, FT_LOAD_NO_SCALE) != 0
        || m_face->glyph->format != FT_GLYPH_FORMAT_OUTLINE) {
        glyph.path.outlineFailed = true;
        return glyph;
    }
    FT_Outline& outline = m_face->glyph->outline;
    double advanceUnits = double(m_face->glyph->metrics.horiAdvance);
    Synthesise(m_source, m_face, outline, advanceUnits);
    glyph.widths = WidthsOf(outline, advanceUnits, m_scale);
    glyph.path.advance = glyph.widths.Advance();
    glyph.clockwise = FillsClockwise(outline);
    // A character the face lacks has only the face's placeholder: it stays invisible.
    PathBuilder builder{glyph.path, m_scale, double(m_metrics.descent)};
    if (index == 0 || !Decompose(outline, builder)) {
        glyph.path = GlyphPath{};
        glyph.path.cellHeight = m_metrics.height;
        glyph.path.advance = glyph.widths.Advance();
        glyph.path.outlineFailed = true;
    }
    return glyph;
}

}  // namespace pestrol
