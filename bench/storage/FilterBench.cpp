#include "bench/storage/FilterBench.h"

#include <algorithm>

#include "bench/storage/SqliteShell.h"
#include "bench/storage/Stopwatch.h"
#include "runtime/data/RecordBindings.h"
#include "runtime/data/View.h"
#include "runtime/data/ViewFilter.h"

namespace cdz::bench {

FilterFigures FilterBench::measure(Catalogue& catalogue, const std::filesystem::path& file, int key,
                                   const FilterCase& c) {
    FilterFigures out;
    DataFile& songs = catalogue.file(CatalogueFile::Cadenzio);
    Bindings bindings;
    RecordBindings::bind(bindings, songs.decl(), songs.record());
    View view(songs);
    view.setPageSize(30);
    ViewFilter filter;
    if (view.setOrder(key) != 0) {
        out.ok = false;
        out.failure = "order: " + songs.error().text;
        return out;
    }
    if (!filter.apply(view, c.filter, bindings)) {
        out.ok = false;
        out.failure = "filter: " + filter.error().message;
        return out;
    }
    out.pushedDown = filter.pushedDown();
    double best = 1e9;
    for (int run = 0; run < 2; ++run) {  // the better of two: the first warms the caches
        Stopwatch w;
        view.setStart();
        int code = view.next();
        best = std::min(best, w.seconds());
        if (code != err::kRecordNotAvailable) {
            out.ok = false;
            out.failure = code == 0 ? "the filter matched a song" : songs.error().driverText;
            return out;
        }
    }
    out.view = best;
    if (file.empty()) return out;
    const std::string sql = "select count(*) from Cadenzio where " + c.condition + ";\n";
    double shellBest = 1e9;
    for (int run = 0; run < 2; ++run) {
        ShellRun r = SqliteShell::run(file, sql);
        if (!r.ok || r.out != "0\n") {
            out.ok = false;
            out.failure = "shell: " + r.out;
            return out;
        }
        shellBest = std::min(shellBest, r.seconds);
    }
    out.shell = shellBest;
    return out;
}

}  // namespace cdz::bench
