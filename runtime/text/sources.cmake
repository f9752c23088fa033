target_sources(cdzrt PRIVATE
    text/Text.h text/Text.cpp
    text/Unicode.h text/Unicode.cpp
    text/DateTime.h text/DateTime.cpp
    text/Decimal.h text/Decimal.cpp
    text/NumberText.h text/NumberText.cpp
    text/TextPicture.h text/TextPicture.cpp
    text/NumberPicture.h text/NumberPicture.cpp
    text/DateReader.h text/DateReader.cpp
    text/DatePicture.h text/DatePicture.cpp
    text/TimePicture.h text/TimePicture.cpp
    text/Picture.h text/Picture.cpp
)
