#include "app/reports/ReportsProcedures.h"

#include "app/engine/state/AppState.h"
#include "app/reports/ReportCatalogue.h"
#include "app/reports/ReportSession.h"

namespace cdz {

void defineReportsProcedures(AppState& state, QWidget& frame) {
    for (const ReportDefinition& d : ReportCatalogue::all()) {
        state.starter().define(d.procedure, [&state, &frame, &d](int) {
            return ReportSession::start(state, d, &frame);
        });
    }
}

}  // namespace cdz
