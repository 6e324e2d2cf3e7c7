#pragma once

#include "platform/ResourceLibrary.h"

namespace pestrol {
// The fixture table of tests/platform/fixtures/resources.txt.
std::span<const ResourceBlock> TestResources();
}
