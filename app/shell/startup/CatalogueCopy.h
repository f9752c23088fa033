#pragma once
// Copies a whole catalogue, the twelve data files and the saved queries, from the data folder's
// files to a database server or back, keeping every record and its number. Files the source
// lacks are passed over; a file the target already holds records of stops the copy before
// anything is written (nothing is ever deleted on either side). On a server the whole copy is
// one transaction; into the folder's files the copy is made in a folder of its own and its files
// are moved in when all are whole, so a failed or killed copy leaves the folder as it was. The
// records written are counted against the source's before each commit.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "runtime/data/Database.h"

namespace cdz {

class CatalogueCopy {
public:
    struct Copied {
        std::string file;  // the declaration's name: "Songs", "Queries", ...
        int64_t records = 0;
    };

    CatalogueCopy(std::filesystem::path folder, OnServer from, OnServer to);

    // 0, or the runtime code of the failure with why() saying what stopped the copy.
    int run();
    const std::vector<Copied>& copied() const { return copied_; }
    const std::string& why() const { return why_; }

private:
    int copyInto(const std::filesystem::path& folder);
    int refuseFilledTargets();
    int moveIn(const std::filesystem::path& staging);

    std::filesystem::path folder_;
    OnServer from_;
    OnServer to_;
    std::vector<Copied> copied_;
    std::string why_;
};

}  // namespace cdz
