#include "app/engine/form/FormEngine.h"

#include "app/engine/state/AppState.h"
#include "runtime/data/ErrorGuard.h"
#include "runtime/data/Transaction.h"

namespace cdz {

FormEngine::FormEngine(AppState& state, FormDeclaration declaration, FormHost host)
    : state_(state), decl_(std::move(declaration)), host_(std::move(host)) {}

FormEngine::~FormEngine() {
    if (started_) finish();
}

DataFile& FormEngine::file() const {
    return state_.catalogue().file(decl_.file);
}

void FormEngine::busy(bool on) const {
    if (host_.busy) host_.busy(on);
}

bool FormEngine::openFiles() {
    std::vector<CatalogueFile> files{decl_.file};
    files.insert(files.end(), decl_.otherFiles.begin(), decl_.otherFiles.end());
    for (const FieldCheck& c : checks_) {
        if (c.kind == FieldCheck::Kind::InFile) files.push_back(c.otherFile);
    }
    for (CatalogueFile f : files) {
        if (state_.catalogue().use(f) != 0) return false;  // the open routine told the user
        used_.push_back(f);
    }
    return true;
}

void FormEngine::releaseFiles() {
    ErrorGuard keep(state_.catalogue().database().error());
    for (auto it = used_.rbegin(); it != used_.rend(); ++it) state_.catalogue().release(*it);
    used_.clear();
}

bool FormEngine::start() {
    request_ = state_.takeRequest();
    response_ = Response::Cancelled;
    if (request_ == Request::Select && decl_.offersCopy) {
        copying_ = true;
        request_ = Request::Insert;
    }
    started_ = true;
    if (!openFiles()) return false;
    const FileDecl& fd = file().decl();
    opened_ = original_.empty() ? RecordCopy::take(fd, file().record()) : original_;
    if (request_ == Request::Change)
        state_.integrity().savedLinks().record(state_.catalogue(), decl_.file);
    if (request_ == Request::Delete) {
        deleteRecord();
        return false;
    }
    const bool open = request_ != Request::Insert || decl_.numberKey.empty() || reserveNumber();
    if (open) keepRecord();
    return open;
}

void FormEngine::keepRecord() {
    const DataFile& f = file();
    kept_ = RecordCopy::take(f.decl(), f.record());
    keptCurrent_ = f.current();
    keeping_ = true;
}

void FormEngine::resumeRecord() {
    if (!keeping_) return;
    DataFile& f = file();
    kept_.restore(f.decl(), f.record());
    f.setCurrent(keptCurrent_);
}

FormEngine::Turn::Turn(FormEngine& engine) : engine_(engine) {
    if (engine_.turns_++ == 0) engine_.resumeRecord();
}

FormEngine::Turn::~Turn() {
    if (--engine_.turns_ == 0 && engine_.keeping_ && !engine_.finished_) engine_.keepRecord();
}

std::optional<std::string> FormEngine::title() const {
    if (request_ == Request::Insert) return decl_.insertTitle;
    if (request_ == Request::Change) return decl_.changeTitle;
    return std::nullopt;
}

// The highest number + 1 (1 in an empty file), added at once with the values the form starts
// with, so that another station cannot take it meanwhile.
bool FormEngine::reserveNumber() {
    DataFile& f = file();
    const FileDecl& fd = f.decl();
    const int key = fd.keyIndex(decl_.numberKey);
    const FieldDesc* number = fd.column(decl_.numberField);
    const RecordCopy start = RecordCopy::take(fd, f.record());
    for (;;) {
        for (int attempt = 0; attempt < kNumberAttempts; ++attempt) {
            int64_t next = 1;
            int code = f.set(key);
            if (code == 0) code = f.previous();
            if (code == 0) {
                next = number->integer(f.record()) + 1;
            } else if (code != err::kRecordNotAvailable) {
                start.restore(fd, f.record());
                state_.warning()(Warning::RecordRetrievalError, fd.label());
                return false;
            }
            start.restore(fd, f.record());
            number->setInteger(f.record(), next);
            if (f.add() == 0) {
                reserved_ = f.recordNumber();
                return true;
            }
        }
        if (state_.warning()(Warning::AutoNumberError) != Button::Retry) {
            start.restore(fd, f.record());
            return false;
        }
    }
}

void FormEngine::deleteRecord() {
    if (state_.warning()(Warning::ConfirmDelete) != Button::Ok) return;
    for (;;) {
        busy(true);
        const int result = state_.integrity().RIDelete(decl_.file);
        busy(false);
        if (result == Integrity::kDone) {
            response_ = Response::Completed;
            return;
        }
        if (state_.warning()(Warning::DeleteRetry) != Button::Yes) return;
    }
}

bool FormEngine::validate(int control) {
    if (control < 0 || control >= static_cast<int>(checks_.size())) return true;
    const FieldCheck& c = checks_[static_cast<size_t>(control)];
    const FileDecl& fd = file().decl();
    void* record = file().record();
    bool passed = true;
    switch (c.kind) {
        case FieldCheck::Kind::None:
            break;
        case FieldCheck::Kind::Range: {
            const int64_t v = fd.column(c.field)->integer(record);
            if (v < c.low || v > c.high) {
                passed = false;
                state_.warning()(Warning::ValueOutOfRange, c.field,
                                 std::to_string(c.low) + " and " + std::to_string(c.high));
            }
            break;
        }
        case FieldCheck::Kind::InFile: {
            DataFile& other = state_.catalogue().file(c.otherFile);
            const int key = other.keyIndex(c.otherKey);
            const KeyDesc& k = other.decl().keys()[static_cast<size_t>(key)];
            const FieldDesc& target = other.decl().columns()[static_cast<size_t>(k.components[0])];
            other.clearBuffer();
            target.assign(other.record(), fd.column(c.field)->value(record));
            if (other.get(key) != 0) {
                passed = false;
                state_.warning()(Warning::ValueNotInFile, c.field, other.decl().label());
            }
            break;
        }
        case FieldCheck::Kind::Own:
            passed = !c.own || c.own();
            break;
    }
    if (!passed && host_.focus) host_.focus(control);
    return passed;
}

bool FormEngine::ok() {
    if (request_ == Request::Insert || request_ == Request::Change) {
        for (int i = 0; i < static_cast<int>(checks_.size()); ++i) {
            if (!validate(i)) return false;
        }
    }
    const bool done = complete();
    // What was written is what the form leaves in the buffer when it finishes.
    if (done && keeping_) keepRecord();
    return done;
}

void FormEngine::cancel() {
    response_ = Response::Cancelled;
}

bool FormEngine::complete() {
    if (decl_.ditto) {
        state_.history().store(decl_.file, RecordCopy::take(file().decl(), file().record()));
    }
    if (request_ == Request::Insert) return completeInsert();
    if (request_ == Request::Change) return completeChange();
    response_ = Response::Completed;
    return true;
}

bool FormEngine::completeInsert() {
    DataFile& f = file();
    const int code = reserved_ != 0 ? writeReserved() : f.add();
    if (code == 0) {
        response_ = Response::Completed;
        if (afterWrite_) afterWrite_();
        return true;
    }
    reportDuplicate(code);
    stay();
    return false;
}

// The reserved record made current again (another window may have read the file since) and
// overwritten with the typed values; added anew if another station deleted it meanwhile.
int FormEngine::writeReserved() {
    DataFile& f = file();
    const RecordCopy typed = RecordCopy::take(f.decl(), f.record());
    const int found = f.getRecord(reserved_);
    typed.restore(f.decl(), f.record());
    if (found == err::kRecordNotFound) {
        const int code = f.add();
        if (code == 0) reserved_ = f.recordNumber();
        return code;
    }
    return found != 0 ? found : f.put();
}

// Names the first declared unique key the record duplicates; any other failure (or a
// duplicate in a key not declared) is reported with the error that caused it.
void FormEngine::reportDuplicate(int code) {
    DataFile& f = file();
    if (code == err::kDuplicateKey) {
        const ErrorState cause = f.error();
        for (const UniqueKeyText& k : decl_.uniqueKeys) {
            const int key = f.keyIndex(k.key);
            const int found = reserved_ != 0 ? f.duplicate(key) : f.duplicateOfNew(key);
            if (found == err::kDuplicateKey) {
                state_.warning()(Warning::DuplicateKey, k.text);
                return;
            }
        }
        f.database().error() = cause;
    }
    state_.warning()(Warning::RecordInsertError);
}

bool FormEngine::completeChange() {
    DataFile& f = file();
    busy(true);
    const bool changed = !(RecordCopy::take(f.decl(), f.record()) == opened_);
    busy(false);
    if (!changed) {
        response_ = Response::Completed;
        if (afterWrite_) afterWrite_();
        return true;
    }
    for (;;) {
        busy(true);
        const int result = state_.integrity().RIUpdate(decl_.file, decl_.updateFlag);
        busy(false);
        if (result == Integrity::kDone) {
            response_ = Response::Completed;
            if (afterWrite_) afterWrite_();
            return true;
        }
        if (result == Integrity::kChangedByOther) {
            // The buffer holds the other station's record: the form shows it, and a change is
            // measured from it from now on.
            opened_ = RecordCopy::take(f.decl(), f.record());
            break;
        }
        const Button answer = state_.warning()(Warning::UpdateRetry);
        if (answer == Button::Yes) continue;
        if (answer == Button::No) {
            response_ = Response::Cancelled;
            return true;
        }
        break;
    }
    stay();
    return false;
}

void FormEngine::stay() {
    if (host_.redisplay) host_.redisplay();
    if (host_.focus) host_.focus(0);
}

bool FormEngine::ditto(const std::string& field) {
    const FileDecl& fd = file().decl();
    const int column = fd.columnIndex(field);
    if (column < 0) return false;
    state_.history().of(decl_.file, fd).restoreColumn(fd, column, file().record());
    if (host_.redisplay) host_.redisplay();
    return true;
}

void FormEngine::removeReserved() {
    DataFile& f = file();
    ErrorGuard keep(f.database().error());
    if (!cancelInsert_) {
        if (f.getRecord(reserved_) == 0) (void)f.erase();
        f.clearBuffer();
        reserved_ = 0;
        return;
    }
    std::vector<DataFile*> scope{&f};
    for (CatalogueFile other : decl_.otherFiles) scope.push_back(&state_.catalogue().file(other));
    Database& db = f.database();
    const int code = inTransaction(db, scope, [&] {
        int undone = cancelInsert_();
        if (undone != 0) return undone;
        undone = f.getRecord(reserved_);
        if (undone == 0) undone = f.erase();
        return undone == err::kRecordNotFound ? 0 : undone;
    });
    if (code != 0) {
        const std::string why = clip(db.error().text).empty() ? std::to_string(code)
                                                              : std::string(clip(db.error().text));
        // The reserved record stays with what points at it: nothing is left pointing nowhere.
        state_.dialogs().message("Insert Not Undone",
                                 "The new " + f.decl().label() + " record could not be removed: " +
                                     why + ".|It is kept with the records linked to it.",
                                 MessageIcon::Warning, Button::Ok, Button::Ok);
    }
    f.clearBuffer();
    reserved_ = 0;
}

Response FormEngine::finish() {
    if (finished_) return response_;
    // The caller finds the record the form wrote (or left) in the buffer.
    resumeRecord();
    keeping_ = false;
    finished_ = true;
    if (reserved_ != 0 && response_ != Response::Completed) removeReserved();
    state_.integrity().savedLinks().forget(decl_.file);
    releaseFiles();
    state_.respond(response_);
    return response_;
}

}  // namespace cdz
