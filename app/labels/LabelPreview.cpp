#include "app/labels/LabelPreview.h"

#include <QPageLayout>
#include <QPrinter>

#include "app/engine/state/AppState.h"
#include "app/labels/LabelPrintSession.h"
#include "app/labels/LabelPrintout.h"

namespace cdz {

void previewLabel(AppState& state, const LabelRecord& label, QWidget* parent) {
    const QSizeF paper = state.printer().pageLayout().fullRect(QPageLayout::Point).size();
    LabelPrintSession::output(state, LabelPrintout::lay(state, label, paper), "Preview", true,
                              parent);
}

}  // namespace cdz
