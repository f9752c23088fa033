#include "app/domain/opening/RuntimeStop.h"

#include <cstdlib>
#include <utility>

#include "app/domain/data/Catalogue.h"
#include "runtime/ui/Dialogs.h"

namespace cdz {

RuntimeStop::RuntimeStop(Dialogs& dialogs, Catalogue& catalogue, EndHandler end)
    : dialogs_(dialogs), catalogue_(catalogue), end_(std::move(end)) {}

void RuntimeStop::operator()(std::string_view text) {
    dialogs_.halt(text);
    afterShown(text);
}

void RuntimeStop::afterShown(std::string_view text) {
    ++stops_;
    // Whatever was half-done is undone rather than left for the next start to recover.
    Database& db = catalogue_.database();
    if (db.inTransaction()) db.rollback();
    const auto& files = catalogueFiles();
    for (auto it = files.rbegin(); it != files.rend(); ++it) {
        DataFile& f = catalogue_.file(it->file);
        if (f.isOpen()) f.close();
    }
    if (end_) {
        end_(text);
        return;
    }
    std::exit(EXIT_FAILURE);
}

}  // namespace cdz
