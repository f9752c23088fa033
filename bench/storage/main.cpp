// cdzstorage: the storage benchmark on generated catalogues, every figure of one run.
//   cdzstorage [--songs N] [--small N] [--dir FOLDER] [--keep] [--server URL]
// Adds N songs (default 1,000,000) against the sqlite3 shell's .import; pages, counts and a
// filter matching nothing at N and at a small catalogue (default 10,000), printing times and
// ratios. With --server, the same figures again with the songs on that PostgreSQL server
// (catalogues "benchlarge" and "benchsmall", which must not hold songs yet), beside the files'.
// See bench/README.md, "Figures".
#include <QCoreApplication>
#include <QSysInfo>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "app/domain/data/Catalogue.h"
#include "bench/generator/SongGenerator.h"
#include "bench/storage/AddBench.h"
#include "bench/storage/FilterBench.h"
#include "bench/storage/PagingBench.h"
#include "bench/storage/SqliteShell.h"
#include "bench/storage/Stopwatch.h"

namespace {

using namespace cdz;
using namespace cdz::bench;

struct Case {
    FilterCase c;
    bool target;  // arithmetic is not pushed down: the program reads every song
};

struct Options {
    int64_t songs = 1000000;
    int64_t small = 10000;
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "cdzstorage";
    bool keep = false;
    std::string server;
};

bool parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        bool more = i + 1 < argc;
        if (a == "--songs" && more) {
            o.songs = std::atoll(argv[++i]);
        } else if (a == "--small" && more) {
            o.small = std::atoll(argv[++i]);
        } else if (a == "--dir" && more) {
            o.dir = argv[++i];
        } else if (a == "--server" && more) {
            o.server = argv[++i];
        } else if (a == "--keep") {
            o.keep = true;
        } else {
            return false;
        }
    }
    return o.songs > 0 && o.small > 0;
}

struct Line {
    const char* what;
    double big;
    double little;
};

// The page movements at both sizes, each against its goal; whether all hold.
bool pagingTable(const PageFigures& pl, const PageFigures& ps) {
    bool all = true;
    for (Line l : {Line{"first page (top)", pl.top, ps.top},
                   Line{"last page (bottom)", pl.bottom, ps.bottom},
                   Line{"page forward", pl.forward, ps.forward},
                   Line{"page backward", pl.backward, ps.backward},
                   Line{"page at a position token", pl.token, ps.token},
                   Line{"page at key values", pl.values, ps.values},
                   Line{"record count", pl.count, ps.count}}) {
        // Below a tenth of a millisecond the ratio measures noise, not the file's size.
        bool holds = l.big < 5.0 && (l.big <= 1.5 * l.little || l.big < 0.1);
        all = all && holds;
        std::printf("  %-26s %8.3f %8.3f  ratio %5.2f  %s\n", l.what, l.big, l.little,
                    l.little > 0 ? l.big / l.little : 0, holds ? "holds" : "MISSED");
    }
    return all;
}

std::vector<gen::SongRecord> generate(int64_t count) {
    gen::CatalogueShape shape;
    shape.songs = count;
    gen::SongGenerator g(shape);
    std::vector<gen::SongRecord> songs;
    songs.reserve(static_cast<size_t>(count));
    gen::SongRecord s;
    while (g.next(s)) songs.push_back(s);
    return songs;
}

double ratio(double a, double b) {
    return b > 0 ? a / b : 0;
}

void verdict(bool holds) {
    std::printf("  %s\n", holds ? "holds" : "MISSED");
}

