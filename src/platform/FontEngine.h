#pragma once

#include "platform/FontFace.h"

#include <cstdint>
#include <memory>
#include <string_view>

typedef struct _FcConfig FcConfig;

namespace pestrol {

// Finds and opens the system's fonts: fontconfig turns a face name and style into a font
// file, FreeType reads it. Faces it opens stay valid after the engine is gone.
class FontEngine {
public:
    // Throws std::runtime_error when fontconfig or FreeType cannot start.
    FontEngine();
    ~FontEngine();
    FontEngine(const FontEngine&) = delete;
    FontEngine& operator=(const FontEngine&) = delete;

    // Where a face name leads; a name the system lacks leads to a metric-compatible face
    // ("Arial" to Liberation Sans) or else to the default sans face, with Cyrillic.
    FontSource Resolve(std::wstring_view name, bool bold, bool italic) const;

    // The face with a cell of the given height (16 for a height of 0 or less). Throws
    // std::runtime_error only when no scalable font can be opened at all.
    std::unique_ptr<FontFace> OpenFace(std::wstring_view name, std::int32_t height, bool bold,
                                       bool italic) const;

private:
    std::shared_ptr<FT_LibraryRec_> m_library;
    FcConfig* m_config = nullptr;
};

}  // namespace pestrol
