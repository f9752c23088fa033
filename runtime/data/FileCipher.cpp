#include "runtime/data/FileCipher.h"

#include <sodium.h>

#include <vector>

namespace cdz {
namespace {

constexpr std::string_view kProofText = "cdz owner proof";

bool sodiumReady() {
    // sodium_init is safe to call again and from several threads; it answers 1 when already
    // done.
    return sodium_init() >= 0;
}

std::string toBase64(const unsigned char* data, size_t n) {
    std::string out(sodium_base64_encoded_len(n, sodium_base64_VARIANT_ORIGINAL), '\0');
    sodium_bin2base64(out.data(), out.size(), data, n, sodium_base64_VARIANT_ORIGINAL);
    out.resize(out.size() - 1);  // the terminating NUL
    return out;
}

std::optional<std::vector<unsigned char>> fromBase64(std::string_view text) {
    std::vector<unsigned char> out(text.size() / 4 * 3 + 3);
    size_t n = 0;
    const char* end = nullptr;
    if (sodium_base642bin(out.data(), out.size(), text.data(), text.size(), nullptr, &n, &end,
                          sodium_base64_VARIANT_ORIGINAL) != 0 ||
        end != text.data() + text.size()) {
        return std::nullopt;
    }
    out.resize(n);
    return out;
}

const unsigned char* bytes(std::string_view s) {
    return reinterpret_cast<const unsigned char*>(s.data());
}

}  // namespace

std::string FileCipher::newSalt() {
    if (!sodiumReady()) return {};
    std::array<unsigned char, crypto_pwhash_SALTBYTES> salt{};
    randombytes_buf(salt.data(), salt.size());
    return toBase64(salt.data(), salt.size());
}

std::unique_ptr<FileCipher> FileCipher::derive(std::string_view password, std::string_view salt) {
    if (!sodiumReady()) return nullptr;
    auto raw = fromBase64(salt);
    if (!raw || raw->size() != crypto_pwhash_SALTBYTES) return nullptr;
    std::array<unsigned char, 64> master{};
    // The interactive limits: the password is short and fixed, so the derivation guards
    // against nothing a slower one would; it only has to be an honest key schedule.
    if (crypto_pwhash(master.data(), master.size(), password.data(), password.size(), raw->data(),
                      crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE,
                      crypto_pwhash_ALG_ARGON2ID13) != 0) {
        return nullptr;
    }
    std::unique_ptr<FileCipher> c(new FileCipher);
    c->salt_ = std::string(salt);
    std::copy(master.begin(), master.begin() + 32, c->key_.begin());
    std::copy(master.begin() + 32, master.end(), c->nonceKey_.begin());
    sodium_memzero(master.data(), master.size());
    return c;
}

FileCipher::~FileCipher() {
    sodium_memzero(key_.data(), key_.size());
    sodium_memzero(nonceKey_.data(), nonceKey_.size());
}

std::string FileCipher::proof() const {
    return seal(kProofText, false);
}

bool FileCipher::verify(std::string_view proof) const {
    auto text = open(proof);
    return text && *text == kProofText;
}

std::string FileCipher::seal(std::string_view plain, bool deterministic) const {
    if (plain.empty()) return {};
    std::vector<unsigned char> out(crypto_secretbox_NONCEBYTES + crypto_secretbox_MACBYTES +
                                   plain.size());
    unsigned char* nonce = out.data();
    if (deterministic) {
        crypto_generichash(nonce, crypto_secretbox_NONCEBYTES, bytes(plain), plain.size(),
                           nonceKey_.data(), nonceKey_.size());
    } else {
        randombytes_buf(nonce, crypto_secretbox_NONCEBYTES);
    }
    crypto_secretbox_easy(out.data() + crypto_secretbox_NONCEBYTES, bytes(plain), plain.size(),
                          nonce, key_.data());
    return toBase64(out.data(), out.size());
}

std::optional<std::string> FileCipher::open(std::string_view sealed) const {
    if (sealed.empty()) return std::string();
    auto raw = fromBase64(sealed);
    constexpr size_t kOverhead = crypto_secretbox_NONCEBYTES + crypto_secretbox_MACBYTES;
    if (!raw || raw->size() <= kOverhead) return std::nullopt;
    std::string plain(raw->size() - kOverhead, '\0');
    if (crypto_secretbox_open_easy(reinterpret_cast<unsigned char*>(plain.data()),
                                   raw->data() + crypto_secretbox_NONCEBYTES,
                                   raw->size() - crypto_secretbox_NONCEBYTES, raw->data(),
                                   key_.data()) != 0) {
        return std::nullopt;
    }
    return plain;
}

}  // namespace cdz
