#pragma once
// `cdzapp --cd-info [DRIVE-OR-IMAGE] [--lookup]`: prints what the program reads from the disc
// (the track count, the disc identifier, each track's length, and the CD-Text titles and
// performers when the disc carries them) without opening a window, so a user can check a drive
// and a test can check the reader. With --lookup it also prints the disc ID the online title
// service knows the disc by and the releases the service gives, or why it gave none.
#include <cstdio>
#include <string>

#include "app/albums/cd/TitleService.h"
#include "app/engine/command/CommandTable.h"
#include "runtime/cd/CdDevice.h"

namespace cdz {

class CdInfoCommand {
public:
    // The exit status when the disc was read but the title service gave no release.
    static constexpr int kExitNoTitles = 2;

    // The command table's entry of --cd-info. Without a drive or image after the option,
    // CDZ_CD_DEVICE or the CdDevice setting of the data folder (--data-dir, else the current
    // folder) names it, else the default drive is read.
    static HeadlessCommand command();

    // Reads the disc of `device` and prints it to `out`: 0; or the failure to `err`: 1.
    // `source` names the device in the failure text. With `lookup`, the service it names is
    // asked too: kExitNoTitles when it gives no release.
    static int run(CdDevice& device, const std::string& source, std::FILE* out, std::FILE* err,
                   const TitleService::Options* lookup = nullptr);
};

}  // namespace cdz
