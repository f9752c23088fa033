#include "runtime/data/DataFile.h"

#include <cassert>
#include <set>

#include "runtime/data/ErrorGuard.h"
#include "runtime/data/FileCipher.h"
#include "runtime/data/FileOwner.h"
#include "runtime/data/FileStorage.h"
#include "runtime/data/KeyWhere.h"
#include "runtime/data/RecordCodec.h"
#include "runtime/text/SortKey.h"

namespace cdz {
namespace {

bool sameAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto up = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; };
        if (up(a[i]) != up(b[i])) return false;
    }
    return true;
}

bool allBlank(const FileDecl& decl, const KeyDesc& key, const void* record) {
    for (int c : key.components) {
        SqlValue v = decl.columns()[static_cast<size_t>(c)].value(record);
        const auto* text = std::get_if<std::string>(&v);
        const auto* whole = std::get_if<int64_t>(&v);
        const auto* real = std::get_if<double>(&v);
        if ((text && !text->empty()) || (whole && *whole != 0) || (real && *real != 0)) {
            return false;
        }
    }
    return true;
}

}  // namespace

DataFile::DataFile(Database& db, const FileDecl& decl, void* buffer, std::type_index bufferType)
    : db_(db), decl_(decl), record_(buffer), name_(decl.externalName()) {
    assert(bufferType == decl.recordType() && "record buffer of another declaration");
    (void)bufferType;
}

DataFile::~DataFile() {
    if (open_) close();
}

std::filesystem::path DataFile::path() const {
    return FileName::resolve(name_, db_.folder(), decl_.label()).database;
}

int DataFile::requireOpen() const {
    if (!open_) return db_.fail(err::kFileNotOpen);
    return 0;
}

int DataFile::requireWritable() const {
    if (int code = requireOpen()) return code;
    if (readOnly_) return db_.fail(err::kAccessDenied);
    return 0;
}

int DataFile::open(int mode) {
    return openFile(mode, false);
}

int DataFile::openFile(int mode, bool forBuild) {
    if (open_) return db_.fail(err::kFileAlreadyOpen);
    where_ = FileName::resolve(name_, db_.folder(), decl_.label());
    std::string schema;
    bool recover = recover_;
    recover_ = false;
    if (int code = db_.attach(where_.database, false, recover, &schema)) return code;
    sql_ = TableSql(decl_, schema, where_.table);
    // Statement texts of the writes, built once per open (a bulk import adds millions).
    const KeyDesc* numbered = nullptr;
    for (const auto& k : decl_.keys()) {
        if (k.autoNumber) numbered = &k;
    }
    insertSql_ = sql_.insert(nullptr);
    insertNumberedSql_ = numbered ? sql_.insert(numbered) : std::string();
    updateSql_ = sql_.update(false);
    updateWatchedSql_ = sql_.update(true);
    bool stamped = false;
    const auto storage = FileStorage::of(db_, decl_, schema, where_);
    recordCountSql_ = storage->recordCountSql();
    int code = storage->checkStored(&stamped);
    if (forBuild && code == err::kKeyFileRebuild) code = db_.succeed();
    if (!code && decl_.encrypted()) code = unlock();
    if (!code && (mode & 0xF0) == access::kDenyAll) code = db_.setExclusive(schema, true);
    if (code) {
        ErrorGuard keep(db_.error());
        db_.detach(where_.database);
        return code;
    }
    open_ = true;
    readOnly_ = (mode & 0x0F) == access::kReadOnly;
    if (!stamped && !readOnly_ && !db_.inTransaction()) {
        // A file of an earlier build is marked as the program's now; one that another station
        // is writing is marked at a later open.
        ErrorGuard keep(db_.error());
        const int wait = db_.lockWait();
        db_.setLockWait(0);
        FileOwner::stamp(db_, schema);
        db_.setLockWait(wait);
    }
    exclusive_ = (mode & 0xF0) == access::kDenyAll;
    recno_ = 0;
    watched_ = watchNext_ = false;
    cursor_ = Cursor{};
    return db_.succeed();
}

