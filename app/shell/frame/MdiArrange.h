#pragma once
// Window > "&Arrange Icons": lines up the minimised document windows along the bottom of the
// MDI area, left to right, a row above the last when one row is full.
class QMdiArea;

namespace cdz {

class MdiArrange {
public:
    // Returns how many minimised windows were placed.
    static int arrangeIcons(QMdiArea& area);
};

}  // namespace cdz
