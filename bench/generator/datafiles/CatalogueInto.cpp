#include "bench/generator/datafiles/CatalogueInto.h"

#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <exception>
#include <set>
#include <system_error>

namespace cdz::gen {

namespace {

namespace fs = std::filesystem;

using Status = IntoResult::Status;

// The files a generated catalogue fills, in the order they are made; the program creates the
// others when it opens them.
constexpr CatalogueFile kFilled[] = {CatalogueFile::Categories,     CatalogueFile::Media,
                                     CatalogueFile::Cadenzio,       CatalogueFile::Album,
                                     CatalogueFile::PlaylistMaster, CatalogueFile::PlaylistDetails};

// Files of a replaced catalogue that name its songs or albums. The configuration, fonts and
// labels are the user's settings and designs, and stay.
constexpr CatalogueFile kNamingSongs[] = {CatalogueFile::AddWizard, CatalogueFile::OldCadenzio};

fs::path dataFilePath(const fs::path& folder, CatalogueFile file) {
    const FileDecl& decl = declarationOf(file);
    return FileName::resolve(decl.externalName(), folder, decl.label()).database;
}

// The same path without a trailing separator, so that it has a name and a parent.
fs::path plainFolder(const fs::path& folder) {
    fs::path p = fs::absolute(folder).lexically_normal();
    if (p.filename().empty()) p = p.parent_path();
    return p;
}

IntoResult ended(Status status, std::string message, const FillCounts& counts = {}) {
    IntoResult r;
    r.status = status;
    r.message = std::move(message);
    r.counts = counts;
    return r;
}

// Removes the working folders of earlier writes into `folder` whose process is gone (killed):
// each is named after the folder and its writer's process number.
void removeDeadWork(const fs::path& folder) {
    const std::string prefix = "." + folder.filename().string() + ".cdzgen-";
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder.parent_path(), ec)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with(prefix)) continue;
        const std::string number = name.substr(prefix.size());
        const auto digit = [](unsigned char c) { return std::isdigit(c) != 0; };
        if (number.empty() || number.size() > 9 ||
            !std::all_of(number.begin(), number.end(), digit))
            continue;
        const pid_t writer = static_cast<pid_t>(std::stol(number));
        std::error_code ignored;
        if (::kill(writer, 0) != 0 && errno == ESRCH) fs::remove_all(entry.path(), ignored);
    }
}

}  // namespace

std::vector<fs::path> CatalogueInto::dataFilesIn(const fs::path& folder) {
    std::vector<fs::path> found;
    std::error_code ec;
    for (const CatalogueFileInfo& info : catalogueFiles()) {
        const fs::path p = dataFilePath(folder, info.file);
        if (fs::exists(p, ec)) found.push_back(p);
    }
    return found;
}

std::string CatalogueInto::fill(const fs::path& folder, const CatalogueShape& shape,
                                const CatalogueFiller::Progress& progress, FillCounts& counts) {
    Catalogue catalogue(folder);
    FileUse use(catalogue, {CatalogueFile::Categories, CatalogueFile::Media,
                            CatalogueFile::Cadenzio, CatalogueFile::Album,
                            CatalogueFile::PlaylistMaster, CatalogueFile::PlaylistDetails});
    if (!use.ok()) return "cannot create the data files: " + catalogue.database().error().text;
    CatalogueFiller filler(catalogue, shape);
    std::string failed = filler.addCategories();
    if (failed.empty()) failed = filler.addMedia();
    if (failed.empty()) failed = filler.addSongs(progress);
    if (failed.empty()) {
        const auto tenth = static_cast<int32_t>(shape.songs / 10);
        failed = filler.addAlbums(std::max(tenth, filler.albumsNamed()));
    }
    if (failed.empty()) failed = filler.addPlaylists();
    counts = filler.counts();
    return failed;
}

// Into a folder that exists, the new catalogue goes in one step: the folder's other files (the
// configuration, fonts, labels and anything else of the user's) are linked into the made folder,
// and the two folders change places, so that a kill at any moment leaves the old catalogue or
// the whole new one, never a mix of their files. `made` then holds the old one.
std::string CatalogueInto::moveInto(const fs::path& made, const fs::path& folder, bool replace) {
    std::error_code ec;
    if (!fs::exists(folder, ec)) {
        fs::rename(made, folder, ec);
        return ec ? "cannot rename " + made.string() + " to " + folder.string() + ": " +
                        ec.message()
                  : std::string();
    }
    std::set<fs::path> replaced;
    const auto replacing = [&](CatalogueFile file) {
        const fs::path name = dataFilePath(folder, file).filename();
        replaced.insert(name);
        // A journal left beside the file it replaces would be played back into the new one.
        replaced.insert(name.string() + "-journal");
    };
    for (CatalogueFile file : kFilled) replacing(file);
    // The old catalogue's add-wizard records and old songs go too: they name songs and albums
    // that are no longer there.
    if (replace)
        for (CatalogueFile file : kNamingSongs) replacing(file);
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        if (replaced.count(entry.path().filename())) continue;
        fs::copy(entry.path(), made / entry.path().filename(),
                 fs::copy_options::recursive | fs::copy_options::create_hard_links, ec);
        if (ec) return "cannot keep " + entry.path().string() + ": " + ec.message();
    }
    if (ec) return "cannot read " + folder.string() + ": " + ec.message();
    if (::renameat2(AT_FDCWD, made.c_str(), AT_FDCWD, folder.c_str(), RENAME_EXCHANGE) != 0)
        return "cannot move the catalogue into " + folder.string() + ": " +
               std::generic_category().message(errno);
    return {};
}

IntoResult CatalogueInto::write(const fs::path& folderGiven, const CatalogueShape& shape,
                                bool replace, const CatalogueFiller::Progress& progress) {
    std::error_code ec;
    const fs::path folder = plainFolder(folderGiven);
    if (fs::exists(folder, ec) && !fs::is_directory(folder, ec)) {
        return ended(Status::Refused, folder.string() + " is not a folder");
    }
    if (const auto present = dataFilesIn(folder); !present.empty() && !replace) {
        std::string names;
        for (const fs::path& p : present)
            names += (names.empty() ? "" : ", ") + p.filename().string();
        return ended(Status::Refused, folder.string() + " already holds data files (" + names +
                                          "); choose an empty folder, or give --replace to "
                                          "replace them");
    }
    removeDeadWork(folder);
    // Beside the folder, so that the finished files move in by a rename on the same disk.
    const fs::path made = folder.parent_path() / ("." + folder.filename().string() + ".cdzgen-" +
                                                  std::to_string(::getpid()));
    fs::create_directories(made, ec);
    if (ec) return ended(Status::Failed, "cannot create " + made.string() + ": " + ec.message());
    FillCounts counts;
    std::string failed;
    try {
        failed = fill(made, shape, progress, counts);
    } catch (const std::exception& e) {
        failed = std::string("stopped: ") + e.what();
    }
    if (failed.empty()) failed = moveInto(made, folder, replace);
    fs::remove_all(made, ec);
    if (!failed.empty()) return ended(Status::Failed, failed + "; nothing was written", counts);
    return ended(Status::Written, {}, counts);
}

}  // namespace cdz::gen
