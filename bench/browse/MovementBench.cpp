#include "bench/browse/MovementBench.h"

#include <algorithm>
#include <cmath>
#include <ctime>

#include "app/engine/browse/CodePoints.h"
#include "bench/browse/ResidentMemory.h"
#include "bench/storage/Stopwatch.h"
#include "runtime/data/RecordBindings.h"
#include "runtime/text/Unicode.h"

namespace cdz::bench {
namespace {

constexpr int kArtistField = 1;  // in the row fields below
constexpr int kBlock = 25;       // movements one way before turning back
// Where the page and row movements start, so that they read all through the file.
constexpr std::array<int, 4> kPlaces{20, 40, 60, 80};

BrowseDeclaration songsByArtist(Catalogue& cat) {
    BrowseDeclaration d;
    d.file = &cat.file(CatalogueFile::Cadenzio);
    d.joins = {{&cat.file(CatalogueFile::Categories), {{"MUS:CategoryID", "CAT:CategoryID"}}}};
    d.sorts = {{"MUS:SongsByArtist", false, {}, LocatorKind::Incremental, ThumbKind::Text, 40, 5}};
    d.rowFields = {"MUS:Title", "MUS:Artist", "MUS:Media", "CAT:Category"};
    return d;
}

std::u32string prefixOf(std::string_view text) {
    return toCodePoints(text).substr(0, 3);
}

// Whether a highlighted artist begins with the typed prefix as the key compares them: case
// folded, and blank-padded (a locator "Al " finds "Al", stored without its trailing blank).
bool beginsWith(std::string_view shown, const std::u32string& prefix) {
    std::u32string head = prefixOf(shown);
    head.resize(prefix.size(), U' ');
    return foldCase(toUtf8(head)) == foldCase(toUtf8(prefix));
}

double cpuMillis() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

}  // namespace

const char* movementName(Movement m) {
    static constexpr std::array<const char*, kMovements> names{
        "top",           "bottom",     "page down",     "page up",       "one down",     "one up",
        "locate (1 ch)", "3 typed ch", "thumb at 10 %", "thumb at 50 %", "thumb at 90 %"};
    return names[static_cast<size_t>(m)];
}

double Samples::quantile(std::vector<double> v, double q) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const auto at = static_cast<size_t>(std::ceil(q * static_cast<double>(v.size())));
    return v[std::clamp<size_t>(at, 1, v.size()) - 1];
}

MovementBench::MovementBench(Catalogue& cat, const std::vector<std::string>& artists) {
    for (CatalogueFile f : {CatalogueFile::Categories, CatalogueFile::Cadenzio}) {
        RecordBindings::bind(bindings_, declarationOf(f), cat.record(f));
    }
    BrowseHost host;
    host.visibleRows = [] { return kRows; };
    host.warning = [this](Warning n, std::string label) {
        if (warning_.empty()) {
            warning_ = "warning " + std::to_string(static_cast<int>(n)) + " on " + label;
        }
    };
    engine_ = std::make_unique<BrowseEngine>(songsByArtist(cat), bindings_, host, Request::None);
    for (const std::string& a : artists) {
        if (!a.empty()) prefixes_.push_back(prefixOf(a));
    }
    if (prefixes_.empty()) prefixes_.push_back(U"A");
    if (!engine_->ok()) {
        out_.ok = false;
        out_.failure = "the engine could not build its view";
        return;
    }
    engine_->refresh();
    sound("first page");
    out_.rssFirstPage = ResidentMemory::kilobytes();
}

MovementBench::~MovementBench() = default;

// Every movement keeps a full page; anything else (a warning, a short page) is a failure.
bool MovementBench::sound(const char* what) {
    if (out_.ok && (!warning_.empty() || engine_->page().count() != kRows)) {
        out_.ok = false;
        out_.failure =
            std::string(what) + ": " + (warning_.empty() ? "the page is not full" : warning_);
    }
    return out_.ok;
}

