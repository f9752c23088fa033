#pragma once
// The names an expression may use, each tied to where its value lives: a record field, a memo,
// a variable, or a getter. The owner registers them once; a compiled expression keeps the
// pointers and reads them on every evaluation, so it sees the record buffer as it is then.
// Names ignore case ("mus:title" is "MUS:Title"). Registering a name again replaces it; that
// does not change expressions compiled before.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "runtime/expr/ExprValue.h"
#include "runtime/text/Decimal.h"
#include "runtime/text/Text.h"

namespace cdz {

struct ExprBinding {
    enum class Kind : uint8_t { Text, Memo, Byte, Short, Long, Int64, Real, Decimal, Getter };

    Kind kind = Kind::Long;
    const void* address = nullptr;
    DecimalSpec decimal{0, 0};
    std::function<ExprValue()> getter;
};

class Bindings {
public:
    // A null address removes the name.
    void bind(std::string_view name, const TextField* field);
    void bind(std::string_view name, const std::string* memo);
    void bind(std::string_view name, const uint8_t* value);
    void bind(std::string_view name, const int16_t* value);
    void bind(std::string_view name, const int32_t* value);
    void bind(std::string_view name, const int64_t* value);
    void bind(std::string_view name, const double* value);
    // DECIMAL(b,p) held as its scaled integer (Decimal<B,P>::rawPtr()).
    void bindDecimal(std::string_view name, const int64_t* raw, DecimalSpec spec);
    // For values that live nowhere addressable; called once per use per evaluation.
    void bindGetter(std::string_view name, std::function<ExprValue()> getter);
    void unbind(std::string_view name);

    // nullptr when the name is not bound.
    const ExprBinding* find(std::string_view name) const;
    size_t size() const { return names_.size(); }

private:
    void put(std::string_view name, ExprBinding binding);
    static std::string key(std::string_view name);

    std::unordered_map<std::string, ExprBinding> names_;
};

}  // namespace cdz
