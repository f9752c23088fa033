#include "bench/storage/AddBench.h"

#include <fstream>

#include "app/domain/data/Catalogue.h"
#include "bench/generator/datafiles/RecordFill.h"
#include "bench/storage/SongRows.h"
#include "bench/storage/SqliteShell.h"
#include "bench/storage/Stopwatch.h"

namespace cdz::bench {

AddFigures AddBench::run(const std::vector<gen::SongRecord>& songs,
                         const std::filesystem::path& folder, bool withShell,
                         const OnServer& server) {
    AddFigures out;
    auto fail = [&](std::string why) {
        out.ok = false;
        out.failure = std::move(why);
        return out;
    };
    std::filesystem::create_directories(folder / "ours");
    {
        Catalogue cat(folder / "ours", server);
        if (cat.use(CatalogueFile::Cadenzio))
            return fail("songs file: " + cat.database().error().text);
        DataFile& file = cat.file(CatalogueFile::Cadenzio);
        SongRecord& song = cat.song();
        Stopwatch w;
        if (file.stream()) return fail("stream: " + file.error().driverText);
        for (const auto& g : songs) {
            gen::RecordFill::song(g, song);
            if (file.add()) return fail("add: " + file.error().driverText);
        }
        if (file.flush()) return fail("flush: " + file.error().driverText);
        out.ours = w.seconds();
        if (file.records() != static_cast<int64_t>(songs.size())) return fail("record count");
    }
    if (!withShell || !server.conninfo.empty()) return out;

    // The same table, empty, for the shell; and the songs as its rows.
    std::filesystem::create_directories(folder / "shell");
    {
        Catalogue cat(folder / "shell");
        if (cat.use(CatalogueFile::Cadenzio)) return fail("shell's songs file");
    }
    const auto rows = folder / "rows.csv";
    {
        std::ofstream csv(rows, std::ios::binary);
        SongRows::writeStoredRows(csv, songs);
        if (!csv) return fail("cannot write " + rows.string());
    }
    const std::filesystem::path tuned = folder / "shell-tuned";
    std::filesystem::create_directories(tuned);
    std::filesystem::copy_file(folder / "shell" / "cdzdata.tps", tuned / "cdzdata.tps");
    const std::string import = ".import --csv '" + rows.string() + "' Cadenzio\n";
    for (bool tune : {false, true}) {
        const auto file = (tune ? tuned : folder / "shell") / "cdzdata.tps";
        const std::string settings =
            tune ? "PRAGMA cache_size = -262144;\nPRAGMA temp_store = MEMORY;\n" : "";
        ShellRun r = SqliteShell::run(file, settings + import);
        if (!r.ok) return fail("shell .import: " + r.out);
        (tune ? out.shellTuned : out.shell) = r.seconds;
        ShellRun check = SqliteShell::run(file, "select count(*) from Cadenzio;\n");
        if (check.out != std::to_string(songs.size()) + "\n") {
            return fail("shell imported " + check.out);
        }
    }
    std::filesystem::remove_all(tuned);
    std::filesystem::remove(rows);
    return out;
}

}  // namespace cdz::bench
