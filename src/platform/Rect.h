#pragma once

#include <algorithm>
#include <cstdint>

namespace pestrol {

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend constexpr bool operator==(const Point&, const Point&) = default;
};

struct Size {
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend constexpr bool operator==(const Size&, const Size&) = default;
};

// Left and top inclusive, right and bottom exclusive; a control's rectangle is in its
// parent dialog's coordinates.
struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    constexpr std::int32_t Width() const { return right - left; }
    constexpr std::int32_t Height() const { return bottom - top; }
    constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
    constexpr bool Contains(std::int32_t x, std::int32_t y) const
    {
        return x >= left && x < right && y >= top && y < bottom;
    }
    constexpr Rect Offset(std::int32_t dx, std::int32_t dy) const
    {
        return {left + dx, top + dy, right + dx, bottom + dy};
    }
    constexpr Rect Intersect(const Rect& o) const
    {
        Rect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
               std::min(bottom, o.bottom)};
        return r.IsEmpty() ? Rect{} : r;
    }
    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace pestrol
