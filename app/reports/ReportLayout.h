#pragma once
// How a report puts its records on pages: a list of lines, cards, a list with totals. The
// pass over the records hands each printed record's values (one per column of the report) to
// the layout, which sends every finished page to the page list.
#include <memory>
#include <string>
#include <vector>

#include <QSizeF>

namespace cdz {

class PageList;
struct ReportDefinition;
struct ReportLook;

class ReportLayout {
public:
    virtual ~ReportLayout() = default;
    // One record's values, one per column. False when the page list refused a page.
    virtual bool add(const std::vector<std::string>& values) = 0;
    // Sends the page being filled, if it holds anything. False when the page list refused it.
    virtual bool finish() = 0;
    // Whether the page being filled holds a record.
    virtual bool pageHasContent() const = 0;

    // The layout of a report's shape, on paper of `paper` points.
    static std::unique_ptr<ReportLayout> make(const ReportDefinition& definition,
                                              const std::string& title, PageList& pages,
                                              QSizeF paper, const ReportLook& look);
};

}  // namespace cdz
