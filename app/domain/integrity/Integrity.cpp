#include "app/domain/integrity/Integrity.h"

#include <optional>
#include <string>
#include <vector>

#include "app/domain/integrity/IntegrityScope.h"
#include "runtime/data/ErrorGuard.h"
#include "runtime/data/Transaction.h"

namespace cdz {
namespace {

using F = CatalogueFile;

// Calls fn with the typed record buffer of the file.
template <class Fn>
void withRecord(Catalogue& c, CatalogueFile file, Fn&& fn) {
    switch (file) {
        case F::AddWizard:
            return fn(c.addWizard());
        case F::Album:
            return fn(c.album());
        case F::Categories:
            return fn(c.category());
        case F::Configuration:
            return fn(c.configuration());
        case F::Fonts:
            return fn(c.font());
        case F::Labels:
            return fn(c.label());
        case F::Media:
            return fn(c.media());
        case F::Cadenzio:
            return fn(c.song());
        case F::OldCadenzio:
            return fn(c.oldSong());
        case F::PlaylistDetails:
            return fn(c.playlistEntry());
        case F::PlaylistMaster:
            return fn(c.playlist());
        case F::AudioFiles:
            return fn(c.audioFile());
    }
}

}  // namespace

// Uses the child files of a scope (all but the first, the caller's own file) for the length of
// one procedure, with its transaction, and gives them back in reverse order, keeping the error
// state of the procedure. A transaction not committed is rolled back before the files go.
class Integrity::ScopeFiles {
public:
    ScopeFiles(Catalogue& catalogue, const std::vector<CatalogueFile>& scope)
        : catalogue_(catalogue) {
        for (size_t i = 1; i < scope.size(); ++i) {
            if ((code_ = catalogue_.use(scope[i])) != 0) return;
            held_.push_back(scope[i]);
        }
    }
    ~ScopeFiles() {
        transaction_.reset();
        ErrorGuard keep(catalogue_.database().error());
        for (auto it = held_.rbegin(); it != held_.rend(); ++it) catalogue_.release(*it);
    }
    ScopeFiles(const ScopeFiles&) = delete;
    ScopeFiles& operator=(const ScopeFiles&) = delete;

    // Opens the transaction over the whole scope; 0, or why it could not.
    int begin(const std::vector<CatalogueFile>& scope) {
        if (code_ != 0) return code_;
        std::vector<DataFile*> files;
        files.reserve(scope.size());
        for (CatalogueFile f : scope) files.push_back(&catalogue_.file(f));
        transaction_.emplace(catalogue_.database(), files);
        return transaction_->began();
    }
    int commit() { return transaction_->commit(); }
    // Gives the writes up now (a rule that failed has normally rolled back already, through
    // the error-saving routine).
    void rollback() { transaction_->rollback(); }

private:
    std::optional<Transaction> transaction_;
    Catalogue& catalogue_;
    std::vector<CatalogueFile> held_;
    int code_ = 0;
};

Integrity::Integrity(Catalogue& catalogue, StandardWarning& warning)
    : catalogue_(catalogue),
      warning_(warning),
      deleteRules_(catalogue, warning),
      updateRules_(catalogue, warning) {}

int Integrity::primaryKey(CatalogueFile file) {
    const FileDecl& decl = catalogue_.file(file).decl();
    const KeyDesc* key = decl.primaryKey();
    return key ? static_cast<int>(key - decl.keys().data()) : kRecordOrder;
}

int Integrity::refuseFileWithoutProcedures(CatalogueFile file, Warning warning) {
    catalogue_.database().fail(err::kAccessDenied);
    warning_(warning, catalogue_.file(file).decl().label());
    return kNotDone;
}

int Integrity::RIDelete(CatalogueFile f) {
    if (!hasIntegrityProcedures(f)) return refuseFileWithoutProcedures(f, Warning::DeleteError);
    DataFile& file = catalogue_.file(f);
    const std::string& label = file.decl().label();
    const std::string position = file.position(primaryKey(f));

    ScopeFiles scope(catalogue_, deleteScope(f));
    if (scope.begin(deleteScope(f)) != 0) {
        warning_.saveError();
        warning_(Warning::TransactionFramingError, "Delete", label);
        return kNotDone;
    }
    // The record as stored, not as the caller's buffer has it.
    if (file.reget(position) != 0) {
        warning_.saveError();
        warning_(Warning::RecordRetrievalError, label);
        return kNotDone;
    }
    if (!deleteRules_.apply(f)) return kNotDone;
    if (file.erase() != 0 || scope.commit() != 0) {
        warning_.saveError();
        warning_(Warning::DeleteError, label);
        return kNotDone;
    }
    links_.forget(f);
    return kDone;
}

int Integrity::RIUpdate(CatalogueFile f, int flag) {
    if (!hasIntegrityProcedures(f)) return refuseFileWithoutProcedures(f, Warning::UpdateError);
    DataFile& file = catalogue_.file(f);
    const std::string& label = file.decl().label();

    ScopeFiles scope(catalogue_, updateScope(f));
    if (scope.begin(updateScope(f)) != 0) {
        warning_.saveError();
        warning_(Warning::TransactionFramingError, "Update", label);
        return kNotDone;
    }
    const std::string position = file.position(primaryKey(f));

    std::optional<LinkValue> from;
    if (hasLinkValue(f)) {
        from = links_.saved(f);
        if (!from) {
            // No form recorded it: the stored record, locked by the transaction, still has it.
            LinkValue stored;
            if (storedLinkValue(catalogue_, f, file.recordNumber(), &stored) != 0) {
                warning_.saveError();
                warning_(Warning::RecordRetrievalError, label);
                return kNotDone;
            }
            from = std::move(stored);
        }
    }

    if (file.put() != 0) {
        warning_.saveError();
        if (warning_.saved().code != err::kRecordChanged) {
            warning_(Warning::UpdateError, label);
            return kNotDone;
        }
        if (flag == kSongForm) {
            warning_(Warning::UpdateError, "Record Changed by Another Station");
        } else {
            warning_(Warning::RecordChangedElsewhere);
        }
        file.watch();
        if (file.reget(position) != 0) {
            // The other station deleted it: there is no version of theirs to show.
            warning_(Warning::RecordRetrievalError, label);
            return kNotDone;
        }
        links_.record(catalogue_, f);
        return kChangedByOther;
    }

    if (from) {
        const LinkValue to = *linkValueOf(catalogue_, f);
        if (to != *from && !updateRules_.apply(f, *from, to)) {
            scope.rollback();
            afterUndonePut(f, position);
            return kNotDone;
        }
    }
    if (scope.commit() != 0) {
        warning_.saveError();
        warning_(Warning::UpdateError, label);
        afterUndonePut(f, position);
        return kNotDone;
    }
    links_.record(catalogue_, f);
    return kDone;
}

void Integrity::afterUndonePut(CatalogueFile f, const std::string& position) {
    DataFile& file = catalogue_.file(f);
    ErrorGuard keep(catalogue_.database().error());
    withRecord(catalogue_, f, [&](auto& record) {
        const auto typed = record;
        file.watch();
        if (file.reget(position) == 0) record = typed;
    });
}

}  // namespace cdz
