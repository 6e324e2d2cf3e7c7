#include "gui/IMTimerHost.h"

namespace pestrol {

namespace {
IMTimerHost* g_main = nullptr;
}

IMTimerHost* IMTimerHost::Main()
{
    return g_main;
}

void IMTimerHost::SetMain(IMTimerHost* host)
{
    g_main = host;
}

}  // namespace pestrol
