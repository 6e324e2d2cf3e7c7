#pragma once

#include <cstdint>

namespace pestrol {

// A view that shows numbered frames of a range. The last frame is the largest number until
// the view knows where its frames end.
class IMAnimationView {
public:
    virtual ~IMAnimationView() = default;
    virtual void ShowFrame(std::int32_t frame) = 0;
    virtual std::int32_t GetCurrentFrame() const = 0;
    virtual std::int32_t GetFirstFrame() const = 0;
    virtual std::int32_t GetLastFrame() const = 0;
    virtual void SetFirstFrame(std::int32_t frame) = 0;
    virtual void SetLastFrame(std::int32_t frame) = 0;
};

} // namespace pestrol