int DataFile::unlock() {
    if (owner_.empty()) {
        return db_.fail(err::kAccessDenied, 0,
                        "the file is protected by an owner password and none was given");
    }
    SqlValue salt, proof;
    {
        Statement stmt = db_.statement("SELECT salt, proof FROM " + sql_.schema() + "." +
                                       TableSql::kOwnerTable + " WHERE tbl = ?");
        if (!stmt) return damaged();
        RecordCodec::bind(stmt, 1, sql_.table());
        StepResult rc = stmt.step();
        if (!rc.row() && !rc.done()) return db_.failStep(rc);
        if (rc.row()) {
            salt = RecordCodec::column(stmt, 0);
            proof = RecordCodec::column(stmt, 1);
        }
    }
    const auto* saltText = std::get_if<std::string>(&salt);
    const auto* proofText = std::get_if<std::string>(&proof);
    if (!saltText || !proofText) return damaged();
    // Deriving the key is deliberately slow; a file reopened under the same salt and password
    // keeps it.
    if (!cipher_ || cipher_->salt() != *saltText || cipherOwner_ != owner_) {
        cipher_ = FileCipher::derive(owner_, *saltText);
        cipherOwner_ = owner_;
    }
    if (!cipher_) return damaged();
    if (!cipher_->verify(*proofText)) {
        cipher_.reset();
        return db_.fail(err::kAccessDenied, 0, "the owner password is not the file's");
    }
    return db_.succeed();
}

int DataFile::damaged() {
    return db_.fail(err::kInvalidDataFile, 0, "the enciphered data of the file does not open");
}

int DataFile::create() {
    if (open_) return db_.fail(err::kFileAlreadyOpen);
    if (decl_.encrypted()) {
        if (owner_.empty()) {
            return db_.fail(err::kAccessDenied, 0,
                            "the file is protected by an owner password and none was given");
        }
        cipher_ = FileCipher::derive(owner_, FileCipher::newSalt());
        cipherOwner_ = owner_;
        if (!cipher_) return db_.fail(err::kDriverError, 0, "the file's key cannot be made");
    }
    where_ = FileName::resolve(name_, db_.folder(), decl_.label());
    const bool inFolder = db_.has(StorageFeature::FilesInFolder);
    std::error_code ec;
    if (inFolder) std::filesystem::create_directories(where_.database.parent_path(), ec);
    const bool existed = inFolder && std::filesystem::exists(where_.database, ec);
    std::string schema;
    int code = db_.attach(where_.database, true, true, &schema);
    if (!code) {
        code = FileStorage::of(db_, decl_, schema, where_)
                   ->make(cipher_ ? cipher_->salt() : std::string(),
                          cipher_ ? cipher_->proof() : std::string());
        ErrorGuard keep(db_.error());
        db_.detach(where_.database);
    }
    if (code && inFolder && !existed) {
        // A half-made file would later read as some other fault than the one that stopped
        // its creation.
        db_.discardDatabase(where_.database);
    }
    return code;
}

int DataFile::close() {
    if (!open_) return db_.succeed();
    if (streaming_) flush();
    bulkSink_.reset();
    bulkSource_.reset();
    addSink_.reset();
    batch_ = Batch::None;
    if (exclusive_) db_.setExclusive(sql_.schema(), false);
    open_ = false;
    exclusive_ = false;
    recno_ = 0;
    cursor_ = Cursor{};
    return db_.detach(where_.database);
}

int DataFile::remove() {
    if (open_) return db_.fail(err::kFileAlreadyOpen);
    where_ = FileName::resolve(name_, db_.folder(), decl_.label());
    return db_.removeFile(decl_, where_);
}

int64_t DataFile::records() {
    if (requireOpen()) return 0;
    Statement stmt = db_.statement(recordCountSql_);
    if (!stmt) return 0;
    RecordCodec::bind(stmt, 1, sql_.table());
    StepResult rc = stmt.step();
    int64_t n = rc.row() ? stmt.integer(0) : 0;
    if (!rc.row() && !rc.done())
        db_.failStep(rc);
    else
        db_.succeed();
    return n;
}

