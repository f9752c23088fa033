#pragma once
// `cdzapp --find-release "barcode:724384260927" | "catno:CDP 7 46208 2" |
// "artist:NAME,title:TITLE" [--limit N]`: searches the online title service's releases without a
// window and prints the candidates one a line, as the list to choose from shows them, with each
// one's release identifier; exit 0 with candidates, 2 when the service knows none or cannot be
// asked (the reason on standard error, in the window's words).
#include <cstdio>

#include "app/albums/cd/TitleService.h"
#include "app/engine/command/CommandTable.h"

namespace cdz {

class FindReleaseCommand {
public:
    static constexpr int kExitNone = 2;

    static HeadlessCommand command();
    static int run(const std::string& query, int most, const TitleService::Options& options,
                   std::FILE* out, std::FILE* err);
};

}  // namespace cdz
