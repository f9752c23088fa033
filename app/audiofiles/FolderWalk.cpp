#include "app/audiofiles/FolderWalk.h"

#include <algorithm>
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

}  // namespace

FolderWalk::FolderWalk(std::filesystem::path root) {
    folders_.push_back(std::move(root));
}

bool FolderWalk::isFolderPicture(const std::filesystem::path& name) {
    return pictureRank(name) >= 0;
}

void FolderWalk::list(const std::filesystem::path& folder) {
    std::error_code ec;
    std::filesystem::directory_iterator it(folder, ec), end;
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
    if (ec) unreadable_.emplace_back(folder.string(), ec.message());
    // Taken from the back: sorted last to first.
    std::sort(files_.rbegin(), files_.rend());
    std::sort(subfolders.rbegin(), subfolders.rend());
    folders_.insert(folders_.end(), subfolders.begin(), subfolders.end());
}

std::optional<WalkedFile> FolderWalk::next() {
    while (files_.empty()) {
        if (folders_.empty()) return std::nullopt;
        const std::filesystem::path folder = std::move(folders_.back());
        folders_.pop_back();
        list(folder);
    }
    WalkedFile file{std::move(files_.back()), picture_};
    files_.pop_back();
    return file;
}

}  // namespace cdz
