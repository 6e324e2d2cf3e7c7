#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace pestrol {

// The command codes of a glyph path; they are AGG's own path commands.
enum class PathCommand : std::uint8_t {
    Stop = 0,
    MoveTo = 1,
    LineTo = 2,
    Curve3 = 3,      // quadratic: control point, then end point
    Curve4 = 4,      // cubic: two control points, then end point
    EndPolygon = 0x5F,  // closes the current polygon; carries no point
};

struct PathPoint {
    double x = 0;
    double y = 0;
    friend bool operator==(const PathPoint&, const PathPoint&) = default;
};

// One character's outline in pixels of its cell: y points up, y = 0 is the bottom of the
// cell and the baseline lies at the font's descent. Also carries the character's advance
// and the font's cell height, the size of the glyph's image.
class GlyphPath {
public:
    GlyphPath();

    void MoveTo(PathPoint p);
    void LineTo(PathPoint p);
    void Curve3(PathPoint control, PathPoint end);
    void Curve4(PathPoint control1, PathPoint control2, PathPoint end);
    void ClosePolygon();
    // Runs clockwise (y up) or the other way, to match the contours it joins.
    void AddRectangle(double left, double bottom, double right, double top, bool clockwise);

    // One point per command; an EndPolygon's point is (0, 0).
    const std::vector<PathCommand>& Commands() const { return m_commands; }
    const std::vector<PathPoint>& Points() const { return m_points; }
    bool IsEmpty() const { return m_commands.empty(); }

    std::int32_t advance = 0;
    std::int32_t cellHeight = 0;
    // The font had no outline for the character: it draws nothing, in a cell of full size.
    bool outlineFailed = false;

private:
    void Add(PathCommand command, PathPoint p);

    std::vector<PathCommand> m_commands;
    std::vector<PathPoint> m_points;
};

}  // namespace pestrol
