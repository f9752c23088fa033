#pragma once
// A whole generated catalogue written into the data files of a folder, all or nothing: the
// files are made in a temporary folder beside it and moved in only once every record is
// stored, so a failed run leaves no half-filled catalogue behind. A folder that already holds
// data files is refused unless replacing them was asked for; a replaced catalogue loses every
// file that names its songs or albums, and keeps the configuration, fonts and labels.
#include <filesystem>
#include <string>
#include <vector>

#include "bench/generator/CatalogueShape.h"
#include "bench/generator/datafiles/CatalogueFiller.h"

namespace cdz::gen {

struct IntoResult {
    // The values are the tool's exit statuses.
    enum class Status { Written = 0, Failed = 1, Refused = 2 };

    Status status = Status::Written;
    std::string message;  // why it failed or was refused
    FillCounts counts;
};

class CatalogueInto {
public:
    // Albums written: one for every ten songs, as in the reference catalogue, and at least every
    // album a song is on.
    static IntoResult write(const std::filesystem::path& folder, const CatalogueShape& shape,
                            bool replace, const CatalogueFiller::Progress& progress = {});
    // The program's data files present in the folder.
    static std::vector<std::filesystem::path> dataFilesIn(const std::filesystem::path& folder);

private:
    static std::string fill(const std::filesystem::path& folder, const CatalogueShape& shape,
                            const CatalogueFiller::Progress& progress, FillCounts& counts);
    static std::string moveInto(const std::filesystem::path& made,
                                const std::filesystem::path& folder, bool replace);
};

}  // namespace cdz::gen
