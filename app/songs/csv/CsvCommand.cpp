#include "app/songs/csv/CsvCommand.h"

#include <filesystem>
#include <memory>
#include <string_view>

#include "app/domain/data/Catalogue.h"
#include "app/engine/command/HeadlessState.h"
#include "app/engine/state/AppState.h"
#include "app/songs/csv/DiscogsImport.h"
#include "app/songs/csv/ImportAssignment.h"
#include "app/songs/csv/SongExport.h"
#include "app/songs/csv/SongImport.h"
#include "runtime/process/CommandOptions.h"

namespace cdz {
namespace {

using F = CatalogueFile;

// A command has no window to keep live: large batches, each one transaction. Few commits matter
// at a million songs, where each commit writes again the index pages that every batch touches.
constexpr int kBatch = 200000;

void printNotes(std::FILE* out, const std::vector<std::string>& notes, int64_t count) {
    for (const std::string& n : notes) std::fprintf(out, "  %s\n", n.c_str());
    if (count > static_cast<int64_t>(notes.size()))
        std::fprintf(out, "  ... and %lld more\n",
                     static_cast<long long>(count - static_cast<int64_t>(notes.size())));
}

int heldFiles(Catalogue& catalogue, std::initializer_list<F> files, std::FILE* err) {
    for (F f : files) {
        if (catalogue.useCount(f) == 0) {
            std::fprintf(err, "cdzapp: the %s file could not be opened: %s %s\n",
                         std::string(catalogueFileInfo(f).label).c_str(),
                         catalogue.database().error().text.c_str(),
                         catalogue.database().error().driverText.c_str());
            return CsvCommand::kFailed;
        }
    }
    return CsvCommand::kDone;
}

void printRead(std::FILE* out, const CsvLineReader& reader, const std::filesystem::path& file) {
    if (const int64_t lines = reader.windows1252Lines(); lines > 0)
        std::fprintf(out, "%lld %s of %s %s not UTF-8 text: read as Windows-1252\n",
                     static_cast<long long>(lines), lines == 1 ? "line" : "lines", file.c_str(),
                     lines == 1 ? "was" : "were");
}

// The export's lines become albums; the words follow the song import's.
int importDiscogs(Catalogue& catalogue, CsvLineReader& reader, const DiscogsColumns& columns,
                  const std::filesystem::path& file, std::FILE* out, std::FILE* err) {
    std::fprintf(out, "Discogs collection export: importing albums\n");
    FileUse files(catalogue, {F::Album, F::Media});
    if (!files.ok()) return heldFiles(catalogue, {F::Album, F::Media}, err);
    DiscogsImport run(catalogue, reader, columns, file);
    run.start();
    while (run.step(kBatch)) {
    }
    std::fprintf(out, "%lld %s added from %s (its first line, the header, skipped)\n",
                 static_cast<long long>(run.added()), run.added() == 1 ? "album" : "albums",
                 file.c_str());
    std::fprintf(out, "%s\n", DiscogsImport::kUnusedColumnsText);
    if (run.refused() > 0) {
        std::fprintf(out, "%lld %s refused", static_cast<long long>(run.refused()),
                     run.refused() == 1 ? "line" : "lines");
        if (run.already() > 0)
            std::fprintf(out, " (%lld %s already in the catalogue)",
                         static_cast<long long>(run.already()),
                         run.already() == 1 ? "album" : "albums");
        std::fprintf(out, "\n");
    }
    printNotes(out, run.notes(), run.noteCount());
    if (run.cut() > 0)
        std::fprintf(out, "%lld %s\n", static_cast<long long>(run.cut()),
                     run.cut() == 1 ? "value was cut to fit its field"
                                    : "values were cut to fit their fields");
    printRead(out, reader, file);
    if (run.state() == ImportState::Failed) {
        std::fprintf(err, "cdzapp: %s: %s; the import stopped there\n", run.failureTitle().c_str(),
                     run.failureText().c_str());
        return CsvCommand::kFailed;
    }
    if (run.added() == 0) {
        std::fprintf(err, "cdzapp: no album could be imported from %s\n", file.c_str());
        return CsvCommand::kFailed;
    }
    return CsvCommand::kDone;
}

// An import may make a new catalogue on the server; an export needs one that is there.
int importFromOptions(const CommandOptions& options, std::FILE* out, std::FILE* err) {
    CsvOrder order;
    order.importFile = options.value("import");
    order.map = options.value("map");
    order.hasMap = options.has("map");
    const auto state = headlessState(options, err, true);
    if (!state) return CsvCommand::kWrongOrder;
    return CsvCommand::runImport(state->catalogue(), order, out, err);
}

int exportFromOptions(const CommandOptions& options, std::FILE* out, std::FILE* err) {
    if (options.has("map")) {
        std::fprintf(err, "cdzapp: --map is for --import only\n");
        return CsvCommand::kWrongOrder;
    }
    CsvOrder order;
    order.exportFile = options.value("export");
    const auto state = headlessState(options, err);
    if (!state) return CsvCommand::kWrongOrder;
    return CsvCommand::runExport(state->catalogue(), order, out, err);
}

}  // namespace

// Date pictures ask the desktop's locale for its short date: both need the core application.
HeadlessCommand CsvCommand::importCommand() {
    return {.trigger = {.name = "import",
                        .valueName = "file",
                        .help = "Add a song for each line of the comma-separated <file> without a "
                                "window and exit. The columns are assigned by the labels of its "
                                "first line (MUS:Artist, MUS:Title ... or Artist, Title ...), "
                                "which is then skipped, or by --map \"Header=MUS:Field,...\" (a "
                                "header is a first-line label or Field_1, Field_2 ...). A Discogs "
                                "collection export, known by its first line, adds an album for "
                                "each release instead (unless --map is given). Prints the songs or "
                                "albums added and each line refused; the exit status is 1 when "
                                "nothing could be imported."},
            .options = {{.name = "map", .valueName = "assignment", .help = "See --import."}},
            .needs = CommandNeeds::CoreApplication,
            .run = &importFromOptions};
}

HeadlessCommand CsvCommand::exportCommand() {
    return {.trigger = {.name = "export",
                        .valueName = "file",
                        .help = "Write every song, in artist order, as a line of the "
                                "comma-separated <file> without a window, every field in the "
                                "export window's order after a header line, and exit."},
            .needs = CommandNeeds::CoreApplication,
            .run = &exportFromOptions};
}

int CsvCommand::runImport(Catalogue& catalogue, const CsvOrder& order, std::FILE* out,
                          std::FILE* err) {
    const std::filesystem::path file = order.importFile;
    CsvLineReader reader;
    if (!reader.open(file)) {
        std::fprintf(err, "cdzapp: Cannot OPEN %s: Error #%d - %s\n", file.c_str(),
                     reader.errorNumber(), reader.errorText().c_str());
        return kFailed;
    }
    if (reader.size() == 0) {
        std::fprintf(err, "cdzapp: %s is empty; nothing was imported\n", file.c_str());
        return kFailed;
    }

    // The columns come from the first line, their pictures from the second.
    CsvRead got = reader.read();
    while (got == CsvRead::Refused) got = reader.read();
    if (got == CsvRead::End) {
        std::fprintf(err, "cdzapp: %s holds no line that can be read; nothing was imported\n",
                     file.c_str());
        return kFailed;
    }
    std::vector<CsvField> first(reader.fields().begin(), reader.fields().end());
    // A map asks for songs: only without one is a Discogs export imported as albums.
    if (const std::optional<DiscogsColumns> discogs = DiscogsColumns::of(first);
        discogs && !order.hasMap)
        return importDiscogs(catalogue, reader, *discogs, file, out, err);
    std::vector<CsvField> second;
    if (reader.read() == CsvRead::Line)
        second.assign(reader.fields().begin(), reader.fields().end());
    ImportAssignment assignment;
    assignment.setColumns(first, second);
    if (order.hasMap) {
        std::string why;
        if (!assignment.applyMap(order.map, &why)) {
            std::fprintf(err, "cdzapp: --map: %s\n", why.c_str());
            return kWrongOrder;
        }
    } else {
        assignment.autoAssign();
    }
    if (!assignment.anyAssigned()) {
        std::fprintf(err,
                     "cdzapp: the first line of %s names no song field (such as MUS:Artist or "
                     "Title); say which column fills which field with --map "
                     "\"Header=MUS:Field,...\"\n",
                     file.c_str());
        return kWrongOrder;
    }
    FileUse files(catalogue, {F::Cadenzio, F::Categories, F::Media});
    if (!files.ok()) return heldFiles(catalogue, {F::Cadenzio, F::Categories, F::Media}, err);
    SongImport run(catalogue, reader, assignment, file);
    run.start();
    while (run.step(kBatch)) {
    }
    std::fprintf(out, "%lld %s added from %s", static_cast<long long>(run.added()),
                 run.added() == 1 ? "song" : "songs", file.c_str());
    if (assignment.stripHeader()) std::fprintf(out, " (its first line, the header, skipped)");
    std::fprintf(out, "\n");
    if (const std::string unused = assignment.unusedColumnsText(); !unused.empty())
        std::fprintf(out, "%s\n", unused.c_str());
    if (run.refused() > 0)
        std::fprintf(out, "%lld %s refused\n", static_cast<long long>(run.refused()),
                     run.refused() == 1 ? "line" : "lines");
    printNotes(out, run.notes(), run.noteCount());
    printRead(out, reader, file);
    if (run.state() == ImportState::Failed) {
        std::fprintf(err, "cdzapp: %s: %s; the import stopped there\n", run.failureTitle().c_str(),
                     run.failureText().c_str());
        return kFailed;
    }
    if (run.added() == 0) {
        std::fprintf(err, "cdzapp: no song could be imported from %s\n", file.c_str());
        return kFailed;
    }
    return kDone;
}

int CsvCommand::runExport(Catalogue& catalogue, const CsvOrder& order, std::FILE* out,
                          std::FILE* err) {
    FileUse files(catalogue, {F::Cadenzio, F::Categories});
    if (!files.ok()) return heldFiles(catalogue, {F::Cadenzio, F::Categories}, err);
    SongExport run(catalogue, SongExport::allFields(), true);
    if (!run.start(order.exportFile)) {
        std::fprintf(err, "cdzapp: %s: %s\n", run.failureTitle().c_str(),
                     run.failureText().c_str());
        return kFailed;
    }
    while (run.step(kBatch)) {
    }
    const bool closed = run.finish();
    if (run.state() != ExportState::Completed || !closed) {
        const std::string why = run.failureTitle().empty()
                                    ? std::string("the file could not be written")
                                    : run.failureTitle() + ": " + run.failureText();
        std::fprintf(err,
                     "cdzapp: %s; the export stopped after %lld %s and %s was left as it was\n",
                     why.c_str(), static_cast<long long>(run.written()),
                     run.written() == 1 ? "song" : "songs", order.exportFile.c_str());
        return kFailed;
    }
    std::fprintf(out, "%lld %s written to %s\n", static_cast<long long>(run.written()),
                 run.written() == 1 ? "song" : "songs", order.exportFile.c_str());
    return kDone;
}

}  // namespace cdz