int DataFile::add() {
    if (int code = requireWritable()) return code;
    cursor_.ahead.clear();
    const KeyDesc* autoKey = nullptr;
    for (const auto& k : decl_.keys()) {
        if (k.autoNumber &&
            decl_.columns()[static_cast<size_t>(k.components.back())].integer(record_) == 0) {
            autoKey = &k;
        }
    }
    int64_t recno = 0;
    SqlValue number;
    auto insert = [&] {
        Statement stmt = db_.statement(autoKey ? insertNumberedSql_ : insertSql_);
        if (!stmt) return db_.error().code;
        RecordCodec::bindRecord(stmt, 1, decl_, record_, autoKey, cipher_.get());
        StepResult rc = stmt.step();
        if (!rc.row()) return db_.failStep(rc);
        recno = stmt.integer(0);
        number = autoKey ? RecordCodec::column(stmt, 1) : SqlValue{};
        // The row is returned before the statement ends, and outside a transaction the add is
        // committed only as it ends: a commit that fails (a full disk) fails the add.
        rc = stmt.step();
        return rc.done() ? 0 : db_.failStep(rc);
    };
    if (int code = autoKey ? db_.serialised(sql_.schema(), insert) : insert()) return code;
    recno_ = recno;
    revision_ = 1;
    watched_ = false;
    if (autoKey) {
        decl_.columns()[static_cast<size_t>(autoKey->components.back())].assign(record_, number);
    }
    return db_.succeed();
}

int DataFile::addAs(int64_t recno) {
    if (int code = requireWritable()) return code;
    cursor_.ahead.clear();
    Statement stmt = db_.statement(sql_.insertKeeping());
    if (!stmt) return db_.error().code;
    stmt.bindInteger(1, recno);
    RecordCodec::bindRecord(stmt, 2, decl_, record_, nullptr, cipher_.get());
    StepResult rc = stmt.step();
    if (!rc.row()) return db_.failStep(rc);
    rc = stmt.step();
    if (!rc.done()) return db_.failStep(rc);
    recno_ = recno;
    revision_ = 1;
    watched_ = false;
    return db_.succeed();
}

int DataFile::keptNumbers() {
    if (int code = requireWritable()) return code;
    return FileStorage::of(db_, decl_, sql_.schema(), where_)->numberPastHighest();
}

int DataFile::put() {
    if (int code = requireWritable()) return code;
    if (recno_ == 0) return db_.fail(err::kRecordNotAvailable);
    cursor_.ahead.clear();
    StepResult rc;
    int changed;
    {
        Statement stmt = db_.statement(watched_ ? updateWatchedSql_ : updateSql_);
        if (!stmt) return db_.error().code;
        int p = RecordCodec::bindRecord(stmt, 1, decl_, record_, nullptr, cipher_.get());
        stmt.bindInteger(p++, recno_);
        if (watched_) stmt.bindInteger(p, revision_);
        rc = stmt.step();
        changed = db_.changes();
    }
    if (!rc.done()) return db_.failStep(rc);
    if (changed == 0) return db_.fail(watched_ ? err::kRecordChanged : err::kRecordNotAvailable);
    ++revision_;
    return db_.succeed();
}

int DataFile::erase() {
    if (int code = requireWritable()) return code;
    if (recno_ == 0) return db_.fail(err::kRecordNotAvailable);
    cursor_.ahead.clear();
    StepResult rc;
    int changed;
    {
        Statement stmt = db_.statement(sql_.remove());
        if (!stmt) return db_.error().code;
        stmt.bindInteger(1, recno_);
        rc = stmt.step();
        changed = db_.changes();
    }
    if (!rc.done()) return db_.failStep(rc);
    if (changed == 0) return db_.fail(err::kRecordNotAvailable);
    recno_ = 0;
    watched_ = false;
    return db_.succeed();
}

int DataFile::replaceAll(int key, const SqlValue& to, int64_t* changed) {
    if (int code = requireWritable()) return code;
    if (key < 0 || key >= static_cast<int>(decl_.keys().size())) {
        return db_.fail(err::kInvalidKeyLength);
    }
    const KeyDesc& k = decl_.keys()[static_cast<size_t>(key)];
    const int column = k.components.front();
    const FieldDesc& field = decl_.columns()[static_cast<size_t>(column)];
    const SqlValue from = RecordCodec::keyValue(decl_, k, 0, record_, cipher_.get());
    field.assign(record_, to);
    const SqlValue value = field.value(record_);
    cursor_.ahead.clear();
    StepResult rc;
    int count;
    {
        Statement stmt = db_.statement(sql_.replace(k));
        if (!stmt) return db_.error().code;
        int p = 1;
        RecordCodec::bind(stmt, p++, RecordCodec::seal(decl_, column, value, cipher_.get()));
        if (decl_.needsFolded(column)) {
            RecordCodec::bind(
                stmt, p++,
                RecordCodec::seal(decl_, column, sortKey(std::get<std::string>(value)),
                                  cipher_.get()));
        }
        RecordCodec::bind(stmt, p, from);
        rc = stmt.step();
        count = db_.changes();
    }
    if (!rc.done()) return db_.failStep(rc);
    if (changed) *changed = count;
    return db_.succeed();
}

