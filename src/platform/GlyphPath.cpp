#include "platform/GlyphPath.h"

namespace pestrol {
namespace {

constexpr std::size_t kInitialCapacity = 256;

}  // namespace

GlyphPath::GlyphPath()
{
    m_commands.reserve(kInitialCapacity);
    m_points.reserve(kInitialCapacity);
}

void GlyphPath::Add(PathCommand command, PathPoint p)
{
    m_commands.push_back(command);
    m_points.push_back(p);
}

void GlyphPath::MoveTo(PathPoint p) { Add(PathCommand::MoveTo, p); }

void GlyphPath::LineTo(PathPoint p) { Add(PathCommand::LineTo, p); }

void GlyphPath::Curve3(PathPoint control, PathPoint end)
{
    Add(PathCommand::Curve3, control);
    Add(PathCommand::Curve3, end);
}

void GlyphPath::Curve4(PathPoint control1, PathPoint control2, PathPoint end)
{
    Add(PathCommand::Curve4, control1);
    Add(PathCommand::Curve4, control2);
    Add(PathCommand::Curve4, end);
}

void GlyphPath::ClosePolygon() { Add(PathCommand::EndPolygon, {}); }

void GlyphPath::AddRectangle(double left, double bottom, double right, double top, bool clockwise)
{
    MoveTo({left, bottom});
    if (clockwise) {
        LineTo({left, top});
        LineTo({right, top});
        LineTo({right, bottom});
    } else {
        LineTo({right, bottom});
        LineTo({right, top});
        LineTo({left, top});
    }
    ClosePolygon();
}

}  // namespace pestrol
