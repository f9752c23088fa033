#pragma once
// Lays a list report out on pages: a heading on each page (the logo, the title, the date and
// the column captions), one line per record in the report's columns, and the page number at
// the foot. Each page goes to the page list as soon as it is full, so a report of any length
// holds one page in memory.
#include <QSizeF>
#include <QString>
#include <string>
#include <vector>

#include "app/reports/ReportDefinition.h"
#include "app/reports/ReportLayout.h"
#include "runtime/report/PageList.h"

namespace cdz {

struct ReportLook {
    FontSpec font{"Sans Serif", 9};  // the detail lines'; headings are drawn bold from it
    Argb colour = kBlack;
    // The user chose a font: every text of the report takes it as it is, headings included.
    bool customFont = false;
    QString logo;  // a picture printed at the top of each page; empty for none
    QString date;  // the printing date as the user's date picture shows it
};

class ReportPager final : public ReportLayout {
public:
    // `paper` in points; the margins are half an inch on every side. `bands` sets of the
    // columns stand side by side; lines fill the first from the top, then the next.
    ReportPager(PageList& pages, QSizeF paper, std::string title, std::vector<ReportColumn> columns,
                ReportLook look, int bands = 1);

    // One record's line, one value per column. False when the page list refused a page.
    bool add(const std::vector<std::string>& values) override;
    // Sends the page being filled, if it holds a line. False when the page list refused it.
    bool finish() override;
    bool pageHasContent() const override { return lines_ > 0; }

private:
    void startPage();
    bool endPage();
    FontSpec headingFont(double points) const;
    void text(Mils x, Mils y, Mils width, const std::string& value, const FontSpec& font,
              TextAlign align);

    PageList& pages_;
    Page page_;
    std::string title_;
    std::vector<ReportColumn> columns_;
    std::vector<Mils> left_, width_;
    ReportLook look_;
    Mils margin_{500};
    Mils lineHeight_{0};
    Mils bodyTop_{0};
    Mils bodyBottom_{0};
    int bands_ = 1;
    Mils bandWidth_{0};
    int lines_ = 0;
    int pageNumber_ = 0;
    bool open_ = false;
};

}  // namespace cdz
