#include "gui/IMLoopPace.h"

namespace pestrol {

namespace {
bool g_fastPassRequested = false;
}

void RequestFastPass()
{
    g_fastPassRequested = true;
}

bool TakeFastPassRequest()
{
    const bool requested = g_fastPassRequested;
    g_fastPassRequested = false;
    return requested;
}

}  // namespace pestrol
