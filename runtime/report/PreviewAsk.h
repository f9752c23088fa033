#pragma once
// The two small windows the report preview asks through: a page to jump to and the grid of
// thumbnails. Each returns nothing when the user cancels.
#include <optional>
#include <utility>

class QWidget;

namespace cdz {

std::optional<int> askPreviewPage(QWidget* parent, int current, int pageCount);

// Returns (across, down).
std::optional<std::pair<int, int>> askPreviewDisplay(QWidget* parent, int across, int down,
                                                     int maxAcross, int maxDown);

}  // namespace cdz
