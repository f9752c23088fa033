#include "app/songs/csv/SongExport.h"

#include <cerrno>
#include <cstring>

namespace cdz {
namespace {

using F = CatalogueFile;

constexpr size_t kBlockBytes = size_t{1} << 20;
constexpr const char* kLineEnd = "\r\n";

std::string errnoWords(int number) {
    return "Error #" + std::to_string(number) + " - " + std::strerror(number);
}

}  // namespace

std::vector<ExportField> SongExport::allFields() {
    return {{"MUS:Artist", "@s40"},
            {"MUS:Title", "@s40"},
            {"MUS:Album", "@s40"},
            {"MUS:Media", "@s20"},
            {"MUS:FileNumber", "@s20"},
            {"MUS:ReleaseDate", "@d2"},
            {"MUS:CategoryID", "@n-13"},
            {"MUS:ChartNumber", "@n3"},
            {"MUS:TrackNumber", "@n3"},
            {"MUS:Side", "@s1"},
            {"MUS:Time", "@t4"},
            {"MUS:UserDefinedKeyField", "@s30"},
            {"MUS:AdditionalInformation1", "@s80"},
            {"MUS:AdditionalInformation2", "@s80"},
            {"MUS:AdditionalInformation3", "@s80"},
            {"MUS:BeatsPerMinute", "@n_4b"},
            {"MUS:Style", "@s30"},
            {"MUS:Recording", "@s255"},
            {"MUS:Composer", "@s80"},
            {"MUS:PerformanceNotes", "@s255"},
            {"MUS:LastPlayed", "@d17-"},
            {"MUS:Notes", "@s255"},
            {"MUS:Rating", "@s2"},
            {"CAT:Category", "@s30"}};
}

SongExport::SongExport(Catalogue& catalogue, std::vector<ExportField> fields, bool header)
    : catalogue_(catalogue),
      lean_(catalogue.database()),
      fields_(std::move(fields)),
      header_(header) {}

SongExport::~SongExport() = default;

void SongExport::fail(std::string title, std::string text) {
    state_ = ExportState::Failed;
    failureTitle_ = std::move(title);
    failureText_ = std::move(text);
}

bool SongExport::start(const std::filesystem::path& file) {
    path_ = file;
    view_ = std::make_unique<View>(catalogue_.file(F::Cadenzio));
    if (view_->addJoin(catalogue_.file(F::Categories), {{"MUS:CategoryID", "CAT:CategoryID"}}) !=
            0 ||
        view_->setOrder(SongRecord::SongsByArtist) != 0 || view_->setStart() != 0) {
        fail("Cannot READ Cadenzio", "Error #" + std::to_string(view_->database().error().code) +
                                         " - " + view_->database().error().text);
        return false;
    }
    // Pages of a few hundred rows or fewer: larger ones measured slower, their rows no longer
    // staying in the processor's caches while they are taken one by one.
    view_->setPageSize(128);
    for (const ExportField& f : fields_) {
        Column c;
        c.field = view_->column(f.label, &c.record);
        c.picture = Picture::parse(f.picture);
        if (!c.field) {
            fail("Cannot export " + f.label, "The songs have no field " + f.label + ".");
            return false;
        }
        c.kind = c.picture ? c.picture->kind() : 'S';
        columns_.push_back(std::move(c));
    }
    // The lines go to a new file beside the old one, which is replaced only when the run ends
    // as it should: a failure or a kill leaves the old file whole.
    out_ = std::make_unique<ReplacingFile>(file);
    if (const FileError error = out_->open()) {
        const std::string why = whyNotARegularFile(file);
        fail("Cannot CREATE " + file.string(), why.empty() ? errnoWords(errno) : why + ".");
        out_.reset();
        return false;
    }
    total_ = catalogue_.file(F::Cadenzio).records();
    block_.reserve(kBlockBytes + size_t{64} * 1024);
    if (header_) {
        line_.clear();
        for (const ExportField& f : fields_) line_.headerName(f.label);
        block_ += line_.line();
        block_ += kLineEnd;
    }
    state_ = ExportState::Running;
    return true;
}

void SongExport::appendSong() {
    line_.clear();
    for (const Column& c : columns_) {
        switch (c.kind) {
            case 'S':
                if (c.field->isMemo()) {
                    line_.text(c.field->memo(c.record));
                } else if (c.field->isText()) {
                    line_.text(c.field->text(c.record).view());
                } else {
                    line_.text(c.field->toString(c.record));
                }
                break;
            case 'N':
                if (c.field->isText()) {
                    line_.number(c.field->toString(c.record));
                } else {
                    line_.number(std::to_string(c.field->integer(c.record)));
                }
                break;
            default:
                // A date or time held in a text is formatted from the number the text holds.
                if (c.field->isMemo()) {
                    line_.formatted(c.picture->format(c.field->memo(c.record)));
                } else if (c.field->isText()) {
                    line_.formatted(c.picture->format(c.field->text(c.record).view()));
                } else {
                    line_.formatted(
                        c.picture->format(static_cast<double>(c.field->integer(c.record))));
                }
        }
    }
    block_ += line_.line();
    block_ += kLineEnd;
}

bool SongExport::flush() {
    size_t done = 0;
    while (done < block_.size()) {
        const ssize_t n = ::write(out_->descriptor(), block_.data() + done, block_.size() - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        const int number = n < 0 ? errno : ENOSPC;
        const std::string title = "Cannot ADD to " + path_.string();
        if (ask_ && ask_(title, errnoWords(number))) continue;
        block_.erase(0, done);
        state_ = ExportState::Abandoned;
        failureTitle_ = title;
        failureText_ = errnoWords(number);
        return false;
    }
    block_.clear();
    written_ += pending_;
    pending_ = 0;
    return true;
}

bool SongExport::step(int songs) {
    if (state_ != ExportState::Running) return false;
    for (int i = 0; i < songs; ++i) {
        const int code = view_->next();
        if (code == err::kRecordNotAvailable) {
            state_ = ExportState::Completed;
            break;
        }
        if (code != 0) {
            const ErrorState& e = view_->database().error();
            fail("Cannot READ Cadenzio", "Error #" + std::to_string(e.code) + " - " + e.text);
            break;
        }
        appendSong();
        ++pending_;
        ++read_;
        // A block goes out as soon as it is full, however many songs a step was asked for.
        if (block_.size() >= kBlockBytes && !flush()) break;
    }
    if ((block_.size() >= kBlockBytes || state_ != ExportState::Running) &&
        state_ != ExportState::Abandoned)
        flush();
    return state_ == ExportState::Running;
}

void SongExport::cancel() {
    if (state_ == ExportState::Running) state_ = ExportState::Cancelled;
}

bool SongExport::finish() {
    bool ok = state_ != ExportState::Abandoned && state_ != ExportState::Failed;
    if (!out_) return ok;
    if (ok) ok = flush();
    if (ok) {
        if (const FileError error = out_->commit()) {
            fail("Cannot CLOSE " + path_.string(), error.cause);
            ok = false;
        } else {
            replaced_ = true;
        }
    }
    out_.reset();
    return ok;
}

int SongExport::percent() const {
    if (total_ <= 0) return 100;
    const int64_t p = read_ * 100 / total_;
    return static_cast<int>(p > 100 ? 100 : p);
}

}  // namespace cdz
