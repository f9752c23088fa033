#include "bench/songbrowse/WindowTimings.h"

#include <QApplication>
#include <QResizeEvent>
#include <QTabBar>

#include <chrono>
#include <memory>

#include "app/domain/data/Catalogue.h"
#include "app/engine/state/AppState.h"
#include "app/songs/SongBrowse.h"
#include "bench/browse/ResidentMemory.h"
#include "runtime/ui/ScriptedDialogs.h"

namespace cdz::bench {
namespace {

constexpr int kArtistField = 1;  // MUS:Artist among the song browse's row fields

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

const char* const kTabNames[SongBrowse::kTabCount] = {
    "tab By Artist",   "tab By Title",   "tab By Album", "tab By Media",
    "tab By Category", "tab By Chart #", "tab By UDK"};

class Pass {
public:
    Pass(AppState& state, Samples& engine, Samples& window, WindowPass& out)
        : state_(state), engine_(engine), window_(window), out_(out) {}

    bool open(bool measureMemory) {
        SongBrowse* w = nullptr;
        bool painted = false;
        const double total = millis([&] {
            engine_.add("construct the window",
                        millis([&] { w = SongBrowse::open(state_, nullptr); }));
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
        if (!w) return fail("the song browse did not open");
        window_.add("open to first page painted", total);
        browse_ = w;
        out_.pageRows = w->engine().page().count();
        if (out_.pageRows != w->list().visibleRows()) {
            return fail("the first page holds " + std::to_string(out_.pageRows) +
                        " rows, the list shows " + std::to_string(w->list().visibleRows()));
        }
        if (measureMemory) out_.residentAfterOpenKb = ResidentMemory::kilobytes();
        return true;
    }

    bool tabs() {
        BrowseEngine& e = browse_->engine();
        for (int tab = 0; tab < SongBrowse::kTabCount; ++tab) {
            const int from =
                tab == SongBrowse::ByArtist ? SongBrowse::ByTitle : SongBrowse::ByArtist;
            e.setSortTab(from);
            e.refresh();
            ranges();
            engine_.add(kTabNames[tab], millis([&] {
                            e.setSortTab(tab);
                            e.refresh();
                        }));
            if (!full()) return fail(std::string(kTabNames[tab]) + " left a page not full");
        }
        QTabBar& bar = *browse_->findChild<QTabBar*>("SortTabs");
        for (int tab = 0; tab < SongBrowse::kTabCount; ++tab) {
            bar.setCurrentIndex(tab == SongBrowse::ByArtist ? SongBrowse::ByTitle
                                                            : SongBrowse::ByArtist);
            ranges();
            window_.add(kTabNames[tab], millis([&] {
                            bar.setCurrentIndex(tab);
                            browse_->list().viewport()->repaint();
                        }));
            if (!full()) return fail(std::string(kTabNames[tab]) + " left a page not full");
        }
        bar.setCurrentIndex(SongBrowse::ByArtist);
        return true;
    }

    bool letter() {
        BrowseEngine& e = browse_->engine();
        e.scrollEnd(false);
        engine_.add("letter M", millis([&] { e.locateValue(WindowTimings::kLetter); }));
        if (!startsWith(WindowTimings::kLetter)) return fail("the letter found no M artist");
        QTabBar& strip = *browse_->findChild<QTabBar*>("AlphabetStrip");
        strip.setCurrentIndex(3);
        window_.add("letter M", millis([&] {
                        strip.setCurrentIndex(WindowTimings::kLetter[0] - 'A');
                        browse_->list().viewport()->repaint();
                    }));
        return full() || fail("the letter left a page not full");
    }

    bool typed() {
        BrowseEngine& e = browse_->engine();
        e.scrollEnd(false);
        std::string sofar;
        for (const char* c = WindowTimings::kTyped; *c; ++c) {
            sofar += *c;
            engine_.add("typed \"" + sofar + "\"", millis([&] { e.typeLocator(char32_t(*c)); }));
        }
        out_.locatedArtist = artist();
        emit browse_->list().moved(BrowseList::Move::Top);
        sofar.clear();
        for (const char* c = WindowTimings::kTyped; *c; ++c) {
            sofar += *c;
            window_.add("typed \"" + sofar + "\"", millis([&] {
                            emit browse_->list().typed(char32_t(*c));
                            browse_->list().viewport()->repaint();
                        }));
        }
        return full() || fail("the locator left a page not full");
    }

    void close() {
        if (browse_) browse_->close();
        browse_ = nullptr;
        settle();
    }

private:
    // The ranges of the media and category orders: a media name and a category the files hold.
    void ranges() {
        state_.catalogue().media().Media = WindowTimings::kMediaName;
        state_.catalogue().category().CategoryID = WindowTimings::kCategory;
    }
    bool full() const { return browse_->engine().page().count() == browse_->list().visibleRows(); }
    std::string artist() const {
        const BrowseEngine& e = browse_->engine();
        if (!e.choice()) return {};
        const auto* text = std::get_if<std::string>(&e.rowValue(e.choice(), kArtistField));
        return text ? *text : std::string();
    }
    bool startsWith(const std::string& prefix) const { return artist().rfind(prefix, 0) == 0; }
    bool fail(std::string why) {
        if (out_.ok) out_.failure = std::move(why);
        out_.ok = false;
        return false;
    }

    AppState& state_;
    Samples& engine_;
    Samples& window_;
    WindowPass& out_;
    SongBrowse* browse_ = nullptr;
};

}  // namespace

WindowPass WindowTimings::run(const std::filesystem::path& folder, int repeats, Samples& engine,
                              Samples& window) {
    WindowPass out;
    AppState state(folder, std::make_unique<ScriptedDialogs>(), [&out](std::string_view text) {
        out.ok = false;
        out.failure = "halt: " + std::string(text);
    });
    state.setApplicationTag(AppState::kApplicationTag);
    state.setSettingsFileName(AppState::kSettingsFileName);
    state.readSettings();
    for (int r = 0; r < repeats && out.ok; ++r) {
        Pass pass(state, engine, window, out);
        const bool done = pass.open(r == 0) && pass.tabs() && pass.letter() && pass.typed();
        pass.close();
        if (!done) break;
    }
    return out;
}

}  // namespace cdz::bench
