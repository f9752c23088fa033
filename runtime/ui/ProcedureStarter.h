#pragma once
// Starts the program's procedures by name. A procedure that "starts" (its own window beside the
// others) gets an instance number the way a new thread gets its number: the frame is 1, each
// started window the lowest free number from 2, given back when the window is destroyed. A
// procedure that "runs" is called on the caller's behalf and has no number. A name nobody
// defined is reported through the not-defined handler (the program shows its warning 6).
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include <QObject>
#include <QPointer>

class QMdiArea;
class QWidget;

namespace cdz {

class ProcedureStarter final : public QObject {
    Q_OBJECT
public:
    // Builds the procedure's window for an instance number. A widget whose type makes it a
    // window of its own (Qt::Dialog, Qt::SplashScreen, Qt::Tool, ...) is shown as it is; a
    // plain widget becomes a document window of the MDI area. nullptr when the procedure did
    // its work without a window.
    using WindowFactory = std::function<QWidget*(int instance)>;
    using Routine = std::function<void()>;
    using NotDefinedHandler = std::function<void(const std::string& name)>;

    static constexpr int kFrameInstance = 1;

    explicit ProcedureStarter(NotDefinedHandler notDefined, QObject* parent = nullptr);
    ~ProcedureStarter() override;

    // Where document windows open; without an area they open as windows of their own.
    void setMdiArea(QMdiArea* area);

    void define(std::string name, WindowFactory factory);
    void defineRoutine(std::string name, Routine routine);
    bool isDefined(std::string_view name) const;

    // Starts a new instance of a window procedure, even when one is already open. Returns its
    // instance number, or 0 when the name is not defined as a window procedure.
    int start(std::string_view name);
    // Runs a routine procedure now; false when the name is not defined as a routine.
    bool run(std::string_view name);

    // Instance numbers in use (ascending), without the frame's.
    std::vector<int> instances() const;
    // The window of an instance (the procedure's own widget), nullptr when the number is free.
    QWidget* window(int instance) const;
    std::string procedureOf(int instance) const;

    // Asks every started window to close, newest first; false as soon as one refuses.
    bool closeAll();

signals:
    void started(const QString& name, int instance);
    void ended(int instance);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Running {
        std::string name;
        QPointer<QWidget> window;  // the procedure's own widget
        QPointer<QWidget> closer;  // what closing means: the MDI sub-window, or the window
        bool closingFromFrame = false;
        bool delivering = false;
    };

    int lowestFree() const;
    void showWindow(int instance, QWidget* widget);
    void release(int instance);
    Running* findByWidget(const QObject* widget);

    NotDefinedHandler notDefined_;
    QPointer<QMdiArea> mdi_;
    std::map<std::string, WindowFactory, std::less<>> factories_;
    std::map<std::string, Routine, std::less<>> routines_;
    std::map<int, Running> running_;  // reserved from before the factory runs until destroyed
};

}  // namespace cdz
