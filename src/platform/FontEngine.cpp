#include "platform/FontEngine.h"

#include "platform/Utf8.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <stdexcept>

namespace pestrol {
namespace {

// Texts of this system are Russian: a face without Cyrillic is a poor match.
constexpr const char* kLanguage = "ru";
constexpr const wchar_t* kFallbackFamily = L"sans-serif";

std::shared_ptr<FT_LibraryRec_> StartFreeType()
{
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0)
        throw std::runtime_error("cannot start FreeType");
    return std::shared_ptr<FT_LibraryRec_>(library, &FT_Done_FreeType);
}

struct PatternDeleter {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

Pattern Query(const std::string& family, bool bold, bool italic)
{
    Pattern p(FcPatternCreate());
    if (!family.empty())
        FcPatternAddString(p.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(p.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(p.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddString(p.get(), FC_LANG, reinterpret_cast<const FcChar8*>(kLanguage));
    FcPatternAddBool(p.get(), FC_SCALABLE, FcTrue);
    return p;
}

std::string StringOf(FcPattern* p, const char* object)
{
    FcChar8* value = nullptr;
    if (FcPatternGetString(p, object, 0, &value) != FcResultMatch)
        return {};
    return reinterpret_cast<const char*>(value);
}

FontSource SourceOf(FcPattern* match)
{
    FontSource s;
    s.file = StringOf(match, FC_FILE);
    s.family = StringOf(match, FC_FAMILY);
    int index = 0;
    if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch)
        s.index = index;
    FcBool embolden = FcFalse;
    if (FcPatternGetBool(match, FC_EMBOLDEN, 0, &embolden) == FcResultMatch)
        s.embolden = embolden == FcTrue;
    FcMatrix* matrix = nullptr;
    if (FcPatternGetMatrix(match, FC_MATRIX, 0, &matrix) == FcResultMatch && matrix->yy != 0)
        s.slant = matrix->xy / matrix->yy;
    return s;
}

}  // namespace

FontEngine::FontEngine() : m_library(StartFreeType()), m_config(FcInitLoadConfigAndFonts())
{
    if (!m_config)
        throw std::runtime_error("cannot start fontconfig");
}

FontEngine::~FontEngine() { FcConfigDestroy(m_config); }

FontSource FontEngine::Resolve(std::wstring_view name, bool bold, bool italic) const
{
    Pattern query = Query(ToUtf8(name), bold, italic);
    FcConfigSubstitute(m_config, query.get(), FcMatchPattern);
    FcDefaultSubstitute(query.get());
    FcResult result = FcResultNoMatch;
    Pattern match(FcFontMatch(m_config, query.get(), &result));
    return match ? SourceOf(match.get()) : FontSource{};
}

std::unique_ptr<FontFace> FontEngine::OpenFace(std::wstring_view name, std::int32_t height,
                                               bool bold, bool italic) const
{
    try {
        return std::make_unique<FontFace>(m_library, Resolve(name, bold, italic), height, bold,
                                          italic);
    } catch (const std::runtime_error&) {
        // A file fontconfig knows but FreeType cannot use: settle for the default face.
        return std::make_unique<FontFace>(m_library, Resolve(kFallbackFamily, bold, italic),
                                          height, bold, italic);
    }
}

}  // namespace pestrol
