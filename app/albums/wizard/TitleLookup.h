#pragma once
// The "Look up titles" button of the add-album wizards: reads the disc in the drive, asks the
// online title service for the releases that hold it, lets the user choose one when there are
// several, and hands the chosen release over with the disc's track times. Every way of finding
// nothing (no disc, no network, a timeout, no match, an unreadable answer, the user's Cancel)
// is told to the user and hands nothing over, so the caller changes nothing.
#include <cstdint>
#include <optional>
#include <vector>

#include "app/albums/cd/TitleRelease.h"

namespace cdz {

class AppState;
class CdDevice;

class TitleLookup {
public:
    struct Found {
        TitleRelease release;
        std::vector<int32_t> trackTimes;  // of the disc, in track order
    };

    // Looks up the disc in the drive the program reads (CDZ_CD_DEVICE, else the CdDevice
    // setting), or in `device` when given.
    static std::optional<Found> run(AppState& state, CdDevice* device = nullptr);

    // The popup text that lists the releases to choose from: a heading, then one item each.
    static std::string choices(const std::vector<TitleRelease>& releases);
};

}  // namespace cdz
