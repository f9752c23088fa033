target_sources(cdzrt PRIVATE
    text/Text.h text/Text.cpp
    text/Unicode.h text/Unicode.cpp
)
