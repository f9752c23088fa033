#include "runtime/ui/ProcedureStarter.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QWidget>

#include <utility>

namespace cdz {

ProcedureStarter::ProcedureStarter(NotDefinedHandler notDefined, QObject* parent)
    : QObject(parent), notDefined_(std::move(notDefined)) {}

ProcedureStarter::~ProcedureStarter() {
    // Windows of their own have no parent to take them down: they end with the starter, as a
    // program's threads end with it. Document windows belong to the MDI area.
    std::vector<QPointer<QWidget>> own;
    for (auto& [n, r] : running_)
        if (r.window && r.closer == r.window) own.push_back(r.window);
    running_.clear();
    for (auto& w : own) delete w.data();
}

void ProcedureStarter::setMdiArea(QMdiArea* area) {
    mdi_ = area;
}

void ProcedureStarter::define(std::string name, WindowFactory factory) {
    factories_[std::move(name)] = std::move(factory);
}

void ProcedureStarter::defineRoutine(std::string name, Routine routine) {
    routines_[std::move(name)] = std::move(routine);
}

bool ProcedureStarter::isDefined(std::string_view name) const {
    return factories_.find(name) != factories_.end() || routines_.find(name) != routines_.end();
}

int ProcedureStarter::lowestFree() const {
    int n = kFrameInstance + 1;
    for (const auto& [used, r] : running_) {  // ascending keys
        if (used > n) break;
        if (used == n) ++n;
    }
    return n;
}

int ProcedureStarter::start(std::string_view name) {
    const auto it = factories_.find(name);
    if (it == factories_.end() || !it->second) {
        if (notDefined_) notDefined_(std::string(name));
        return 0;
    }
    // Reserved before the factory runs, so a window that starts another procedure while it is
    // being built does not hand its own number on.
    const int n = lowestFree();
    running_[n].name = std::string(name);
    const WindowFactory factory = it->second;  // the factory may redefine procedures
    QWidget* widget = factory(n);
    if (!widget) {
        running_.erase(n);
        return n;
    }
    showWindow(n, widget);
    return n;
}

bool ProcedureStarter::run(std::string_view name) {
    const auto it = routines_.find(name);
    if (it == routines_.end() || !it->second) {
        if (notDefined_) notDefined_(std::string(name));
        return false;
    }
    const Routine routine = it->second;
    routine();
    return true;
}

void ProcedureStarter::showWindow(int instance, QWidget* widget) {
    Running& r = running_[instance];
    r.window = widget;
    connect(widget, &QObject::destroyed, this, [this, instance] { release(instance); });

    // A plain widget is a document, though Qt calls a parentless one a Qt::Window; a dialog,
    // splash screen or tool window says by its type that it is a window of its own.
    const Qt::WindowType type = widget->windowType();
    if ((type != Qt::Widget && type != Qt::Window) || !mdi_) {
        widget->setAttribute(Qt::WA_DeleteOnClose);
        r.closer = widget;
        widget->show();
    } else {
        QMdiSubWindow* sub = mdi_->addSubWindow(widget);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        r.closer = sub;
        // A document window that closes itself must take its MDI frame along (by itself Qt
        // would leave an empty frame behind).
        widget->installEventFilter(this);
        sub->installEventFilter(this);
        sub->show();
        mdi_->setActiveSubWindow(sub);
    }
    emit started(QString::fromStdString(r.name), instance);
}

ProcedureStarter::Running* ProcedureStarter::findByWidget(const QObject* widget) {
    for (auto& [n, r] : running_)
        if (r.window.data() == widget || r.closer.data() == widget) return &r;
    return nullptr;
}

bool ProcedureStarter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Close) return false;
    Running* r = findByWidget(watched);
    if (!r || !r->closer || r->closer == r->window) return false;

    if (watched == r->closer.data()) {
        // The MDI frame closes: it asks the window itself next.
        r->closingFromFrame = true;
        return false;
    }
    if (r->closingFromFrame || r->delivering) {
        r->closingFromFrame = false;
        return false;
    }
    // The window closes itself: let it decide first, then close its frame. The frame's own
    // question to the window is answered by Qt without a second event while this one runs.
    QPointer<QWidget> window = r->window;
    QPointer<QWidget> closer = r->closer;
    r->delivering = true;
    QCoreApplication::sendEvent(watched, event);
    if (Running* again = findByWidget(window.data())) again->delivering = false;
    if (event->isAccepted() && closer) {
        closer->close();
        if (Running* again = findByWidget(window.data())) again->closingFromFrame = false;
    }
    return true;
}

void ProcedureStarter::release(int instance) {
    if (running_.erase(instance) > 0) emit ended(instance);
}

std::vector<int> ProcedureStarter::instances() const {
    std::vector<int> out;
    for (const auto& [n, r] : running_) out.push_back(n);
    return out;
}

QWidget* ProcedureStarter::window(int instance) const {
    const auto it = running_.find(instance);
    return it == running_.end() ? nullptr : it->second.window.data();
}

std::string ProcedureStarter::procedureOf(int instance) const {
    const auto it = running_.find(instance);
    return it == running_.end() ? std::string() : it->second.name;
}

bool ProcedureStarter::closeAll() {
    std::vector<QPointer<QWidget>> closers;
    for (auto it = running_.rbegin(); it != running_.rend(); ++it)
        if (it->second.closer) closers.push_back(it->second.closer);
    for (auto& c : closers)
        if (c && c->isVisible() && !c->close()) return false;
    return true;
}

}  // namespace cdz
