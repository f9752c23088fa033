#pragma once
// The procedures of the labels, defined with the procedure starter when the frame is built:
// the label browse and form, the favourite fonts, the label wizard and the label printouts.
class QWidget;

namespace cdz {

class AppState;

void defineLabelsProcedures(AppState& state, QWidget& frame);

}  // namespace cdz
