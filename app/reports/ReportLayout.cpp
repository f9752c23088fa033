#include "app/reports/ReportLayout.h"

#include "app/reports/ReportDefinition.h"
#include "app/reports/ReportPager.h"

namespace cdz {

std::unique_ptr<ReportLayout> ReportLayout::make(const ReportDefinition& definition,
                                                 const std::string& title, PageList& pages,
                                                 QSizeF paper, const ReportLook& look) {
    switch (definition.shape) {
        case ReportShape::List:
        case ReportShape::Totals:
        case ReportShape::IndexCard:
        case ReportShape::RotaryCard:
            break;
    }
    return std::make_unique<ReportPager>(pages, paper, title, definition.columns, look,
                                         definition.bands);
}

}  // namespace cdz
