#pragma once
// The window of the system the program runs on.

#include <memory>

#include "launcher/run.h"

namespace scenario {

std::unique_ptr<Finestra> apri_finestra();

}  // namespace scenario
