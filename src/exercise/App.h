#pragma once

#include "app/IMApp.h"

namespace pestrol {

// The appearance exercise: the pupil dresses a drawn child the way the computer's variant
// in the small frame is dressed.
class App : public IMApp<App> {
public:
    App();
};

}  // namespace pestrol
