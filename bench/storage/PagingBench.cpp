#include "bench/storage/PagingBench.h"

#include <algorithm>

#include "bench/storage/Stopwatch.h"
#include "runtime/data/View.h"

namespace cdz::bench {
namespace {

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Reads up to a page; the number of rows read.
int page(View& view, bool forward) {
    int rows = 0;
    while (rows < PagingBench::kPageRows && (forward ? view.next() : view.previous()) == 0) ++rows;
    return rows;
}

}  // namespace

PageFigures PagingBench::measure(Catalogue& catalogue, int key, int places) {
    PageFigures out;
    DataFile& songs = catalogue.file(CatalogueFile::Cadenzio);
    const int64_t records = songs.records();
    View view(songs);
    view.setPageSize(kPageRows);
    auto fail = [&](const std::string& what) {
        out.ok = false;
        out.failure = what + ": " + songs.error().text + " " + songs.error().driverText;
        return out;
    };
    if (view.setOrder(key) != 0) return fail("order");
    std::vector<double> top, bottom, forward, backward, token, values, count;
    for (int round = 0; round < 2; ++round) {  // the first round warms the caches
        top.clear();
        bottom.clear();
        forward.clear();
        backward.clear();
        token.clear();
        values.clear();
        count.clear();
        for (int p = 0; p < places; ++p) {
            {
                Stopwatch w;
                view.setStart();
                if (page(view, true) != std::min<int64_t>(kPageRows, records)) return fail("top");
                top.push_back(w.millis());
            }
            {
                Stopwatch w;
                view.setStart();
                if (page(view, false) != std::min<int64_t>(kPageRows, records)) {
                    return fail("bottom");
                }
                bottom.push_back(w.millis());
            }
            // A record somewhere in the file, as a browse would have it on screen.
            const int64_t recno = 1 + (records - 1) * (2 * p + 1) / (2 * places);
            if (songs.getRecord(recno) != 0) return fail("read by record number");
            {
                Stopwatch w;
                view.setAtValues();
                page(view, true);
                values.push_back(w.millis());
            }
            const std::string position = view.position();
            {
                Stopwatch w;
                view.reset(position);
                page(view, true);
                token.push_back(w.millis());
            }
            {
                Stopwatch w;
                page(view, true);
                forward.push_back(w.millis());
            }
            {
                Stopwatch w;
                view.reset(position);
                page(view, false);
                backward.push_back(w.millis());
            }
            {
                Stopwatch w;
                if (songs.records() != records) return fail("record count");
                count.push_back(w.millis());
            }
        }
    }
    out.top = median(top);
    out.bottom = median(bottom);
    out.forward = median(forward);
    out.backward = median(backward);
    out.token = median(token);
    out.values = median(values);
    out.count = median(count);
    return out;
}

}  // namespace cdz::bench
