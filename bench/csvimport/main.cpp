// cdzcsvbench: imports the generator's songs file (N songs, header line) with cdzapp --import,
// against the sqlite3 shell's .import of the same file into a table of the same columns with
// the same indexes and record-count trigger; exports the songs with cdzapp --export; and
// checks the round trip: every imported song against the generator's, field by field, and the
// export imported again against the first import. Wall clock and peak resident memory of each
// process. With --server URL the same file is imported again into catalogue `csvbench` on that
// PostgreSQL server (it must hold no songs yet), timed against the import into the folder, and
// exported from there, the export equal byte for byte to the folder's.
//   cdzcsvbench [--songs N] [--dir FOLDER] [--app CDZAPP] [--server URL]
// See bench/README.md, "The CSV benchmark".
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/domain/data/Catalogue.h"
#include "app/songs/csv/ImportAssignment.h"
#include "bench/generator/CatalogueWriter.h"
#include "bench/generator/SongGenerator.h"

namespace {

using namespace cdz;
using F = CatalogueFile;

struct Options {
    int64_t songs = 1000000;
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "cdzcsvbench";
    // The program beside this one: every program of a build tree is built into one folder.
    std::string app =
        (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "cdzapp").string();
    std::string server;  // a PostgreSQL address; empty: the folder's files only
};

struct Child {
    int status = -1;
    double seconds = 0;
    long peakKb = 0;
};

// Runs a program to its end, its standard input from `input` and its standard output into
// `output` when given; wall clock and peak resident memory as wait4 reports them.
Child run(std::vector<std::string> args, const std::string& input = {},
          const std::string& output = {}) {
    Child c;
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        if (!input.empty()) {
            FILE* in = std::fopen(input.c_str(), "rb");
            if (!in || dup2(fileno(in), 0) < 0) _exit(127);
        }
        if (!output.empty()) {
            FILE* out = std::fopen(output.c_str(), "wb");
            if (!out || dup2(fileno(out), 1) < 0) _exit(127);
        }
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    c.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    c.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    c.peakKb = usage.ru_maxrss;
    return c;
}

std::string text(const FieldDesc& f, void* record) {
    return f.toString(record);
}

// The generated song as the songs file would hold it after the import.
void fill(Catalogue& c, const gen::SongRecord& g) {
    SongRecord& s = c.song();
    c.file(F::Cadenzio).clearBuffer();
    s.Artist = g.Artist;
    s.Title = g.Title;
    s.Album = g.Album;
    s.Media = g.Media;
    s.FileNumber = g.FileNumber;
    s.ReleaseDate = g.ReleaseDate;
    s.CategoryID = g.CategoryID;
    s.ChartNumber = g.ChartNumber;
    s.TrackNumber = g.TrackNumber;
    s.Side = g.Side;
    s.Time = g.Time;
    s.UserDefinedKeyField = g.UserDefinedKeyField;
    s.AdditionalInformation1 = g.AdditionalInformation1;
    s.AdditionalInformation2 = g.AdditionalInformation2;
    s.AdditionalInformation3 = g.AdditionalInformation3;
    s.BeatsPerMinute = g.BeatsPerMinute;
    s.Style = g.Style;
    s.Recording = g.Recording;
    s.Composer = g.Composer;
    s.PerformanceNotes = g.PerformanceNotes;
    s.LastPlayed = g.LastPlayed;
    s.Notes = g.Notes;
    s.Rating = g.Rating;
}

// The song's 23 fields; with `categoryByName`, its category's name in place of its number,
// which an import that finds the categories by their names gives in the order it meets them.
std::vector<std::string> fieldsOf(Catalogue& c, void* record, bool categoryByName = false) {
    std::vector<std::string> out;
    const FileDecl& decl = c.file(F::Cadenzio).decl();
    for (const char* label : ImportAssignment::targetLabels()) {
        if (label == ImportAssignment::kCategoryName) continue;
        const FieldDesc& field = *decl.column(label);
        if (categoryByName && field.label == "MUS:CategoryID") {
            c.category().CategoryID = static_cast<double>(field.integer(record));
            const bool found = c.file(F::Categories).get(CategoryRecord::KeyCategoryID) == 0;
            out.emplace_back(found ? c.category().Category.clipped() : std::string_view());
        } else {
            out.push_back(text(field, record));
        }
    }
    return out;
}

// Every song of `folder` in song-number order against the generator's songs.
int64_t differencesFromGenerator(const std::filesystem::path& folder, int64_t songs) {
    Catalogue imported(folder);
    if (imported.use(F::Cadenzio) != 0) return -1;
    Catalogue expected(std::filesystem::temp_directory_path());
    SongRecord want;
    gen::SongGenerator generator(gen::CatalogueShape{1, songs, 200});
    gen::SongRecord g;
    DataFile& file = imported.file(F::Cadenzio);
    file.set(SongRecord::KeyID);
    int64_t differ = 0, n = 0;
    while (generator.next(g)) {
        ++n;
        if (file.next() != 0) return differ + (songs - n + 1);
        fill(expected, g);
        if (fieldsOf(expected, expected.record(F::Cadenzio)) !=
            fieldsOf(imported, imported.record(F::Cadenzio))) {
            if (differ < 5)
                std::fprintf(stderr, "  song %lld differs\n", static_cast<long long>(n));
            ++differ;
        }
    }
    return file.next() == 0 ? differ + 1 : differ;
}

// The songs of `again` in song-number order against those of `first` in artist order, the
// order the export wrote them in.
int64_t differencesBetween(const std::filesystem::path& first, const std::filesystem::path& again) {
    Catalogue a(first), b(again);
    for (Catalogue* c : {&a, &b})
        if (c->use(F::Cadenzio) != 0 || c->use(F::Categories) != 0) return -1;
    a.file(F::Cadenzio).set(SongRecord::SongsByArtist);
    b.file(F::Cadenzio).set(SongRecord::KeyID);
    int64_t differ = 0;
    for (;;) {
        const int x = a.file(F::Cadenzio).next();
        const int y = b.file(F::Cadenzio).next();
        if (x != 0 || y != 0) return x == y ? differ : differ + 1;
        if (fieldsOf(a, a.record(F::Cadenzio), true) != fieldsOf(b, b.record(F::Cadenzio), true))
            ++differ;
    }
}

// The shell's table: the file's 23 columns with the songs file's types, the indexes of the
// songs file over the same columns (the program indexes folded copies of its case-insensitive
// texts; the shell, without folding, the texts themselves), and its record-count trigger.
std::string contents(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The same import into catalogue `csvbench` on the server, against the import into the folder,
// and its export against the folder's export; true when it holds.
bool serverImport(const Options& o, const std::filesystem::path& csv, const Child& files,
                  const std::filesystem::path& filesExport) {
    const std::filesystem::path settings = o.dir / "server", said = o.dir / "server.out";
    const std::filesystem::path out = o.dir / "server-export.csv";
    std::filesystem::create_directories(settings);
    const std::vector<std::string> where = {"--data-dir", settings.string(), "--server",
                                            o.server,     "--catalogue",     "csvbench"};
    std::vector<std::string> args = {o.app, "--import", csv.string()};
    args.insert(args.end(), where.begin(), where.end());
    const Child ours = run(args, {}, said.string());
    const std::string added = std::to_string(o.songs) + " songs added";
    const bool all = contents(said).rfind(added, 0) == 0;
    const double ratio = ours.seconds / files.seconds;
    std::printf(
        "Import on the server: %.1f s (%ld MB peak), into the folder's files %.1f s, ratio %.2f "
        "(goal <= 2.0)%s  %s\n",
        ours.seconds, ours.peakKb / 1024, files.seconds, ratio,
        all ? "" : " (not every song was added)",
        ours.status == 0 && all && ratio <= 2.0 ? "holds" : "MISSED");
    args = {o.app, "--export", out.string()};
    args.insert(args.end(), where.begin(), where.end());
    const Child exported = run(args);
    const bool same = exported.status == 0 && contents(out) == contents(filesExport);
    std::printf("Export from the server: %.1f s, equal to the folder's export: %s\n",
                exported.seconds, same ? "yes" : "NO");
    return ours.status == 0 && all && same;
}

std::string shellScript(const std::filesystem::path& csv) {
    return "CREATE TABLE cdz_layout(tbl TEXT PRIMARY KEY, records INTEGER NOT NULL DEFAULT 0);\n"
           "INSERT INTO cdz_layout VALUES('Cadenzio', 0);\n"
           "CREATE TABLE Cadenzio(Artist TEXT, Title TEXT, Album TEXT, Media TEXT, FileNumber "
           "TEXT, ReleaseDate INTEGER, CategoryID INTEGER, ChartNumber INTEGER, TrackNumber "
           "INTEGER, Side TEXT, Time INTEGER, UserDefinedKeyField TEXT, AdditionalInformation1 "
           "TEXT, AdditionalInformation2 TEXT, AdditionalInformation3 TEXT, BeatsPerMinute "
           "INTEGER, Style TEXT, Recording TEXT, Composer TEXT, PerformanceNotes TEXT, "
           "LastPlayed INTEGER, Notes TEXT, Rating TEXT);\n"
           "CREATE INDEX ByArtist ON Cadenzio(Artist, Title);\n"
           "CREATE INDEX ByTitle ON Cadenzio(Title, Artist);\n"
           "CREATE INDEX ByAlbum ON Cadenzio(Album, Artist, Side, TrackNumber, Title);\n"
           "CREATE INDEX ByMedia ON Cadenzio(Media, FileNumber, Title);\n"
           "CREATE INDEX ByCategory ON Cadenzio(CategoryID, Artist, Title, Album);\n"
           "CREATE INDEX ByChart ON Cadenzio(ChartNumber, Artist, Title);\n"
           "CREATE INDEX ByUserKey ON Cadenzio(UserDefinedKeyField, Artist, Title);\n"
           "CREATE INDEX ByBpm ON Cadenzio(BeatsPerMinute, Title, Artist);\n"
           "CREATE TRIGGER added AFTER INSERT ON Cadenzio BEGIN UPDATE cdz_layout SET "
           "records=records+1 WHERE tbl='Cadenzio'; END;\n"
           ".import --csv --skip 1 " +
           csv.string() + " Cadenzio\n";
}

bool parse(int argc, char** argv, Options& o) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string a = argv[i];
        if (a == "--songs") {
            o.songs = std::atoll(argv[i + 1]);
        } else if (a == "--dir") {
            o.dir = argv[i + 1];
        } else if (a == "--app") {
            o.app = argv[i + 1];
        } else if (a == "--server") {
            o.server = argv[i + 1];
        } else {
            return false;
        }
    }
    return argc % 2 == 1 && o.songs > 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!parse(argc, argv, o)) {
        std::fprintf(
            stderr,
            "usage: cdzcsvbench [--songs N] [--dir FOLDER] [--app CDZAPP] [--server URL]\n");
        return 2;
    }
    namespace fs = std::filesystem;
    fs::remove_all(o.dir);
    fs::create_directories(o.dir);
    const fs::path csv = o.dir / "songs.csv", out = o.dir / "export.csv";
    const fs::path first = o.dir / "first", again = o.dir / "again", shell = o.dir / "shell.db";
    fs::create_directories(first);
    fs::create_directories(again);
    {
        std::ofstream file(csv, std::ios::binary);
        gen::CatalogueWriter::writeSongs(file, gen::CatalogueShape{1, o.songs, 200}, true);
    }
    std::printf("%lld songs, %.1f MB\n", static_cast<long long>(o.songs),
                static_cast<double>(fs::file_size(csv)) / 1e6);

    const Child ours = run({o.app, "--import", csv.string(), "--data-dir", first.string()});
    std::ofstream(o.dir / "shell.sql") << shellScript(csv);
    const Child theirs = run({"sqlite3", shell.string()}, (o.dir / "shell.sql").string());
    const double ratio = ours.seconds / theirs.seconds;
    std::printf(
        "Import: ours %.1f s (%ld MB peak), sqlite3 .import %.1f s (%ld MB peak), "
        "ratio %.2f (goal <= 1.0)  %s\n",
        ours.seconds, ours.peakKb / 1024, theirs.seconds, theirs.peakKb / 1024, ratio,
        ours.status == 0 && theirs.status == 0 && ratio <= 1.0 ? "holds" : "MISSED");

    const Child exported = run({o.app, "--export", out.string(), "--data-dir", first.string()});
    const double perSecond = static_cast<double>(o.songs) / exported.seconds;
    std::printf("Export: %.1f s, %.0f songs a second (goal >= 100000), %ld MB peak  %s\n",
                exported.seconds, perSecond, exported.peakKb / 1024,
                exported.status == 0 && perSecond >= 100000 ? "holds" : "MISSED");

    const Child reimported = run({o.app, "--import", out.string(), "--data-dir", again.string()});
    const bool onServer = o.server.empty() || serverImport(o, csv, ours, out);
    const int64_t fromGenerator = differencesFromGenerator(first, o.songs);
    const int64_t roundTrip = reimported.status == 0 ? differencesBetween(first, again) : -1;
    std::printf(
        "Round trip: %lld songs differ from the generator's, %lld from the export "
        "imported again  %s\n",
        static_cast<long long>(fromGenerator), static_cast<long long>(roundTrip),
        fromGenerator == 0 && roundTrip == 0 ? "holds" : "MISSED");
    return fromGenerator == 0 && roundTrip == 0 && onServer ? 0 : 1;
}