int DataFile::duplicate(int key) {
    return duplicateExcept(key, recno_);
}

int DataFile::duplicateOfNew(int key) {
    return duplicateExcept(key, 0);  // no stored record has number 0
}

int DataFile::duplicateExcept(int key, int64_t recno) {
    if (int code = requireOpen()) return code;
    for (int i = 0; i < static_cast<int>(decl_.keys().size()); ++i) {
        const auto& k = decl_.keys()[static_cast<size_t>(i)];
        if ((key >= 0 && i != key) || !k.unique) continue;
        if (k.blanksRepeat && allBlank(decl_, k, record_)) continue;
        Statement stmt =
            db_.statement("SELECT 1 FROM " + sql_.ref() + " WHERE " + whereKeyEquals(sql_, k) +
                          " AND " + TableSql::kRecno + " <> ? LIMIT 1");
        if (!stmt) return db_.error().code;
        int p = 1;
        for (const auto& v : RecordCodec::keyValues(decl_, k, record_, cipher_.get())) {
            RecordCodec::bind(stmt, p++, v);
        }
        stmt.bindInteger(p, recno);
        const StepResult rc = stmt.step();
        if (rc.row()) return db_.fail(err::kDuplicateKey);
        if (!rc.done()) return db_.failStep(rc);
    }
    return db_.succeed();
}

int DataFile::stream() {
    if (int code = requireOpen()) return code;
    if (streaming_) return db_.succeed();
    if (int code = db_.beginStream()) return code;
    streaming_ = true;
    return 0;
}

int DataFile::flush() {
    if (!streaming_) return db_.succeed();
    streaming_ = false;
    return db_.endStream();
}

int DataFile::build() {
    if (!open_) {
        // A file whose keys must be rebuilt does not open; building opens it for itself.
        if (int code = openFile(access::kExclusive, true)) return code;
        int code = build();
        ErrorGuard keep(db_.error());
        close();
        return code;
    }
    if (int code = requireWritable()) return code;
    fullBuild_ = false;
    return FileStorage::of(db_, decl_, sql_.schema(), where_)->build();
}

int DataFile::pack() {
    if (int code = requireWritable()) return code;
    if (db_.inTransaction()) return db_.fail(err::kTransactionActive);
    return FileStorage::of(db_, decl_, sql_.schema(), where_)->pack();
}

int DataFile::check(std::string* problems) {
    problems->clear();
    if (int code = requireOpen()) return code;
    return FileStorage::of(db_, decl_, sql_.schema(), where_)->check(problems);
}

std::string DataFile::send(std::string_view option) {
    auto eq = option.find('=');
    std::string_view name = option.substr(0, eq);
    std::string_view value =
        eq == std::string_view::npos ? std::string_view{} : option.substr(eq + 1);
    while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
    while (!value.empty() && value.front() == ' ') value.remove_prefix(1);
    auto on = [&] { return sameAscii(value, "on") || value == "1"; };
    db_.succeed();
    if (sameAscii(name, "QUICKSCAN")) {
        quickScan_ = on();
        if (!quickScan_) cursor_.ahead.clear();
    } else if (sameAscii(name, "RECOVER")) {
        // "Recover=n" lets the next open roll back what an interrupted transaction left;
        // "RECOVER=0" ends the release mode of the file manager.
        recover_ = !value.empty() && value != "0";
    } else if (sameAscii(name, "FULLBUILD")) {
        fullBuild_ = on();
    } else if (sameAscii(name, "IGNORESTATUS")) {
        ignoreStatus_ = on();
    } else if (sameAscii(name, "HELD")) {
        // Nothing is held between operations: every lock ends with its statement.
        return "OFF";
    } else {
        db_.fail(err::kDriverError, 0, "unknown driver option " + std::string(name));
    }
    return {};
}

int beginTransaction(Database& db, const std::vector<DataFile*>& files, int waitMs) {
    std::vector<std::string> schemas;
    for (auto* f : files) {
        if (!f->isOpen()) return db.fail(err::kFileNotOpen);
        schemas.push_back(f->sql().schema());
    }
    return db.begin(std::move(schemas), waitMs);
}

}  // namespace cdz
