#include "app/audiofiles/FolderWalk.h"

#include <algorithm>
#include <string_view>
#include <system_error>

namespace cdz {
namespace {

std::string lowered(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

// Pictures are preferred in this order.
int pictureRank(const std::filesystem::path& name) {
    static const char* const kNames[] = {"cover.jpg",  "cover.jpeg",  "cover.png",
                                         "folder.jpg", "folder.jpeg", "folder.png",
                                         "front.jpg",  "front.jpeg",  "front.png"};
    const std::string lower = lowered(name.filename().string());
    for (int i = 0; i < static_cast<int>(std::size(kNames)); ++i) {
        if (lower == kNames[i]) return i;
    }
    return -1;
}

// "Disc 2", "CD1", "disk 03": one disc of an album kept in the album's folder.
bool isDiscFolder(const std::filesystem::path& folder) {
    const std::string name = lowered(folder.filename().string());
    size_t at = 0;
    for (const char* word : {"disc", "disk", "cd"}) {
        if (name.rfind(word, 0) == 0) {
            at = std::string_view(word).size();
            break;
        }
    }
    if (at == 0) return false;
    while (at < name.size() && (name[at] == ' ' || name[at] == '_' || name[at] == '-')) ++at;
    if (at == name.size()) return false;
    for (; at < name.size(); ++at) {
        if (name[at] < '0' || name[at] > '9') return false;
    }
    return true;
}

}  // namespace

FolderWalk::FolderWalk(std::filesystem::path root) {
    folders_.push_back({std::move(root), {}});
}

bool FolderWalk::isFolderPicture(const std::filesystem::path& name) {
    return pictureRank(name) >= 0;
}

void FolderWalk::list(const Folder& folder) {
    std::error_code ec;
    std::filesystem::directory_iterator it(folder.path, ec), end;
    std::vector<std::filesystem::path> subfolders;
    int bestRank = -1;
    picture_.clear();
    for (; !ec && it != end; it.increment(ec)) {
        const std::filesystem::path& path = it->path();
        if (path.filename().string().starts_with('.')) continue;
        std::error_code typeError;
        if (it->is_directory(typeError) && !it->is_symlink(typeError)) {
            subfolders.push_back(path);
        } else if (it->is_regular_file(typeError)) {
            files_.push_back(path);
            const int rank = pictureRank(path);
            if (rank >= 0 && (bestRank < 0 || rank < bestRank)) {
                bestRank = rank;
                picture_ = path;
            }
        }
    }
    if (ec) unreadable_.emplace_back(folder.path.string(), ec.message());
    if (picture_.empty()) picture_ = folder.albumPicture;
    // Taken from the back: sorted last to first.
    std::sort(files_.rbegin(), files_.rend());
    std::sort(subfolders.rbegin(), subfolders.rend());
    for (std::filesystem::path& sub : subfolders) {
        const bool disc = isDiscFolder(sub);
        folders_.push_back({std::move(sub), disc ? picture_ : std::filesystem::path()});
    }
}

std::optional<WalkedFile> FolderWalk::next() {
    while (files_.empty()) {
        if (folders_.empty()) return std::nullopt;
        const Folder folder = std::move(folders_.back());
        folders_.pop_back();
        list(folder);
    }
    WalkedFile file{std::move(files_.back()), picture_};
    files_.pop_back();
    return file;
}

}  // namespace cdz
