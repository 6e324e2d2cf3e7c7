#pragma once

#include "gfx/IMTextureView.h"
#include "gui/IMDialogBase.h"

#include <string>
#include <vector>

namespace pestrol::test {

// A control of the plain kind, with a rectangle and an optional flag set when deleted.
class Plain : public IMViewControl<IMEmptyView> {
public:
    Plain(IMDialog* parent, Rect rect, std::int32_t layer = 0, bool* deleted = nullptr)
        : IMViewControl<IMEmptyView>(parent, layer), m_deleted(deleted)
    {
        SetRect(rect);
    }
    ~Plain() override
    {
        if (m_deleted != nullptr)
            *m_deleted = true;
    }

private:
    bool* m_deleted;
};

// Records which notifications a control raised, as "name:code" strings.
class Log {
public:
    void Watch(IMControl& control, const std::string& name);
    std::vector<std::string> entries;
};

}  // namespace pestrol::test
