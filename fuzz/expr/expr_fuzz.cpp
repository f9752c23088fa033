// Any text, compiled against a record like the program's: it must compile or fail with a
// position inside the text, and evaluate without crashing, hanging or leaking.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "runtime/expr/Expression.h"
#include "runtime/text/Decimal.h"
#include "runtime/text/Text.h"

namespace {

struct Record {
    cdz::Text<40> title{"Abc Déf"};
    cdz::Text<20> media{"CD"};
    std::string notes{"some notes with x and ñ"};
    int32_t albumId = 42;
    uint8_t chart = 7;
    int64_t big = 9000000000000000000;
    double real = -2.5;
    cdz::Decimal<6, 0> category{17};
    cdz::Decimal<7, 2> price{12.34};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Record r;
    cdz::Bindings b;
    b.bind("MUS:Title", &r.title);
    b.bind("MUS:Media", &r.media);
    b.bind("MUS:Notes", &r.notes);
    b.bind("MUS:AlbumID", &r.albumId);
    b.bind("MUS:ChartNumber", &r.chart);
    b.bind("BIG", &r.big);
    b.bind("REAL", &r.real);
    b.bindDecimal("BRW1::Sort4:Reset:CAT:CategoryID", r.category.rawPtr(), r.category.spec);
    b.bindDecimal("ALB:Price", r.price.rawPtr(), r.price.spec);
    b.bindGetter("ThreadInstance", [] { return cdz::ExprValue::ofNumber(3); });
    b.bindGetter("LOC:ClassName", [] { return cdz::ExprValue::ofString("BROWSECADENZIO"); });

    cdz::Expression e;
    if (!e.compile(text, b)) {
        const cdz::ExprError& err = e.error();
        // An error always points into the text (or just past its end).
        if (err.position < 1 || static_cast<size_t>(err.position) > size + 1 || err.message.empty())
            std::abort();
        return 0;
    }
    const cdz::ExprValue first = e.evaluate();
    // Evaluating again on the same record gives the same value (no stale buffers), except
    // through TODAY(), which the clock may move.
    const cdz::ExprValue second = e.evaluate();
    if (first.kind != second.kind) std::abort();
    std::string upper(text);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    const bool clock = upper.find("TODAY") != std::string::npos;
    if (!clock && first.isString() && first.text != second.text) std::abort();
    if (!clock && !first.isString() && first.number != second.number) std::abort();
    r.title = "changed";
    r.notes.clear();
    r.albumId = -1;
    e.test();
    return 0;
}
