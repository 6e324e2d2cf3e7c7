#pragma once

#include "platform/GlyphPath.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>

struct FT_LibraryRec_;
struct FT_FaceRec_;

namespace pestrol {

// A font's cell metrics in whole pixels, as a positive height asks for them: the cell
// height is the requested height exactly, split into ascent and descent in the face's
// own proportion.
struct TextMetrics {
    std::int32_t height = 0;
    std::int32_t ascent = 0;
    std::int32_t descent = 0;
    std::int32_t internalLeading = 0;  // cell height minus the em height
    std::int32_t externalLeading = 0;
    std::int32_t aveCharWidth = 0;
    std::int32_t maxCharWidth = 0;
    std::int32_t weight = 400;  // 700 when bold
    bool italic = false;
};

// A character's widths: A is the left bearing, B the width of its ink, C what is left of
// the advance. A + B + C is the advance.
struct AbcWidths {
    std::int32_t a = 0;
    std::uint32_t b = 0;
    std::int32_t c = 0;
    constexpr std::int32_t Advance() const { return a + static_cast<std::int32_t>(b) + c; }
    friend bool operator==(const AbcWidths&, const AbcWidths&) = default;
};

// Where a face name led: the font file and what must be synthesised because the file
// lacks the asked style.
struct FontSource {
    std::string file;
    std::int32_t index = 0;
    std::string family;
    bool embolden = false;
    double slant = 0;  // x shear per unit of y for a synthesised italic
};

// One font at one height: metrics, widths and outlines of its characters, each computed
// on first request and kept for the life of the face. Outlines are scaled from font units,
// so every height gets its exact cell whatever sizes the font's hinting would force.
class FontFace {
public:
    // Throws std::runtime_error when FreeType cannot open the source as a scalable face.
    FontFace(std::shared_ptr<FT_LibraryRec_> library, FontSource source, std::int32_t height,
             bool bold, bool italic);
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    const TextMetrics& Metrics() const { return m_metrics; }
    const FontSource& Source() const { return m_source; }

    AbcWidths CharWidths(wchar_t ch);
    std::int32_t Advance(wchar_t ch) { return CharWidths(ch).Advance(); }
    // The outline in cell pixels; underlined, with a band just below the baseline across
    // the advance. A character without an outline gives an empty path marked failed.
    GlyphPath Path(wchar_t ch, bool underline);

private:
    struct Glyph {
        AbcWidths widths;
        GlyphPath path;
        bool clockwise = true;  // the way the face's filled contours run
    };

    void ReadMetrics(std::int32_t height, bool bold, bool italic);
    const Glyph& Load(wchar_t ch);
    Glyph LoadGlyph(wchar_t ch);

    std::shared_ptr<FT_LibraryRec_> m_library;
    FT_FaceRec_* m_face = nullptr;
    FontSource m_source;
    TextMetrics m_metrics;
    double m_scale = 1;  // pixels per font unit
    std::map<wchar_t, Glyph> m_glyphs;
};

}  // namespace pestrol
