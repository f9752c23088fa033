#include "bench/browse/MovementBench.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <functional>

#include "app/songs/engine/BrowseEngine.h"
#include "app/songs/engine/CodePoints.h"
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

BrowseFigures MovementBench::run(Catalogue& cat, const std::vector<std::string>& artists, int mixed,
                                 int repeats) {
    BrowseFigures out;
    Bindings bindings;
    for (CatalogueFile f : {CatalogueFile::Categories, CatalogueFile::Cadenzio}) {
        RecordBindings::bind(bindings, declarationOf(f), cat.record(f));
    }
    std::string warning;
    BrowseHost host;
    host.visibleRows = [] { return kRows; };
    host.warning = [&](int n, std::string label) {
        if (warning.empty()) warning = "warning " + std::to_string(n) + " on " + label;
    };
    BrowseEngine engine(songsByArtist(cat), bindings, host, Request::None);
    if (!engine.ok()) {
        out.ok = false;
        out.failure = "the engine could not build its view";
        return out;
    }
    engine.refresh();
    out.rssFirstPage = ResidentMemory::kilobytes();

    std::vector<std::u32string> prefixes;
    for (const std::string& a : artists) {
        if (!a.empty()) prefixes.push_back(prefixOf(a));
    }
    if (prefixes.empty()) prefixes.push_back(U"A");
    // Every movement keeps a full page; anything else (a warning, a short page) is a failure.
    auto sound = [&](const char* what) {
        if (out.ok && (!warning.empty() || engine.page().count() != kRows)) {
            out.ok = false;
            out.failure =
                std::string(what) + ": " + (warning.empty() ? "the page is not full" : warning);
        }
        return out.ok;
    };
    // Wall-clock and CPU milliseconds of one movement.
    auto timed = [&](Movement m, const std::function<void()>& move) {
        const double cpu = cpuMillis();
        Stopwatch w;
        move();
        const std::pair<double, double> ms{w.millis(), cpuMillis() - cpu};
        out.movements[static_cast<size_t>(m)].add(ms.first, ms.second);
        ++out.movementsMade;
        sound(movementName(m));
        return ms;
    };
    auto typePrefix = [&](const std::u32string& prefix, bool timing) {
        std::pair<double, double> total;
        for (char32_t ch : prefix) {
            if (timing) {
                const auto ms = timed(Movement::Locate, [&] { engine.typeLocator(ch); });
                total.first += ms.first;
                total.second += ms.second;
            } else {
                engine.typeLocator(ch);
                ++out.movementsMade;
            }
        }
        if (timing)
            out.movements[static_cast<size_t>(Movement::Typed3)].add(total.first, total.second);
        ++out.prefixesTyped;
        const auto& v = engine.rowValue(engine.choice(), kArtistField);
        const auto* shown = std::get_if<std::string>(&v);
        if (!shown || !beginsWith(*shown, prefix)) {
            if (out.locateMisses++ == 0) {
                out.firstMiss = "\"" + toUtf8(prefix) + "\" highlighted \"" +
                                (shown ? *shown : std::string()) + "\"";
            }
        }
    };
    auto untimed = [&](const std::function<void()>& move) {
        move();
        ++out.movementsMade;
    };

    // Mixed movements, untimed: every kind, all through the file.
    for (int i = 0; i < mixed && sound("mixed movements"); i += 10) {
        untimed([&] { engine.scrollEnd(false); });
        typePrefix(prefixes[static_cast<size_t>(i / 10) % prefixes.size()], false);
        untimed([&] { engine.scrollPage(true); });
        untimed([&] { engine.scrollPage(false); });
        untimed([&] { engine.scrollOne(true); });
        untimed([&] { engine.scrollOne(false); });
        untimed([&] { engine.dropThumb(10 + (i / 10 * 37) % 81); });
        untimed([&] { engine.scrollEnd(true); });
    }
    out.rssAfterMixed = ResidentMemory::kilobytes();

    for (int i = 0; i < repeats; ++i) {
        timed(Movement::Top, [&] { engine.scrollEnd(false); });
        timed(Movement::Bottom, [&] { engine.scrollEnd(true); });
    }
    // Pages and rows: blocks one way and back from places spread through the file; a row
    // movement is made at the page's edge, where it reads.
    for (int done = 0, p = 0; done < repeats; done += kBlock, ++p) {
        const int n = std::min(kBlock, repeats - done);
        untimed([&] { engine.dropThumb(kPlaces[static_cast<size_t>(p) % kPlaces.size()]); });
        for (int j = 0; j < n; ++j) timed(Movement::PageDown, [&] { engine.scrollPage(true); });
        for (int j = 0; j < n; ++j) timed(Movement::PageUp, [&] { engine.scrollPage(false); });
        engine.select(kRows);
        for (int j = 0; j < n; ++j) timed(Movement::OneDown, [&] { engine.scrollOne(true); });
        engine.select(1);
        for (int j = 0; j < n; ++j) timed(Movement::OneUp, [&] { engine.scrollOne(false); });
    }
    // A typed prefix after the locator was blanked by going to the top.
    for (int i = 0; i < repeats; ++i) {
        untimed([&] { engine.scrollEnd(false); });
        typePrefix(prefixes[static_cast<size_t>(i) % prefixes.size()], true);
    }
    for (int i = 0; i < repeats; ++i) {
        timed(Movement::Drop10, [&] { engine.dropThumb(10); });
        timed(Movement::Drop50, [&] { engine.dropThumb(50); });
        timed(Movement::Drop90, [&] { engine.dropThumb(90); });
    }
    out.rssAtEnd = ResidentMemory::kilobytes();
    return out;
}

}  // namespace cdz::bench
