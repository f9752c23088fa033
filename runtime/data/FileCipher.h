#pragma once
// The cipher of an owner-protected file: every text and memo is stored sealed
// (XSalsa20-Poly1305 secretbox) under a key derived from the owner password with Argon2id and
// a random salt kept in the file. A wrong key is detected by a sealed proof text, and a value
// changed behind the program's back fails to open. Sealed values are base64 text, so the file
// stays an ordinary database that any reader opens but none can read.
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace cdz {

class FileCipher {
public:
    // A new random salt (base64) for a file being created.
    static std::string newSalt();
    // The cipher of `password` under `salt` (as newSalt gives it); nullptr when the salt is not
    // one of ours or the key cannot be derived (the library does not start, or memory runs out).
    static std::unique_ptr<FileCipher> derive(std::string_view password, std::string_view salt);

    ~FileCipher();
    FileCipher(const FileCipher&) = delete;
    FileCipher& operator=(const FileCipher&) = delete;

    const std::string& salt() const { return salt_; }
    // A sealed known text stored with the salt; verify() tells whether it opens to that text,
    // i.e. whether the password was the file's.
    std::string proof() const;
    bool verify(std::string_view proof) const;

    // The empty text stays empty, so a blank is still recognised as blank. A deterministic seal
    // gives equal texts equal sealed values (its nonce is a keyed hash of the text): what key
    // columns need to be compared and looked up; everything else gets a random nonce.
    std::string seal(std::string_view plain, bool deterministic) const;
    // nullopt when the value was not sealed under this key or was altered.
    std::optional<std::string> open(std::string_view sealed) const;

private:
    FileCipher() = default;

    std::string salt_;
    std::array<unsigned char, 32> key_{};
    std::array<unsigned char, 32> nonceKey_{};
};

}  // namespace cdz
