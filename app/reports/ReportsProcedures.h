#pragma once
// The reports' procedures, defined with the procedure starter when the frame is built: every
// report of the catalogue under its procedure name.
class QWidget;

namespace cdz {

class AppState;

void defineReportsProcedures(AppState& state, QWidget& frame);

}  // namespace cdz
