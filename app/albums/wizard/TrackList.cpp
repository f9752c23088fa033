#include "app/albums/wizard/TrackList.h"

#include <algorithm>

#include "app/albums/wizard/WizardTransaction.h"
#include "app/engine/state/AppState.h"

namespace cdz {

namespace {

using F = CatalogueFile;
constexpr int kAddTries = 3;

void fill(AddWizardRecord& aw, const WizardTrack& t) {
    aw.Track = static_cast<double>(t.track);
    aw.Artist = t.artist;
    aw.Title = t.title;
    aw.Time = t.time;
}

}  // namespace

TrackList::TrackList(AppState& state, int tag) : state_(state), tag_(tag) {}

int TrackList::readInto(std::vector<WizardTrack>& out) const {
    Catalogue& cat = state_.catalogue();
    DataFile& work = cat.file(F::AddWizard);
    const AddWizardRecord& aw = cat.addWizard();
    out.clear();
    work.clearBuffer();
    cat.addWizard().Instance = static_cast<double>(tag_);
    if (const int c = work.setAt(AddWizardRecord::KeyInstance)) return c;
    int code = 0;
    while ((code = work.next()) == 0) {
        if (aw.Instance.toInt() != tag_ || !aw.Side.empty()) break;
        out.push_back({work.recordNumber(), static_cast<int>(aw.Track.toInt()), aw.Artist.str(),
                       aw.Title.str(), aw.Time});
    }
    return code == err::kRecordNotAvailable || code == 0 ? 0 : code;
}

std::vector<WizardTrack> TrackList::read() const {
    std::vector<WizardTrack> out;
    const FileUse use(state_.catalogue(), {F::AddWizard});
    if (!use.ok() || readInto(out) != 0) out.clear();
    return out;
}

int TrackList::add(WizardTrack& track) const {
    Catalogue& cat = state_.catalogue();
    DataFile& work = cat.file(F::AddWizard);
    int code = 0;
    for (int attempt = 0; attempt < kAddTries; ++attempt) {
        code = inWizardTransaction(cat, {F::AddWizard}, [&]() -> int {
            std::vector<WizardTrack> tracks;
            if (const int c = readInto(tracks)) return c;
            WizardTrack next = track;
            next.track = tracks.empty() ? 1 : tracks.back().track + 1;
            work.clearBuffer();
            cat.addWizard().Instance = static_cast<double>(tag_);
            fill(cat.addWizard(), next);
            if (const int c = work.add()) return c;
            track.track = next.track;
            track.recno = work.recordNumber();
            return 0;
        });
        if (code != err::kDuplicateKey) break;
    }
    return code;
}

int TrackList::change(const WizardTrack& track) const {
    Catalogue& cat = state_.catalogue();
    DataFile& work = cat.file(F::AddWizard);
    return inWizardTransaction(cat, {F::AddWizard}, [&]() -> int {
        if (const int c = work.getRecord(track.recno)) return c;
        if (cat.addWizard().Instance.toInt() != tag_) return err::kRecordNotFound;
        fill(cat.addWizard(), track);
        return work.put();
    });
}

int TrackList::remove(int64_t recno) const {
    Catalogue& cat = state_.catalogue();
    DataFile& work = cat.file(F::AddWizard);
    return inWizardTransaction(cat, {F::AddWizard}, [&]() -> int {
        if (const int c = work.getRecord(recno)) return c;
        if (cat.addWizard().Instance.toInt() != tag_) return err::kRecordNotFound;
        return work.erase();
    });
}

int TrackList::move(int index, Move how, int* moved, std::string* section) const {
    Catalogue& cat = state_.catalogue();
    DataFile& work = cat.file(F::AddWizard);
    int landed = index;
    const char* step = "Test Range";
    const int code = inWizardTransaction(cat, {F::AddWizard}, [&]() -> int {
        std::vector<WizardTrack> tracks;
        if (const int c = readInto(tracks)) return c;
        const int last = static_cast<int>(tracks.size()) - 1;
        if (index < 0 || index > last) return 0;
        const bool towardsStart = how == Move::Up || how == Move::Top;
        if ((towardsStart && index == 0) || (!towardsStart && index == last)) return 0;
        std::vector<WizardTrack> order = tracks;
        const auto at = order.begin() + index;
        switch (how) {
            case Move::Up:
                std::iter_swap(at, at - 1);
                landed = index - 1;
                break;
            case Move::Down:
                std::iter_swap(at, at + 1);
                landed = index + 1;
                break;
            case Move::Top:
                std::rotate(order.begin(), at, at + 1);
                landed = 0;
                break;
            case Move::Bottom:
                std::rotate(at, at + 1, order.end());
                landed = last;
                break;
        }
        // Each slot keeps its number and record; only the contents travel.
        for (size_t i = 0; i < tracks.size(); ++i) {
            if (order[i].recno == tracks[i].recno) continue;
            step = "Get Orig";
            if (const int c = work.getRecord(tracks[i].recno)) return c;
            WizardTrack content = order[i];
            content.track = tracks[i].track;
            fill(cat.addWizard(), content);
            step = "Put Swap";
            if (const int c = work.put()) return c;
        }
        return 0;
    });
    if (moved) *moved = code == 0 ? landed : index;
    if (section) *section = code == 0 ? std::string() : std::string(step);
    return code;
}

int TrackList::retitle(const std::vector<std::string>& titles, int& trackCount) const {
    Catalogue& cat = state_.catalogue();
    DataFile& work = cat.file(F::AddWizard);
    return inWizardTransaction(cat, {F::AddWizard}, [&]() -> int {
        std::vector<WizardTrack> tracks;
        if (const int c = readInto(tracks)) return c;
        trackCount = static_cast<int>(tracks.size());
        for (size_t i = 0; i < tracks.size() && i < titles.size(); ++i) {
            if (const int c = work.getRecord(tracks[i].recno)) return c;
            cat.addWizard().Title = titles[i];
            if (const int c = work.put()) return c;
        }
        return 0;
    });
}

int TrackList::name(const std::vector<WizardTrack>& named) const {
    Catalogue& cat = state_.catalogue();
    DataFile& work = cat.file(F::AddWizard);
    return inWizardTransaction(cat, {F::AddWizard}, [&]() -> int {
        std::vector<WizardTrack> tracks;
        if (const int c = readInto(tracks)) return c;
        int number = tracks.empty() ? 0 : tracks.back().track;
        for (size_t i = 0; i < named.size(); ++i) {
            WizardTrack next = named[i];
            if (i < tracks.size()) {
                next.recno = tracks[i].recno;
                next.track = tracks[i].track;
                if (tracks[i].time != 0) next.time = tracks[i].time;
                if (const int c = work.getRecord(next.recno)) return c;
                fill(cat.addWizard(), next);
                if (const int c = work.put()) return c;
            } else {
                next.track = ++number;
                work.clearBuffer();
                cat.addWizard().Instance = static_cast<double>(tag_);
                fill(cat.addWizard(), next);
                if (const int c = work.add()) return c;
            }
        }
        return 0;
    });
}

}  // namespace cdz
