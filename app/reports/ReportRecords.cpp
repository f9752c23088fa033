#include "app/reports/ReportRecords.h"

#include <typeindex>
#include <vector>

#include "runtime/data/ErrorGuard.h"
#include "runtime/data/RecordBindings.h"
#include "runtime/data/ViewFilter.h"
#include "runtime/text/NumberText.h"
#include "runtime/text/Picture.h"
#include "runtime/text/SortKey.h"
#include "runtime/text/Text.h"
#include "runtime/text/Unicode.h"

namespace cdz {

// One file of the report, read through a handle of its own into a buffer of its own.
struct ReportRecords::Handle {
    CatalogueFile file;
    std::shared_ptr<void> buffer;
    std::unique_ptr<DataFile> data;
    bool opened = false;

    template <class Rec>
    static std::unique_ptr<Handle> make(Catalogue& catalogue, CatalogueFile f) {
        auto h = std::make_unique<Handle>();
        h->file = f;
        auto record = std::make_shared<Rec>();
        h->buffer = record;
        h->data = std::make_unique<DataFile>(catalogue.database(), declarationOf(f), *record);
        h->data->setName(catalogue.file(f).name());
        return h;
    }

    static std::unique_ptr<Handle> of(Catalogue& catalogue, CatalogueFile f) {
        using F = CatalogueFile;
        switch (f) {
            case F::Album:
                return make<AlbumRecord>(catalogue, f);
            case F::Categories:
                return make<CategoryRecord>(catalogue, f);
            case F::Media:
                return make<MediaRecord>(catalogue, f);
            case F::Cadenzio:
                return make<SongRecord>(catalogue, f);
            case F::PlaylistDetails:
                return make<PlaylistDetailRecord>(catalogue, f);
            case F::PlaylistMaster:
                return make<PlaylistMasterRecord>(catalogue, f);
            case F::Labels:
                return make<LabelRecord>(catalogue, f);
            default:
                return nullptr;
        }
    }
};

ReportRecords::ReportRecords(Catalogue& catalogue, const ReportDefinition& definition)
    : catalogue_(catalogue), lean_(catalogue.database()), definition_(definition) {}

ReportRecords::~ReportRecords() {
    view_.reset();
    ErrorGuard keep(catalogue_.database().error());
    for (auto& h : handles_)
        if (h->opened) h->data->close();
}

int ReportRecords::open() {
    Database& db = catalogue_.database();
    std::vector<CatalogueFile> files{definition_.file};
    for (const ReportJoin& j : definition_.joins) files.push_back(j.file);
    for (CatalogueFile f : files) {
        auto h = Handle::of(catalogue_, f);
        if (!h) return db.fail(err::kInvalidKeyLength, 0, "a report cannot read this file");
        if (int code = h->data->open()) return code;
        h->opened = true;
        RecordBindings::bind(bindings_, h->data->decl(), h->data->record());
        handles_.push_back(std::move(h));
    }
    view_ = std::make_unique<View>(*handles_.front()->data);
    for (size_t i = 0; i < definition_.joins.size(); ++i)
        if (int code = view_->addJoin(*handles_[i + 1]->data, definition_.joins[i].on)) return code;
    const int key = handles_.front()->data->keyIndex(definition_.orderKey);
    if (key < 0) return db.fail(err::kInvalidKeyLength, 0, "no key " + definition_.orderKey);
    columns_.clear();  // found again in the view as joined
    // Reports read on and on: large pages cost fewer queries.
    view_->setPageSize(256);
    return view_->setOrder(key);
}

int64_t ReportRecords::total() {
    if (handles_.empty()) return 0;
    const int64_t n = handles_.front()->data->records();
    return n < 0 ? 0 : n;
}

bool ReportRecords::setFilter(std::string_view text, const std::string& field,
                              std::string_view startsWith, std::string* why) {
    SqlFilter range;
    // A text field's beginning is a range of its folded copy; a number's (a chart position)
    // is tested on each record as printed.
    const FieldDesc* column = view_->column(field);
    if (!clip(startsWith).empty() && column && column->isText()) {
        // Every text whose folded form begins with the folded start sorts from the start up to
        // the start with its last byte raised (no byte of UTF-8 text is 0xFF). A key's stored
        // copy begins with the base letters instead, so a start with accents takes both ranges.
        const std::string folded = foldCase(clip(startsWith));
        std::vector<std::string> starts{folded};
        if (const std::string base = sortPrefix(folded); !base.empty() && base != folded)
            starts.push_back(base);
        for (const std::string& low : starts) {
            std::string high = low;
            high.back() = static_cast<char>(static_cast<unsigned char>(high.back()) + 1);
            if (!range.where.empty()) range.where += " OR ";
            range.where += "({~" + field + "} >= ? AND {~" + field + "} < ?)";
            range.params.push_back(low);
            range.params.push_back(std::move(high));
        }
        range.where = "(" + range.where + ")";
    }
    ViewFilter filter;
    if (filter.apply(*view_, text, bindings_, range)) return true;
    if (why) *why = filter.error().message;
    return false;
}

int ReportRecords::first() {
    if (int code = view_->setStart()) return code;
    return view_->next();
}

int ReportRecords::next() {
    return view_->next();
}

ReportRecords::Column& ReportRecords::column(std::string_view label,
                                             std::string_view picture) const {
    for (Column& known : columns_)
        if (known.label == label && known.pictureText == picture) return known;
    Column found;
    found.label = label;
    found.pictureText = picture;
    if (!picture.empty()) found.picture = Picture::parse(picture);
    if (view_) found.field = view_->column(label, &found.record);
    columns_.push_back(std::move(found));
    return columns_.back();
}

std::string ReportRecords::formatted(Column& c) const {
    if (c.field->isText()) {
        std::string stored = c.field->toString(c.record);
        if (!c.remembered || stored != c.lastStored) {
            c.lastShown = c.picture ? c.picture->format(stored) : stored;
            c.lastStored = std::move(stored);
        }
    } else {
        const SqlValue v = c.field->value(c.record);
        double number = 0;
        if (const auto* real = std::get_if<double>(&v))
            number = *real;
        else if (const auto* whole = std::get_if<int64_t>(&v))
            number = static_cast<double>(*whole);
        else
            return {};
        if (const auto known = c.shownNumbers.find(number); known != c.shownNumbers.end()) {
            return known->second;
        }
        const auto plain = c.picture ? std::nullopt : NumberText::fromDouble(number);
        std::string shown = c.picture ? c.picture->format(number) : plain ? plain->plain() : "";
        if (c.shownNumbers.size() >= kShownNumbers) c.shownNumbers.clear();
        c.shownNumbers.emplace(number, shown);
        return shown;
    }
    c.remembered = true;
    return c.lastShown;
}

std::string ReportRecords::text(std::string_view label, std::string_view picture) const {
    Column& c = column(label, picture);
    if (!c.field) return {};
    if (picture.empty()) return c.field->toString(c.record);
    return formatted(c);
}

const std::string& ReportRecords::fileName() const {
    return handles_.empty() ? definition_.procedure : handles_.front()->data->name();
}

}  // namespace cdz
