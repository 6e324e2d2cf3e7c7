#include "gui/GuiTestSupport.h"

#include <sstream>

namespace pestrol::test {

void Log::Watch(IMControl& control, const std::string& name)
{
    auto add = [this, name](const char* what) {
        return [this, name, what](const IMEvent& e) {
            std::ostringstream s;
            s << name << '.' << what << ':' << std::hex << e.m_code;
            entries.push_back(s.str());
            return 0L;
        };
    };
    control.Drawn.connect(add("Drawn"));
    control.Closed.connect(add("Closed"));
    control.Disabled.connect(add("Disabled"));
    control.Hidden.connect(add("Hidden"));
    control.FocusGained.connect(add("FocusGained"));
    control.FocusLost.connect(add("FocusLost"));
    control.Clicked.connect(add("Clicked"));
    control.MouseButton.connect(add("MouseButton"));
    control.MouseEntered.connect(add("MouseEntered"));
    control.MouseLeft.connect(add("MouseLeft"));
    control.DoubleClicked.connect(add("DoubleClicked"));
    control.KeyDown.connect(add("KeyDown"));
    control.KeyUp.connect(add("KeyUp"));
    control.KeyMessage.connect(add("KeyMessage"));
}

}  // namespace pestrol::test