// The same figures with the songs on the server, beside the files' (same songs, same key).
int serverFigures(const Options& o, double fileAdd, const PageFigures& fileLarge,
                  const PageFigures& fileSmall, const std::vector<Case>& cases,
                  const std::vector<double>& fileViews) {
    const OnServer large{o.server, "benchlarge"}, small{o.server, "benchsmall"};
    AddFigures add = AddBench::run(generate(o.songs), o.dir / "server-large", false, large);
    AddFigures little = AddBench::run(generate(o.small), o.dir / "server-small", false, small);
    if (!add.ok || !little.ok) {
        std::fprintf(stderr, "adding on the server failed: %s%s\n", add.failure.c_str(),
                     little.failure.c_str());
        return 1;
    }
    std::printf("\nOn the server %s:\nAdding %lld songs: %.1f s (files: %.1f s), ratio %.2f\n",
                o.server.c_str(), static_cast<long long>(o.songs), add.ours, fileAdd,
                ratio(add.ours, fileAdd));
    Catalogue largeCat(o.dir / "server-large" / "ours", large);
    Catalogue smallCat(o.dir / "server-small" / "ours", small);
    if (largeCat.use(CatalogueFile::Cadenzio) || smallCat.use(CatalogueFile::Cadenzio)) {
        std::fprintf(stderr, "cannot open the songs on the server\n");
        return 1;
    }
    const int key = SongRecord::SongsByArtist;
    PageFigures pl = PagingBench::measure(largeCat, key, 25);
    PageFigures ps = PagingBench::measure(smallCat, key, 25);
    if (!pl.ok || !ps.ok) {
        std::fprintf(stderr, "paging on the server failed: %s%s\n", pl.failure.c_str(),
                     ps.failure.c_str());
        return 1;
    }
    std::printf("A page of %d rows in MUS:SongsByArtist order (median ms), %lld vs %lld songs:\n",
                PagingBench::kPageRows, static_cast<long long>(o.songs),
                static_cast<long long>(o.small));
    const bool pagingHolds = pagingTable(pl, ps);
    std::printf("The same pages from the files (median ms), large and small:\n");
    pagingTable(fileLarge, fileSmall);
    std::printf("A filter matching nothing over %lld songs, view on the server vs on the files:\n",
                static_cast<long long>(o.songs));
    for (size_t i = 0; i < cases.size(); ++i) {
        FilterFigures f = FilterBench::measure(largeCat, {}, key, cases[i].c);
        if (!f.ok) {
            std::fprintf(stderr, "filter %s failed: %s\n", cases[i].c.filter.c_str(),
                         f.failure.c_str());
            return 1;
        }
        std::printf("  %-44s %6.3f s %6.3f s  ratio %5.2f\n", cases[i].c.filter.c_str(), f.view,
                    fileViews[i], ratio(f.view, fileViews[i]));
    }
    std::printf("Server summary: paging %s\n", pagingHolds ? "holds" : "MISSED");
    largeCat.release(CatalogueFile::Cadenzio);
    smallCat.release(CatalogueFile::Cadenzio);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    Options o;
    if (!parse(argc, argv, o)) {
        std::fprintf(stderr, "usage: cdzstorage [--songs N] [--small N] [--dir FOLDER] [--keep]\n");
        return 2;
    }
    if (!SqliteShell::available()) {
        std::fprintf(stderr, "cdzstorage: the sqlite3 shell is not installed\n");
        return 1;
    }
    std::filesystem::remove_all(o.dir);
    std::printf("Machine: %s, %u hardware threads; SQLite shell %s",
                QSysInfo::prettyProductName().toStdString().c_str(),
                std::thread::hardware_concurrency(),
                SqliteShell::run(":memory:", "select sqlite_version();\n").out.c_str());

    // Adding: the large catalogue against the shell's import.
    Stopwatch generation;
    auto large = generate(o.songs);
    std::printf("Generated %zu songs in %.1f s\n", large.size(), generation.seconds());
    AddFigures add = AddBench::run(large, o.dir / "large", true);
    large.clear();
    large.shrink_to_fit();
    if (!add.ok) {
        std::fprintf(stderr, "adding failed: %s\n", add.failure.c_str());
        return 1;
    }
    std::printf("\nAdding %lld songs: ours %.1f s, sqlite3 .import %.1f s, ratio %.2f (goal <= 1)",
                static_cast<long long>(o.songs), add.ours, add.shell, ratio(add.ours, add.shell));
    verdict(add.ours <= add.shell);
    std::printf(
        "  the shell with the program's cache and temp_store settings: %.1f s, ratio %.2f\n",
        add.shellTuned, ratio(add.ours, add.shellTuned));

    AddFigures small = AddBench::run(generate(o.small), o.dir / "small", false);
    if (!small.ok) {
        std::fprintf(stderr, "small catalogue failed: %s\n", small.failure.c_str());
        return 1;
    }

    // Paging and counting at both sizes, through the songs browse's first key.
    const int key = SongRecord::SongsByArtist;
    Catalogue largeCat(o.dir / "large" / "ours");
    Catalogue smallCat(o.dir / "small" / "ours");
    if (largeCat.use(CatalogueFile::Cadenzio) || smallCat.use(CatalogueFile::Cadenzio)) {
        std::fprintf(stderr, "cannot open the songs files\n");
        return 1;
    }
    PageFigures pl = PagingBench::measure(largeCat, key, 25);
    PageFigures ps = PagingBench::measure(smallCat, key, 25);
    if (!pl.ok || !ps.ok) {
        std::fprintf(stderr, "paging failed: %s%s\n", pl.failure.c_str(), ps.failure.c_str());
        return 1;
    }
    std::printf("\nA page of %d rows in MUS:SongsByArtist order (median ms), %lld vs %lld songs:\n",
                PagingBench::kPageRows, static_cast<long long>(o.songs),
                static_cast<long long>(o.small));
    const bool pagingHolds = pagingTable(pl, ps);

    // Filters matching nothing, through the whole large file.
    std::printf(
        "\nA filter matching nothing over %lld songs, view in key order vs the shell's "
        "count(*):\n",
        static_cast<long long>(o.songs));
    const std::vector<Case> cases = {
        {{"MUS:BeatsPerMinute > 100000", "BeatsPerMinute > 100000"}, true},
        {{"MUS:Artist = 'Nobody At All'", "Artist = 'Nobody At All'"}, true},
        {{"UPPER(MUS:Style) = 'POLKA NOIR'", "upper(Style) = 'POLKA NOIR'"}, true},
        {{"INSTRING('QZXJ',UPPER(MUS:Title),1,1)", "instr(upper(Title), 'QZXJ') > 0"}, true},
        {{"MUS:Rating = 'Z' AND MUS:ChartNumber > 200", "Rating = 'Z' AND ChartNumber > 200"},
         true},
        {{"MUS:BeatsPerMinute + 0 > 100000", "BeatsPerMinute + 0 > 100000"}, false},
    };
    bool filterHolds = true;
    for (const auto& [c, target] : cases) {
        FilterFigures f =
            FilterBench::measure(largeCat, o.dir / "large" / "ours" / "cdzdata.tps", key, c);
        if (!f.ok) {
            std::fprintf(stderr, "filter %s failed: %s\n", c.filter.c_str(), f.failure.c_str());
            return 1;
        }
        bool holds = f.view <= 3 * f.shell;
        if (target) filterHolds = filterHolds && holds;
        std::printf("  %-44s %6.3f s %6.3f s  ratio %5.2f  %s\n", c.filter.c_str(), f.view, f.shell,
                    ratio(f.view, f.shell),
                    !target ? "(not pushed down, no target)"
                    : holds ? "holds"
                            : "MISSED");
    }
    std::printf("\nSummary: adding %s, paging %s, filters %s\n",
                add.ours <= add.shell ? "holds" : "MISSED", pagingHolds ? "holds" : "MISSED",
                filterHolds ? "hold" : "MISSED");
    if (!o.server.empty()) {
        std::vector<double> fileViews;
        for (const auto& one : cases) {
            fileViews.push_back(FilterBench::measure(largeCat, {}, key, one.c).view);
        }
        if (int code = serverFigures(o, add.ours, pl, ps, cases, fileViews)) return code;
    }
    largeCat.release(CatalogueFile::Cadenzio);
    smallCat.release(CatalogueFile::Cadenzio);
    if (!o.keep) std::filesystem::remove_all(o.dir);
    return 0;
}
