#include "runtime/expr/Bindings.h"

namespace cdz {

std::string Bindings::key(std::string_view name) {
    // Names are ASCII (letters, digits, '_' and ':'), so ASCII upper-casing is the whole rule.
    std::string k(name);
    for (char& c : k)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return k;
}

void Bindings::put(std::string_view name, ExprBinding binding) {
    if (binding.kind == ExprBinding::Kind::Getter ? !binding.getter : !binding.address) {
        unbind(name);
        return;
    }
    names_.insert_or_assign(key(name), std::move(binding));
}

void Bindings::bind(std::string_view name, const TextField* field) {
    put(name, {ExprBinding::Kind::Text, field, {0, 0}, {}});
}
void Bindings::bind(std::string_view name, const std::string* memo) {
    put(name, {ExprBinding::Kind::Memo, memo, {0, 0}, {}});
}
void Bindings::bind(std::string_view name, const uint8_t* value) {
    put(name, {ExprBinding::Kind::Byte, value, {0, 0}, {}});
}
void Bindings::bind(std::string_view name, const int16_t* value) {
    put(name, {ExprBinding::Kind::Short, value, {0, 0}, {}});
}
void Bindings::bind(std::string_view name, const int32_t* value) {
    put(name, {ExprBinding::Kind::Long, value, {0, 0}, {}});
}
void Bindings::bind(std::string_view name, const int64_t* value) {
    put(name, {ExprBinding::Kind::Int64, value, {0, 0}, {}});
}
void Bindings::bind(std::string_view name, const double* value) {
    put(name, {ExprBinding::Kind::Real, value, {0, 0}, {}});
}
void Bindings::bindDecimal(std::string_view name, const int64_t* raw, DecimalSpec spec) {
    put(name, {ExprBinding::Kind::Decimal, raw, spec, {}});
}
void Bindings::bindGetter(std::string_view name, std::function<ExprValue()> getter) {
    put(name, {ExprBinding::Kind::Getter, nullptr, {0, 0}, std::move(getter)});
}

void Bindings::unbind(std::string_view name) {
    names_.erase(key(name));
}

const ExprBinding* Bindings::find(std::string_view name) const {
    const auto it = names_.find(key(name));
    return it == names_.end() ? nullptr : &it->second;
}

}  // namespace cdz
