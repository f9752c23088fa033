#pragma once
// The records a report reads: its own handles on the report's files, with record buffers of
// its own, so that a report running beside the browses never moves what they show (and two
// reports never move each other). One view in the report's key order, filtered by the
// report's text and an optional starts-with range, joined to the files the columns name.
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "app/domain/data/Catalogue.h"
#include "app/reports/ReportDefinition.h"
#include "runtime/data/View.h"
#include "runtime/expr/Bindings.h"
#include "runtime/text/Picture.h"

namespace cdz {

class ReportRecords {
public:
    ReportRecords(Catalogue& catalogue, const ReportDefinition& definition);
    ~ReportRecords();
    ReportRecords(const ReportRecords&) = delete;
    ReportRecords& operator=(const ReportRecords&) = delete;

    // Opens the handles and sets the key order; a runtime code (0 when ready).
    int open();
    // The primary file's record count now (never negative).
    int64_t total();
    // Sets the filter text (compiled against the report's own buffers and `bindings()`), and,
    // when `startsWith` is not empty, only the records whose `field` begins with it without
    // regard to case. False with `why` when the text does not compile or the view refuses it.
    bool setFilter(std::string_view text, const std::string& field, std::string_view startsWith,
                   std::string* why);
    // Reads from the first record in order; then next(). 0, 33 at the end, or the error code.
    int first();
    int next();

    // The value of a field of the current record (any file of the view) as text; with a
    // picture, formatted through it. Empty for an unknown label.
    std::string text(std::string_view label, std::string_view picture = {}) const;
    // Names the filter may use: every field of the report's files, bound to its own buffers.
    Bindings& bindings() { return bindings_; }
    const std::string& fileName() const;

private:
    struct Handle;
    // A label's field and buffer, found once (the view's columns stay as opened, and a report
    // asks the same few labels for every record), with its picture read once and the last value
    // it formatted: songs of one album follow each other with the same date and album, and a
    // catalogue holds far fewer dates and numbers than songs, so each is formatted once.
    struct Column {
        std::string label;
        std::string pictureText;
        std::optional<Picture> picture;
        const FieldDesc* field = nullptr;
        void* record = nullptr;
        bool remembered = false;
        std::string lastStored;
        std::string lastShown;
        std::unordered_map<double, std::string> shownNumbers;  // bounded by kShownNumbers
    };
    static constexpr size_t kShownNumbers = 8192;
    Column& column(std::string_view label, std::string_view picture) const;
    std::string formatted(Column& c) const;

    Catalogue& catalogue_;
    LeanPass lean_;  // a report reads its files once, in order
    const ReportDefinition& definition_;
    std::vector<std::unique_ptr<Handle>> handles_;  // primary first, then the joins
    std::unique_ptr<View> view_;
    Bindings bindings_;
    mutable std::vector<Column> columns_;
};

}  // namespace cdz
