#pragma once
// Lays a card report out: one card per record, each card a page of the card's own size, so
// that card stock goes through the printer's manual feed as it comes, whatever the paper of
// the printer set-up, and a PDF keeps each card at its size. An index card puts each column's
// caption beside its value, a line per column; a rotary card prints values only and keeps its
// foot clear for the rotary file's slots. The first line, the card's order field, stands out;
// a long value further down wraps onto the lines the card has to spare.
#include <string>
#include <vector>

#include "app/reports/ReportLayout.h"
#include "app/reports/ReportPager.h"
#include "runtime/report/PageList.h"

namespace cdz {

struct CardStock {
    Mils width, height;
    Mils margin;  // on the sides and at the top
    Mils foot;    // kept clear at the bottom
    bool captions;

    static CardStock index();   // 5 x 3 in, captions beside values
    static CardStock rotary();  // 4 x 2 1/4 in, values only, the slots at the foot
};

class CardLayout final : public ReportLayout {
public:
    // On a rotary card a right-aligned column ends the line of the column before it.
    CardLayout(PageList& pages, CardStock stock, std::vector<ReportColumn> columns,
               ReportLook look);

    bool add(const std::vector<std::string>& values) override;
    // Every card is sent as soon as it is made: nothing is left to send.
    bool finish() override { return true; }
    bool pageHasContent() const override { return false; }

private:
    struct Line {
        size_t left;
        std::vector<size_t> right;  // columns set at the line's right end
    };

    static QString shown(const std::string& value);
    void text(Page& page, Mils x, Mils y, Mils width, const std::string& value,
              const FontSpec& font, TextAlign align, int lines = 1) const;
    Mils valueWidth() const;
    Mils width(const Line& line, size_t column) const;
    // How many card lines each line's value takes.
    std::vector<int> lineCounts(const std::vector<std::string>& values) const;

    PageList& pages_;
    CardStock stock_;
    std::vector<ReportColumn> columns_;
    std::vector<Line> lines_;
    ReportLook look_;
    FontSpec body_, first_, caption_;
    Mils lineHeight_, firstHeight_, captionWidth_;
};

}  // namespace cdz
