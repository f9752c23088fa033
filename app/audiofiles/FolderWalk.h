#pragma once
// The files under a folder, one at a time in a fixed order (a folder's files by name, then its
// folders by name), holding only the listing of the folder being walked and the folders still
// to visit: a scan of a large collection stays small. Hidden files and folders are passed by;
// symbolic links to folders are not followed, so a loop cannot hold the walk.
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace cdz {

struct WalkedFile {
    std::filesystem::path path;
    // The folder's picture beside its files ("cover.jpg", "folder.jpg", "front.jpg", any case,
    // or .png), else its album folder's when it is one disc of the album ("Disc 2", "CD1"),
    // empty when there is none.
    std::filesystem::path folderPicture;
};

class FolderWalk {
public:
    explicit FolderWalk(std::filesystem::path root);

    // The next file; nullopt at the end.
    std::optional<WalkedFile> next();
    // Folders that could not be listed, and the system's reason.
    const std::vector<std::pair<std::string, std::string>>& unreadable() const {
        return unreadable_;
    }
    // Whether `name` is one of the pictures a folder is known by.
    static bool isFolderPicture(const std::filesystem::path& name);

private:
    struct Folder {
        std::filesystem::path path;
        std::filesystem::path albumPicture;  // of the album folder a disc's folder is in
    };

    void list(const Folder& folder);

    std::vector<Folder> folders_;               // still to list, the next at the back
    std::vector<std::filesystem::path> files_;  // of the folder listed, the next at the back
    std::filesystem::path picture_;
    std::vector<std::pair<std::string, std::string>> unreadable_;
};

}  // namespace cdz
