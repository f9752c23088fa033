target_sources(cdzrt PRIVATE
    text/Text.h text/Text.cpp
    text/Unicode.h text/Unicode.cpp
    text/Decimal.h text/Decimal.cpp
    text/DateTime.h text/DateTime.cpp
)
