#pragma once
// Converts the songs of the previous program generation's song file (OldCadenzio) into the
// song file: each old record becomes a song, and the old record is deleted only once its song
// has been added, so a conversion cut short loses nothing and the next start carries on.
#include <cstdint>
#include <optional>

#include "app/domain/data/Catalogue.h"

namespace cdz {

class StandardWarning;

class OldSongConverter {
public:
    OldSongConverter(Catalogue& catalogue, StandardWarning& warning);
    ~OldSongConverter();
    OldSongConverter(const OldSongConverter&) = delete;
    OldSongConverter& operator=(const OldSongConverter&) = delete;

    // Opens both files and starts reading the old one. False when there is nothing to convert
    // (no old records, or a file did not open); the files are then given back.
    bool start();
    // Converts up to `count` old records; false once the conversion has ended.
    bool step(int count);
    bool finished() const { return finished_; }
    // Share of the old records handled so far, 0 to 100.
    int percent() const;
    int64_t converted() const { return converted_; }
    // Ends the reading and gives the files back (also done by the destructor).
    void finish();

private:
    bool convertOne();

    Catalogue& catalogue_;
    StandardWarning& warning_;
    std::optional<FileUse> files_;
    int64_t total_ = 0;
    int64_t handled_ = 0;
    int64_t converted_ = 0;
    bool finished_ = false;
};

}  // namespace cdz
