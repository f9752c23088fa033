#pragma once
// One page as bytes and back: the record format of the page spool, a plain binary copy of the
// items read back by the program that wrote it. Decoding refuses bytes it does not fully
// understand rather than drawing a half page.
#include <QByteArray>
#include <optional>

#include "runtime/report/PageItems.h"

namespace cdz {

class PageCodec {
public:
    static QByteArray encode(const Page& page);
    static std::optional<Page> decode(const QByteArray& bytes);
    // The paper size leads every encoded page, so it can be read without the items.
    static constexpr int kSizeBytes = 8;
    static std::optional<Page> decodeSize(const QByteArray& firstBytes);
};

}  // namespace cdz
