#include "app/engine/resize/ResizeList.h"

#include <algorithm>
#include <cmath>

namespace cdz {

namespace {

// One direction's rule bits, brought to the horizontal values (vertical ones are 256 times).
enum AxisRule : int { kKeep = 1, kFar = 2, kNear = 4, kCentre = 8, kAuto = 16 };

// Current / opening, to 4 decimals. A window that opened with no extent cannot be scaled.
double ratioOf(int now, int opening) {
    if (opening <= 0) return 1.0;
    return std::round(static_cast<double>(now) / opening * 10000.0) / 10000.0;
}

int scaled(double v, double ratio) {
    return static_cast<int>(std::lround(v * ratio));
}

// Places a control along one direction: its position and extent for the window's extent now.
struct Axis {
    int windowOpening;
    int windowNow;
    double ratio;
};

void placeAxis(const Axis& a, int rule, bool keepExtent, int pos0, int extent0, int* pos,
               int* extent) {
    *pos = scaled(pos0, a.ratio);
    *extent = keepExtent ? extent0 : scaled(extent0, a.ratio);
    if (rule & kAuto) {
        const int gapAfter = a.windowOpening - (pos0 + extent0);
        rule = (rule & ~kAuto) | (gapAfter < pos0 ? kFar : kNear);
    }
    if (a.ratio == 1.0) return;
    if (rule & kKeep) {
        *pos = pos0;
    } else if (rule & kFar) {
        const int d = a.windowOpening - pos0;
        *pos = a.windowNow - (keepExtent ? d : scaled(d, a.ratio));
    } else if (rule & kNear) {
        *pos = keepExtent ? pos0 : scaled(pos0, a.ratio);
    } else if (rule & kCentre) {
        double m = a.windowOpening / 2.0 - pos0;
        if (!keepExtent) m *= a.ratio;
        *pos = static_cast<int>(std::lround(a.windowNow / 2.0 - m));
    }
}

}  // namespace

ResizeList::ResizeList(ResizeMode mode, QSize windowAtOpening)
    : mode_(mode), opening_(windowAtOpening) {}

ResizeRules ResizeList::rulesFor(ResizeMode mode, ControlKind kind) {
    if (mode == ResizeMode::Browse) return {};
    switch (kind) {
        case ControlKind::Entry:
        case ControlKind::Combo:
        case ControlKind::Spin:
            return {0, kKeepHeight};
        case ControlKind::Button:
            return {kHorzAuto | kVertAuto, kKeepWidth | kKeepHeight};
        case ControlKind::Check:
        case ControlKind::Radio:
            return {0, kKeepWidth | kKeepHeight};
        case ControlKind::Other:
            break;
    }
    return {};
}

void ResizeList::add(int control, ControlKind kind, QRect opening) {
    add(ResizeEntry{control, kind, opening, rulesFor(mode_, kind)});
}

void ResizeList::add(const ResizeEntry& entry) {
    if (entry.control <= 0) return;
    auto at =
        std::lower_bound(entries_.begin(), entries_.end(), entry.control,
                         [](const ResizeEntry& e, int control) { return e.control < control; });
    if (at != entries_.end() && at->control == entry.control)
        *at = entry;
    else
        entries_.insert(at, entry);
}

std::vector<ResizeList::Placement> ResizeList::place(QSize current) {
    std::vector<Placement> out;
    if (lastPlaced_ == current) return out;
    lastPlaced_ = current;
    const Axis horz{opening_.width(), current.width(), ratioOf(current.width(), opening_.width())};
    const Axis vert{opening_.height(), current.height(),
                    ratioOf(current.height(), opening_.height())};
    out.reserve(entries_.size());
    for (const ResizeEntry& e : entries_) {
        int x = 0, y = 0, w = 0, h = 0;
        placeAxis(horz, e.rules.rules & 0xFF, (e.rules.switches & kKeepWidth) != 0, e.opening.x(),
                  e.opening.width(), &x, &w);
        placeAxis(vert, (e.rules.rules >> 8) & 0xFF, (e.rules.switches & kKeepHeight) != 0,
                  e.opening.y(), e.opening.height(), &y, &h);
        out.push_back({e.control, QRect(x, y, w, h)});
    }
    return out;
}

}  // namespace cdz
