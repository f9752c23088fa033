#pragma once
// A form that takes songs dragged from the song browse cannot run over every window, or no drag
// could reach it. While it runs beside them, this keeps the rest of the program still: every
// other window but the ones songs are dragged from is disabled, the frame's menus and tool bars
// too, and the frame refuses to close; all is given back when the form ends.
#include <QObject>
#include <QPointer>
#include <vector>

class QWidget;

namespace cdz {

class FormBeside : public QObject {
public:
    // `form` is the form about to run; `caller` any widget of the window that started it.
    FormBeside(QWidget& form, QWidget* caller);
    ~FormBeside() override;
    FormBeside(const FormBeside&) = delete;
    FormBeside& operator=(const FormBeside&) = delete;

    // Shows the form and waits in a local event loop until it is finished (or the program
    // quits).
    void run();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setAside(QWidget* window);

    QWidget& form_;
    QPointer<QWidget> frame_;
    std::vector<QPointer<QWidget>> disabled_;
    std::vector<QPointer<QWidget>> muted_;  // windows the form belongs to
};

}  // namespace cdz
