#pragma once
// The geometry of window resizing: every control's place when its window opened, with its
// rules, and the places for a new window size. Browse windows scale everything; form windows
// keep the size of entry fields and buttons and hold buttons at the nearer edge.
#include <optional>
#include <vector>

#include <QRect>
#include <QSize>

namespace cdz {

enum class ResizeMode { Browse = 1, Form = 2 };

// What a control is, as far as the form rules tell controls apart.
enum class ControlKind { Other, Entry, Combo, Spin, Button, Check, Radio };

// The rules, as bits of one number: horizontal in the low byte, vertical in the next. When a
// control has several bits of one direction, keep wins over right/bottom, over left/top, over
// centre; automatic becomes right/bottom or left/top by the nearer edge.
enum ResizeRule : int {
    kHorzKeep = 1,
    kHorzRight = 2,
    kHorzLeft = 4,
    kHorzCentre = 8,
    kHorzAuto = 16,
    kVertKeep = 256,
    kVertBottom = 512,
    kVertTop = 1024,
    kVertCentre = 2048,
    kVertAuto = 4096,
};
// The switches, as bits of another number.
enum ResizeSwitch : int { kKeepWidth = 1, kKeepHeight = 2 };

struct ResizeRules {
    int rules = 0;
    int switches = 0;
    friend bool operator==(const ResizeRules&, const ResizeRules&) = default;
};

struct ResizeEntry {
    int control = 0;  // the control's number, 1 and up
    ControlKind kind = ControlKind::Other;
    QRect opening;  // in the window, when it opened
    ResizeRules rules;
};

class ResizeList {
public:
    struct Placement {
        int control;
        QRect geometry;
    };

    ResizeList(ResizeMode mode, QSize windowAtOpening);

    // The rules a control of this kind gets in this mode.
    static ResizeRules rulesFor(ResizeMode mode, ControlKind kind);

    // Records a control with the rules of the list's mode; control 0 (the window) is not
    // recorded, and a number recorded again replaces its entry.
    void add(int control, ControlKind kind, QRect opening);
    // Records a control with rules of its own.
    void add(const ResizeEntry& entry);

    // The places of every control for the window's current size, in control order; nothing
    // when the size is the one last placed (the first call always places). Positions are
    // rounded to the nearest pixel from ratios of 4 decimals, so the opening size gives back
    // every opening place exactly.
    std::vector<Placement> place(QSize current);

    const std::vector<ResizeEntry>& entries() const { return entries_; }
    QSize windowAtOpening() const { return opening_; }

private:
    ResizeMode mode_;
    QSize opening_;
    std::optional<QSize> lastPlaced_;
    std::vector<ResizeEntry> entries_;  // sorted by control number
};

}  // namespace cdz
