#include "app/core/MainFrame.h"

#include <QMdiArea>

namespace cdz {

MainFrame::MainFrame(QWidget* parent) : QMainWindow(parent), mdi_(new QMdiArea(this)) {
    setObjectName("MainFrame");
    setWindowTitle("Orvanta 98");
    mdi_->setObjectName("MdiArea");
    setCentralWidget(mdi_);
    resize(1024, 700);
}

}  // namespace cdz
