#include "bench/albumbrowse/AlbumTimings.h"

#include <QApplication>
#include <QResizeEvent>
#include <QTabBar>

#include <chrono>
#include <memory>

#include "app/albums/AlbumBrowse.h"
#include "app/domain/data/Catalogue.h"
#include "app/engine/state/AppState.h"
#include "bench/albumbrowse/AlbumFormTimings.h"
#include "bench/browse/ResidentMemory.h"
#include "runtime/ui/ScriptedDialogs.h"

namespace cdz::bench {
namespace {

// Among the album browse's row fields.
constexpr int kArtistField = 0;
constexpr int kAlbumField = 1;
constexpr int kAlbumIdField = 10;
constexpr const char* kLetter = "M";

template <typename F>
double millis(F&& f) {
    const auto t0 = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

void settle() {
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

struct TabInfo {
    const char* name;
    int locatorField;  // the row field the order's locator finds
    char32_t typed;    // the character typed for the step locator
};

const TabInfo kTabs[AlbumBrowse::kTabCount] = {{"By ID", kAlbumIdField, U'7'},
                                               {"By Album", kAlbumField, U'M'},
                                               {"By Artist", kArtistField, U'M'}};

enum class Movement { PageDown, PageUp, Bottom, Top };
struct MovementInfo {
    Movement movement;
    const char* name;
    BrowseList::Move move;
};
const MovementInfo kMovements[] = {
    {Movement::PageDown, "page down", BrowseList::Move::PageDown},
    {Movement::PageUp, "page up", BrowseList::Move::PageUp},
    {Movement::Bottom, "bottom", BrowseList::Move::Bottom},
    {Movement::Top, "top", BrowseList::Move::Top},
};

class Pass {
public:
    Pass(AppState& state, Samples& engine, Samples& window, AlbumPass& out)
        : state_(state), engine_(engine), window_(window), out_(out) {}

    bool open(bool measureMemory) {
        AlbumBrowse* w = nullptr;
        bool painted = false;
        const double total = millis([&] {
            engine_.add("construct the window",
                        millis([&] { w = AlbumBrowse::open(state_, nullptr); }));
            if (!w) return;
            // The list is laid out as showing it would, so that the first refresh reads the page
            // the window shows; showing it then finds the page made.
            QResizeEvent laid(w->list().size(), QSize());
            QCoreApplication::sendEvent(&w->list(), &laid);
            engine_.add("first refresh", millis([&] { w->engine().refresh(); }));
            QObject::connect(&w->list(), &BrowseList::painted, w, [&] { painted = true; });
            w->show();
            while (!painted) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
        });
        if (!w) return fail("the album browse did not open");
        window_.add("open to first page painted", total);
        browse_ = w;
        out_.pageRows = w->engine().page().count();
        out_.albums = state_.catalogue().file(CatalogueFile::Album).records();
        if (!full()) return fail("the first page is not full");
        if (id(1) != 1) return fail("the first page does not start at album 1");
        if (measureMemory) out_.residentAfterOpenKb = ResidentMemory::kilobytes();
        return true;
    }

    // A switch to each tab from the top of another.
    bool tabs() {
        BrowseEngine& e = browse_->engine();
        QTabBar& bar = *browse_->findChild<QTabBar*>("SortTabs");
        for (int tab = 0; tab < AlbumBrowse::kTabCount; ++tab) {
            const std::string name = std::string("tab ") + kTabs[tab].name;
            const int from = tab == AlbumBrowse::ById ? AlbumBrowse::ByAlbum : AlbumBrowse::ById;
            e.setSortTab(from);
            e.refresh();
            e.scrollEnd(false);
            engine_.add(name, millis([&] {
                            e.setSortTab(tab);
                            e.refresh();
                        }));
            if (!full()) return fail(name + " left a page not full");
            bar.setCurrentIndex(from);
            emit browse_->list().moved(BrowseList::Move::Top);
            window_.add(name, millis([&] {
                            bar.setCurrentIndex(tab);
                            browse_->list().viewport()->repaint();
                        }));
            if (!full()) return fail(name + " left a page not full");
        }
        return true;
    }

    // In each order from its top: the letter M, a character typed, and the movements.
    bool inEachOrder() {
        BrowseEngine& e = browse_->engine();
        QTabBar& bar = *browse_->findChild<QTabBar*>("SortTabs");
        QTabBar& strip = *browse_->findChild<QTabBar*>("AlphabetStrip");
        for (int tab = 0; tab < AlbumBrowse::kTabCount; ++tab) {
            const TabInfo& t = kTabs[tab];
            const std::string prefix = std::string(t.name) + ": ";
            bar.setCurrentIndex(tab);
            e.scrollEnd(false);
            engine_.add(prefix + "letter M", millis([&] { e.locateValue(kLetter); }));
            if (!letterFound(tab)) return fail(prefix + "the letter M found no album");
            strip.setCurrentIndex(3);
            emit browse_->list().moved(BrowseList::Move::Top);
            window_.add(prefix + "letter M", millis([&] {
                            strip.setCurrentIndex(kLetter[0] - 'A');
                            browse_->list().viewport()->repaint();
                        }));
            if (!letterFound(tab)) return fail(prefix + "the letter M found no album");

            e.scrollEnd(false);
            const std::string typed = prefix + "typed \"" + static_cast<char>(t.typed) + "\"";
            engine_.add(typed, millis([&] { e.typeLocator(t.typed); }));
            if (!full()) return fail(typed + " left a page not full");
            emit browse_->list().moved(BrowseList::Move::Top);
            window_.add(typed, millis([&] {
                            emit browse_->list().typed(t.typed);
                            browse_->list().viewport()->repaint();
                        }));
            if (!full()) return fail(typed + " left a page not full");

            e.scrollEnd(false);
            for (const MovementInfo& m : kMovements) {
                engine_.add(prefix + m.name, millis([&] { move(e, m.movement); }));
                if (!full()) return fail(prefix + m.name + " left a page not full");
            }
            emit browse_->list().moved(BrowseList::Move::Top);
            for (const MovementInfo& m : kMovements) {
                window_.add(prefix + m.name, millis([&] {
                                emit browse_->list().moved(m.move);
                                browse_->list().viewport()->repaint();
                            }));
                if (!full()) return fail(prefix + m.name + " left a page not full");
            }
        }
        bar.setCurrentIndex(AlbumBrowse::ById);
        return true;
    }

    bool albumForm() {
        std::string failure;
        return AlbumFormTimings::run(state_, *browse_, engine_, window_, failure) || fail(failure);
    }

    void close() {
        if (browse_) browse_->close();
        browse_ = nullptr;
        settle();
    }

private:
    static void move(BrowseEngine& e, Movement m) {
        switch (m) {
            case Movement::PageDown:
                e.scrollPage(true);
                break;
            case Movement::PageUp:
                e.scrollPage(false);
                break;
            case Movement::Bottom:
                e.scrollEnd(true);
                break;
            case Movement::Top:
                e.scrollEnd(false);
                break;
        }
    }
    bool full() const { return browse_->engine().page().count() == browse_->list().visibleRows(); }
    int64_t id(int row) const {
        const auto* n = std::get_if<int64_t>(&browse_->engine().rowValue(row, kAlbumIdField));
        return n ? *n : 0;
    }
    std::string text(int field) const {
        const BrowseEngine& e = browse_->engine();
        if (!e.choice()) return {};
        const auto* t = std::get_if<std::string>(&e.rowValue(e.choice(), field));
        return t ? *t : std::string();
    }
    // By number the letter is 0, so the first album; otherwise an album or artist beginning
    // with M.
    bool letterFound(int tab) const {
        if (!full()) return false;
        const BrowseEngine& e = browse_->engine();
        if (tab == AlbumBrowse::ById) return e.choice() == 1 && id(1) == 1;
        return text(kTabs[tab].locatorField).rfind(kLetter, 0) == 0;
    }
    bool fail(std::string why) {
        if (out_.ok) out_.failure = std::move(why);
        out_.ok = false;
        return false;
    }

    AppState& state_;
    Samples& engine_;
    Samples& window_;
    AlbumPass& out_;
    AlbumBrowse* browse_ = nullptr;
};

}  // namespace

AlbumPass AlbumTimings::run(const std::filesystem::path& folder, int repeats, Samples& engine,
                            Samples& window) {
    AlbumPass out;
    AppState state(folder, std::make_unique<ScriptedDialogs>(), [&out](std::string_view text) {
        out.ok = false;
        out.failure = "halt: " + std::string(text);
    });
    state.setApplicationTag(AppState::kApplicationTag);
    state.setSettingsFileName(AppState::kSettingsFileName);
    state.readSettings();
    // The program's frame holds these three files open for its whole life, so a browse opened
    // in it finds their pages cached from the browses before it; so does every opening here.
    FileUse frameFiles(state.catalogue(),
                       {CatalogueFile::Album, CatalogueFile::Media, CatalogueFile::Cadenzio});
    for (int r = 0; r < repeats && out.ok; ++r) {
        Pass pass(state, engine, window, out);
        const bool done =
            pass.open(r == 0) && pass.tabs() && pass.inEachOrder() && pass.albumForm();
        pass.close();
        if (!done) break;
    }
    return out;
}

}  // namespace cdz::bench
