#pragma once
// `cdzapp --copy-to-server URL [--catalogue NAME] [--data-dir FOLDER]` copies the folder's
// catalogue (the data files and the saved queries) onto a database server, and
// `--copy-from-server URL` copies one from the server into the folder's files; see
// CatalogueCopy. Prints each file's records copied, or why nothing was.
#include "app/engine/command/CommandTable.h"

namespace cdz {

class CopyCommand {
public:
    static constexpr int kDone = 0;
    static constexpr int kFailed = 1;
    static constexpr int kWrongOrder = 2;

    // The command table's entries of the two copies.
    static HeadlessCommand toServerCommand();
    static HeadlessCommand fromServerCommand();
};

}  // namespace cdz