// Wall-clock and CPU milliseconds of one movement.
std::pair<double, double> MovementBench::timed(Movement m, const std::function<void()>& move) {
    const double cpu = cpuMillis();
    Stopwatch w;
    move();
    const std::pair<double, double> ms{w.millis(), cpuMillis() - cpu};
    out_.movements[static_cast<size_t>(m)].add(ms.first, ms.second);
    ++out_.movementsMade;
    sound(movementName(m));
    return ms;
}

void MovementBench::untimed(const std::function<void()>& move) {
    move();
    ++out_.movementsMade;
}

const std::u32string& MovementBench::nextPrefix() {
    return prefixes_[prefix_++ % prefixes_.size()];
}

void MovementBench::typePrefix(const std::u32string& prefix, bool timing) {
    std::pair<double, double> total;
    for (char32_t ch : prefix) {
        if (timing) {
            const auto ms = timed(Movement::Locate, [&] { engine_->typeLocator(ch); });
            total.first += ms.first;
            total.second += ms.second;
        } else {
            untimed([&] { engine_->typeLocator(ch); });
        }
    }
    if (timing)
        out_.movements[static_cast<size_t>(Movement::Typed3)].add(total.first, total.second);
    ++out_.prefixesTyped;
    const auto& v = engine_->rowValue(engine_->choice(), kArtistField);
    const auto* shown = std::get_if<std::string>(&v);
    if (!shown || !beginsWith(*shown, prefix)) {
        if (out_.locateMisses++ == 0) {
            out_.firstMiss = "\"" + toUtf8(prefix) + "\" highlighted \"" +
                             (shown ? *shown : std::string()) + "\"";
        }
    }
}

void MovementBench::mixed(int count) {
    BrowseEngine& e = *engine_;
    for (int i = 0; i < count && sound("mixed movements"); i += 10) {
        untimed([&] { e.scrollEnd(false); });
        typePrefix(nextPrefix(), false);
        untimed([&] { e.scrollPage(true); });
        untimed([&] { e.scrollPage(false); });
        untimed([&] { e.scrollOne(true); });
        untimed([&] { e.scrollOne(false); });
        untimed([&] { e.dropThumb(10 + (i / 10 * 37) % 81); });
        untimed([&] { e.scrollEnd(true); });
    }
    out_.rssAfterMixed = ResidentMemory::kilobytes();
}

void MovementBench::timedRound(int repeats) {
    BrowseEngine& e = *engine_;
    for (int i = 0; i < repeats; ++i) {
        timed(Movement::Top, [&] { e.scrollEnd(false); });
        timed(Movement::Bottom, [&] { e.scrollEnd(true); });
    }
    // Pages and rows: blocks one way and back from places spread through the file; a row
    // movement is made at the page's edge, where it reads.
    for (int done = 0; done < repeats; done += kBlock) {
        const int n = std::min(kBlock, repeats - done);
        untimed([&] { e.dropThumb(kPlaces[place_++ % kPlaces.size()]); });
        for (int j = 0; j < n; ++j) timed(Movement::PageDown, [&] { e.scrollPage(true); });
        for (int j = 0; j < n; ++j) timed(Movement::PageUp, [&] { e.scrollPage(false); });
        e.select(kRows);
        for (int j = 0; j < n; ++j) timed(Movement::OneDown, [&] { e.scrollOne(true); });
        e.select(1);
        for (int j = 0; j < n; ++j) timed(Movement::OneUp, [&] { e.scrollOne(false); });
    }
    // A typed prefix after the locator was blanked by going to the top.
    for (int i = 0; i < repeats; ++i) {
        untimed([&] { e.scrollEnd(false); });
        typePrefix(nextPrefix(), true);
    }
    for (int i = 0; i < repeats; ++i) {
        timed(Movement::Drop10, [&] { e.dropThumb(10); });
        timed(Movement::Drop50, [&] { e.dropThumb(50); });
        timed(Movement::Drop90, [&] { e.dropThumb(90); });
    }
    out_.rssAtEnd = ResidentMemory::kilobytes();
}

}  // namespace cdz::bench
