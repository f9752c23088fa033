#pragma once
// What cdzapp's manual page says beside its options: where the data lives (from a terminal and
// from the desktop's menu), the environment it reads, the files it keeps, its exit statuses.
#include <vector>

#include "runtime/process/ManualPage.h"

namespace cdz {

std::vector<ManualSection> programManual();

}  // namespace cdz
