#pragma once
// The procedures of the engines every list and form stands on, defined with the procedure
// starter when the frame is built: the column layout window of whichever browse runs it.
class QWidget;

namespace cdz {

class AppState;

void defineEngineProcedures(AppState& state, QWidget& frame);

}  // namespace cdz
