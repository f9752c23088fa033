#pragma once
// The procedures of the file manager, defined with the procedure starter when the frame is
// built: the File Manager window, the conversion of the previous generation's songs (started
// each time the frame opens) and the launch of the DOS data conversion program.
class QWidget;

namespace cdz {

class AppState;

void defineFileManagerProcedures(AppState& state, QWidget& frame);

}  // namespace cdz
