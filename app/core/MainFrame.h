#pragma once
// The program's frame window, "Orvanta 98": the window every other window of the program opens
// inside.
#include <QMainWindow>

class QMdiArea;

namespace cdz {

class MainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit MainFrame(QWidget* parent = nullptr);

    QMdiArea* mdiArea() const { return mdi_; }

private:
    QMdiArea* mdi_;
};

}  // namespace cdz
