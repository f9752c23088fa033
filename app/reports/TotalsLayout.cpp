#include "app/reports/TotalsLayout.h"

#include "runtime/data/FileDecl.h"
#include "runtime/text/Decimal.h"

namespace cdz {
namespace {

// Wide enough for any sum of a report (17 digits).
constexpr int kSumBytes = 9;

// A rule over a money column: drawn as text so that it keeps the column's width, cut at it.
const std::string kRule = [] {
    std::string r;
    for (int i = 0; i < 60; ++i) r += "\u2500";
    return r;
}();

}  // namespace

TotalsLayout::TotalsLayout(const ReportDefinition& definition, PageList& pages, QSizeF paper,
                           std::string title, ReportLook look)
    : pager_(pages, paper, std::move(title), definition.columns, std::move(look)),
      places_(moneyPlaces(definition)),
      sums_(places_.size(), 0),
      unreadable_(places_.size(), false) {}

std::vector<int> TotalsLayout::moneyPlaces(const ReportDefinition& definition) {
    const FileDecl& decl = declarationOf(definition.file);
    std::vector<int> places;
    for (const ReportColumn& c : definition.columns) {
        int p = -1;
        for (const FieldDesc& f : decl.columns())
            if (f.label == c.label && f.type == FieldType::Decimal && f.decimal.places > 0)
                p = f.decimal.places;
        places.push_back(p);
    }
    return places;
}

std::string TotalsLayout::grouped(int64_t raw, int places) {
    const std::string plain = decimalToString(raw < 0 ? -raw : raw, DecimalSpec{kSumBytes, places});
    const size_t point = plain.find('.');
    const std::string whole = plain.substr(0, point);
    std::string out;
    for (size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0) out += ',';
        out += whole[i];
    }
    if (point != std::string::npos) out += plain.substr(point);
    return raw < 0 ? "-" + out : out;
}

bool TotalsLayout::add(const std::vector<std::string>& values) {
    std::vector<std::string> shown = values;
    for (size_t i = 0; i < shown.size() && i < places_.size(); ++i) {
        if (places_[i] < 0) continue;
        const auto raw = decimalFromString(shown[i], DecimalSpec{kSumBytes, places_[i]});
        if (!raw) {
            unreadable_[i] = true;
            continue;
        }
        sums_[i] += *raw;
        shown[i] = grouped(*raw, places_[i]);
    }
    ++records_;
    return pager_.add(shown);
}

bool TotalsLayout::finish() {
    if (records_ > 0) {
        std::vector<std::string> rule(places_.size()), totals(places_.size());
        bool labelled = false;
        for (size_t i = 0; i < places_.size(); ++i) {
            if (places_[i] >= 0) {
                rule[i] = kRule;
                totals[i] = unreadable_[i] ? "?" : grouped(sums_[i], places_[i]);
            } else if (!labelled) {
                totals[i] = kTotals;
                labelled = true;
            }
        }
        if (!pager_.add(rule) || !pager_.add(totals)) return false;
    }
    return pager_.finish();
}

}  // namespace cdz
