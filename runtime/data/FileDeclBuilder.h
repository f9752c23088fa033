#pragma once
// Builds a FileDecl from a typed record struct: each field names its member, and the member's
// C++ type gives the stored type (Text<N> STRING(N), uint8_t BYTE, int16_t SHORT, int32_t LONG,
// Decimal<B,P> DECIMAL(B,P), std::string a memo with its maximum length).
#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeindex>
#include <utility>

#include "runtime/data/FileDecl.h"

namespace cdz {

namespace declare {

template <class T>
struct MemberOf;
template <class C, class T>
struct MemberOf<T C::*> {
    using Class = C;
    using Type = T;
};

template <class T>
struct FieldTraits;
template <int N>
struct FieldTraits<Text<N>> {
    static FieldDesc describe() { return FieldDesc{{}, {}, FieldType::String, N, {0, 0}, nullptr}; }
    static void* address(Text<N>& m) { return static_cast<void*>(static_cast<TextField*>(&m)); }
};
template <int B, int P>
struct FieldTraits<Decimal<B, P>> {
    static FieldDesc describe() {
        return FieldDesc{{}, {}, FieldType::Decimal, 2 * B - 1, {B, P}, nullptr};
    }
    static void* address(Decimal<B, P>& m) { return m.rawPtr(); }
};
template <FieldType K>
struct IntegerTraits {
    static FieldDesc describe() { return FieldDesc{{}, {}, K, 0, {0, 0}, nullptr}; }
    template <class T>
    static void* address(T& m) {
        return &m;
    }
};
template <>
struct FieldTraits<uint8_t> : IntegerTraits<FieldType::Byte> {};
template <>
struct FieldTraits<int16_t> : IntegerTraits<FieldType::Short> {};
template <>
struct FieldTraits<int32_t> : IntegerTraits<FieldType::Long> {};

}  // namespace declare

// Key attributes.
enum KeyFlag : unsigned {
    kDuplicates = 0,
    kUnique = 1,
    kPrimary = 2 | kUnique,
    kNoCase = 4,
    kAutoNumber = 8,
    // A unique key under which records whose components are all blank (empty text, zero) may
    // repeat; they keep their place in the key's order.
    kBlanksRepeat = 16,
};

template <class Rec>
class FileDeclBuilder {
public:
    FileDeclBuilder(std::string label, std::string prefix, std::string externalName,
                    int recordBytes)
        : decl_(std::move(label), std::move(prefix), std::move(externalName), recordBytes,
                std::type_index(typeid(Rec)), [](void* r) { *static_cast<Rec*>(r) = Rec{}; }) {}

    template <auto Member>
    FileDeclBuilder& field(std::string name) {
        using M = declare::MemberOf<decltype(Member)>;
        static_assert(std::is_same_v<typename M::Class, Rec>, "member of another record");
        using Traits = declare::FieldTraits<typename M::Type>;
        FieldDesc f = Traits::describe();
        f.name = std::move(name);
        f.address = [](void* r) -> void* { return Traits::address(static_cast<Rec*>(r)->*Member); };
        decl_.addColumn(std::move(f));
        return *this;
    }

    template <auto Member>
    FileDeclBuilder& memo(std::string name, int maxChars) {
        using M = declare::MemberOf<decltype(Member)>;
        static_assert(std::is_same_v<typename M::Class, Rec>, "member of another record");
        static_assert(std::is_same_v<typename M::Type, std::string>, "a memo is a std::string");
        FieldDesc f{std::move(name), {}, FieldType::Memo, maxChars, {0, 0}, nullptr};
        f.address = [](void* r) -> void* { return &(static_cast<Rec*>(r)->*Member); };
        decl_.addColumn(std::move(f));
        return *this;
    }

    // Components by bare name or label; an unknown name is a declaration fault.
    FileDeclBuilder& key(std::string name, std::initializer_list<std::string_view> components,
                         unsigned flags = kDuplicates) {
        KeyDesc k;
        k.name = std::move(name);
        for (auto c : components) {
            int i = decl_.columnIndex(c);
            if (i < 0 || i >= decl_.fieldCount()) {
                throw std::logic_error("key " + k.name + ": no field " + std::string(c));
            }
            k.components.push_back(i);
        }
        k.unique = (flags & kUnique) != 0;
        k.primary = (flags & kPrimary) == kPrimary;
        k.noCase = (flags & kNoCase) != 0;
        k.autoNumber = (flags & kAutoNumber) != 0;
        k.blanksRepeat = k.unique && !k.primary && (flags & kBlanksRepeat) != 0;
        if (k.autoNumber) {
            for (const auto& other : decl_.keys()) {
                if (other.autoNumber) throw std::logic_error("one auto-numbered key per file");
            }
            const auto& last = decl_.columns()[static_cast<size_t>(k.components.back())];
            if (last.isText()) throw std::logic_error("key " + k.name + ": auto number on text");
        }
        decl_.addKey(std::move(k));
        return *this;
    }

    // Owner-protected and stored enciphered: opening needs the owner password.
    FileDeclBuilder& encrypted() {
        decl_.setEncrypted(true);
        return *this;
    }

    FileDecl build() const { return decl_; }

private:
    FileDecl decl_;
};

}  // namespace cdz
