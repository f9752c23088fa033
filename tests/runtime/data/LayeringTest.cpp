// The floors of the program hold as its folders say: every include of the program, the query
// library, the runtime and the tools is checked against the rule of the room it is in, and a
// break is named by file, line and rule.
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/BuiltPaths.h"
#include "tests/support/TempDir.h"

namespace cdz::test {
namespace {

bool under(std::string_view path, std::string_view prefix) {
    return path.size() > prefix.size() && path.compare(0, prefix.size(), prefix) == 0 &&
           path[prefix.size()] == '/';
}

// The features of the program and the features each is built on (as its library links them).
struct Feature {
    std::string_view room;
    std::vector<std::string_view> builtOn;
};
const Feature kFeatures[] = {
    {"app/songs", {}},
    {"app/albums", {"app/songs"}},
    {"app/playlists", {"app/songs"}},
    {"app/reports", {}},
    {"app/labels", {"app/reports"}},
    {"app/filemgr", {}},
    {"app/audiofiles", {"app/songs", "app/albums"}},
};

const Feature* featureOf(std::string_view file) {
    for (const Feature& f : kFeatures) {
        if (under(file, f.room)) return &f;
    }
    return nullptr;
}

bool anyUnder(std::string_view include, std::initializer_list<std::string_view> rooms) {
    for (std::string_view room : rooms) {
        if (under(include, room)) return true;
    }
    return false;
}

// Why `file` may not include `include`; "" when it may.
std::string broken(std::string_view file, std::string_view include) {
    if (include == "sqlite3.h" && !under(file, "runtime/data/sqlite"))
        return "SQLite is reached only in runtime/data/sqlite";
    if (include == "libpq-fe.h" && !under(file, "runtime/data/pg"))
        return "the server's client library is reached only in runtime/data/pg";
    const bool ours = anyUnder(include, {"app", "runtime", "querykit", "tools"});
    if (!ours) return {};
    // Callers ask the storage for what it can do; only the database makes an engine.
    if (anyUnder(include, {"runtime/data/sqlite", "runtime/data/pg"}) &&
        !anyUnder(file, {"runtime/data/sqlite", "runtime/data/pg"}) &&
        file != "runtime/data/Database.cpp")
        return "a storage engine's room is reached only through the database";
    if (under(file, "runtime") && !under(include, "runtime"))
        return "the runtime stands on nothing of the program";
    if (under(file, "querykit") && !anyUnder(include, {"runtime", "querykit"}))
        return "the query library stands on the runtime alone";
    if (under(file, "tools") && !anyUnder(include, {"runtime", "tools"}))
        return "the tools stand on the runtime alone";
    if (under(file, "app/domain") && !anyUnder(include, {"runtime", "app/domain"}))
        return "the catalogue's domain stands on the runtime alone";
    if (under(file, "app/engine") &&
        !anyUnder(include, {"runtime", "querykit", "app/domain", "app/engine"}))
        return "the engines stand on the domain, the query library and the runtime";
    if (under(file, "app/shell") &&
        !anyUnder(include, {"runtime", "querykit", "app/domain", "app/engine", "app/shell"}))
        return "the shell knows the features only by procedure names (the program registers them)";
    if (const Feature* feature = featureOf(file)) {
        if (anyUnder(include, {"runtime", "querykit", "app/domain", "app/engine"}) ||
            under(include, feature->room))
            return {};
        for (std::string_view base : feature->builtOn) {
            if (under(include, base)) return {};
        }
        return "a feature includes another only where it is built on it";
    }
    return {};
}

// "file:line: include: rule" for every include under `folders` of `root` that breaks a rule.
std::vector<std::string> breaks(const std::filesystem::path& root,
                                std::initializer_list<const char*> folders) {
    static const std::regex kInclude(R"(^\s*#\s*include\s*[<"]([^>"]+)[>"])");
    std::vector<std::string> found;
    for (const char* folder : folders) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root / folder)) {
            const auto ext = entry.path().extension();
            if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".h")) continue;
            const std::string file = std::filesystem::relative(entry.path(), root).string();
            std::ifstream in(entry.path());
            int number = 0;
            std::smatch m;
            for (std::string line; std::getline(in, line);) {
                ++number;
                if (!std::regex_search(line, m, kInclude)) continue;
                const std::string why = broken(file, m[1].str());
                if (!why.empty()) {
                    found.push_back(file + ":" + std::to_string(number) + ": " + m[1].str() + ": " +
                                    why);
                }
            }
        }
    }
    return found;
}

TEST(Layering, EachRoomMayIncludeOnlyWhatItStandsOn) {
    struct Case {
        const char* file;
        const char* include;
        bool allowed;
    };
    const Case cases[] = {
        {"runtime/data/sqlite/SqliteEngine.cpp", "sqlite3.h", true},
        {"runtime/data/DataFile.cpp", "sqlite3.h", false},
        {"runtime/data/pg/PgResult.cpp", "libpq-fe.h", true},
        {"runtime/data/DataFile.cpp", "runtime/data/pg/PgFiles.h", false},
        {"app/domain/settings/ServerSetting.cpp", "runtime/data/pg/PgConnection.h", false},
        {"runtime/data/Database.cpp", "runtime/data/sqlite/SqliteEngine.h", true},
        {"runtime/data/sqlite/SqliteFiles.cpp", "runtime/data/Database.h", true},
        {"app/songs/SongForm.cpp", "libpq-fe.h", false},
        {"runtime/ui/Dialogs.cpp", "app/engine/state/AppState.h", false},
        {"querykit/qwizard/X.cpp", "app/domain/data/Catalogue.h", false},
        {"app/domain/integrity/Integrity.cpp", "app/engine/state/AppState.h", false},
        {"app/engine/browse/BrowseEngine.cpp", "app/shell/frame/MainFrame.h", false},
        {"app/engine/browse/BrowseEngine.cpp", "app/domain/data/Catalogue.h", true},
        {"app/shell/frame/MainFrame.cpp", "app/songs/SongBrowse.h", false},
        {"app/songs/SongBrowse.cpp", "app/albums/AlbumForm.h", false},
        {"app/albums/AlbumSongList.cpp", "app/songs/SongDrops.h", true},
        {"app/songs/SongBrowse.cpp", "app/shell/frame/MainFrame.h", false},
        {"app/program/Subsystems.cpp", "app/songs/SongsProcedures.h", true},
        {"app/songs/SongBrowse.cpp", "QWidget", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(broken(c.file, c.include).empty(), c.allowed) << c.file << " -> " << c.include;
    }
}

TEST(Layering, ABadIncludeIsNamedByFileLineAndRule) {
    TempDir dir;
    std::filesystem::create_directories(dir.path() / "runtime/ui");
    std::ofstream(dir.path() / "runtime/ui/Planted.cpp")
        << "#include <QWidget>\n// #include \"app/songs/Old.h\" was here\n"
           "#include \"runtime/ui/Dialogs.h\"\n  #include \"app/songs/SongBrowse.h\"\n";
    EXPECT_EQ(breaks(dir.path(), {"runtime"}),
              std::vector<std::string>{"runtime/ui/Planted.cpp:4: app/songs/SongBrowse.h: the "
                                       "runtime stands on nothing of the program"});
}

TEST(Layering, TheTreeKeepsItsFloors) {
    const auto found = breaks(cdz::test::sourceFolder(), {"app", "runtime", "querykit", "tools"});
    std::string list;
    for (const auto& f : found) list += f + "\n";
    EXPECT_TRUE(found.empty()) << "includes that break the floors:\n" << list;
}

}  // namespace
}  // namespace cdz::test
