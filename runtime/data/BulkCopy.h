#pragma once
// A whole data file's records written or read in one stream, for a copy of a catalogue: where
// the storage has such a path (StorageFeature::BulkCopy) a copy of a million records takes one
// exchange with the server instead of one for each record. Failures leave their code in the
// database's error state, as every data operation does.
#include <cstdint>

#include "runtime/data/SqlValue.h"

namespace cdz {

// Written inside the transaction over the file: the file's keys and record count are set aside
// while the rows go in and made again for all of them at the end, so nothing of it shows before
// that transaction commits. Destroyed before finish() the stream is abandoned, and the
// transaction can then only roll back.
class BulkSink {
public:
    virtual ~BulkSink() = default;
    // One record under its own number: every declared column, then every folded copy, in the
    // stored form (as RecordCodec binds them for an add).
    virtual int write(int64_t recno, const SqlValues& columns) = 0;
    // Ends the stream, makes the keys and the record count for every record the file holds,
    // and has later adds numbered past the highest.
    virtual int finish() = 0;
};

// New records added together inside a transaction that holds the file's write lock: rows are
// gathered and sent a batch at a time (one exchange, not one per record), each numbered by the
// file's own record-number counter as an add numbers it. Nothing gathered shows, not even to
// this connection, before flush(); a failed send fails the transaction, which can then only
// roll back. Destroyed before flush(), the rows not sent are dropped.
class AddSink {
public:
    virtual ~AddSink() = default;
    // One new record: every declared column, then every folded copy, in the stored form.
    virtual int write(const SqlValues& columns) = 0;
    // Sends every row gathered so far.
    virtual int flush() = 0;
};

// Rewrites of records of a file sent together (a pass's batch) where the storage has a path
// for it: each as a put of the record would write it (its revision advanced, its folded
// copies made), none guaranteed written before flush(), which fails with kRecordNotAvailable
// when one of the records is no longer there. Each record is written at most once a flush.
class PutSink {
public:
    virtual ~PutSink() = default;
    // Record `recno` with every declared column, then every folded copy, in the stored form.
    virtual int write(int64_t recno, const SqlValues& columns) = 0;
    // Writes every record gathered so far.
    virtual int flush() = 0;
};

// Every record in record-number order, as one snapshot of the file.
class BulkSource {
public:
    virtual ~BulkSource() = default;
    // The next record into `row`: its number, its revision, then every declared column as
    // stored (TableSql::selectList's order). 33 past the last record.
    virtual int read(SqlValues* row) = 0;
};

}  // namespace cdz
