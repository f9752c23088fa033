#include "runtime/data/FieldLimits.h"

namespace cdz {

FieldLimits limitsOf(const FieldDesc& f) {
    switch (f.type) {
        case FieldType::Byte:
            return {0, 255, 0, {}};
        case FieldType::Short:
            return {-32768, 32767, 0, {}};
        case FieldType::Long:
            return {-2147483648LL, 2147483647LL, 0, {}};
        case FieldType::Decimal: {
            const int places = f.decimal.places;
            long long whole = 1;
            for (int i = 0; i < f.decimal.digits() - places; ++i) whole *= 10;
            --whole;
            if (places == 0) return {-whole, whole, 0, {}};
            return {-whole, whole, places,
                    std::to_string(whole) + "." + std::string(static_cast<size_t>(places), '9')};
        }
        default:
            return {};
    }
}

}  // namespace cdz
