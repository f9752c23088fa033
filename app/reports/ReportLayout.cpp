#include "app/reports/ReportLayout.h"

#include "app/reports/CardLayout.h"
#include "app/reports/ReportDefinition.h"
#include "app/reports/ReportPager.h"
#include "app/reports/TimeTotalLayout.h"
#include "app/reports/TotalsLayout.h"

namespace cdz {

std::unique_ptr<ReportLayout> ReportLayout::make(const ReportDefinition& definition,
                                                 const std::string& title, PageList& pages,
                                                 QSizeF paper, const ReportLook& look) {
    switch (definition.shape) {
        case ReportShape::Totals:
            return std::make_unique<TotalsLayout>(definition, pages, paper, title, look);
        case ReportShape::TimeTotal:
            return std::make_unique<TimeTotalLayout>(definition, pages, paper, title, look);
        case ReportShape::List:
            break;
        // Cards come on pages of their own size, whatever the printer's paper.
        case ReportShape::IndexCard:
            return std::make_unique<CardLayout>(pages, CardStock::index(), definition.columns,
                                                look);
        case ReportShape::RotaryCard:
            return std::make_unique<CardLayout>(pages, CardStock::rotary(), definition.columns,
                                                look);
    }
    return std::make_unique<ReportPager>(pages, paper, title, definition.columns, look,
                                         definition.bands);
}

}  // namespace cdz
