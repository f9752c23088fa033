// A filter runs once per record over whole files: once its buffers have grown, evaluating it
// must not allocate. Counted by replacing operator new for this test program.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "TestCatalogue.h"
#include "runtime/expr/Expression.h"

namespace {

// The count has to live outside any object: operator new has no other place to find it.
std::atomic<long>& allocationCount() {
    static std::atomic<long> count{0};
    return count;
}

}  // namespace

void* operator new(std::size_t size) {
    allocationCount().fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace cdz {
namespace {

TEST(ExprAllocation, WarmFilterAllocatesNothing) {
    test::TestCatalogue cat;
    Expression e;
    ASSERT_TRUE(
        e.compile("(UPPER(MUS:Media) = UPPER(BRW1::Sort3:Reset:MED:Media)) AND "
                  "(INSTRING('BEAT',UPPER(ALB:Artist),1,1) OR "
                  "UPPER(SUB(MUS:Title,1,3)) = 'ABC' OR NOT INSTRING('x',MUS:Notes,1,1)"
                  " OR MUS:Rating = 5 OR LOWER(CLIP(MUS:Artist)) & '!' = 'x!' OR "
                  "MUS:CategoryID = BRW1::Sort4:Reset:CAT:CategoryID)",
                  cat.bindings()));
    const char* titles[] = {"abcdefghijklmnopqrstuvwxyz abcdefghijklmn", "ab", "Abc", ""};
    const char* artists[] = {"The Beatles and a very long band name ...", "ABBA", "x"};
    cat.rangeMedia = "Compact Disc Digital";
    cat.musNotes.reserve(3000);

    // Warm up with the longest values and a record that fails every OR branch, so that every
    // node runs and every buffer reaches its final size.
    cat.musTitle = std::string(40, 'z');
    cat.musArtist = std::string(40, 'z');
    cat.albArtist = std::string(40, 'z');
    cat.musMedia = "compact disc digital";
    cat.musNotes.assign(2000, 'x');
    cat.musCategoryId = 1;
    EXPECT_FALSE(e.test());

    long allocations = 0;
    int passed = 0;
    for (int i = 0; i < 1000; ++i) {
        cat.musTitle = titles[i % 4];
        cat.musArtist = artists[i % 3];
        cat.albArtist = artists[(i + 1) % 3];
        cat.musMedia = i % 2 ? "compact disc digital" : "LP";
        cat.musNotes.assign(static_cast<size_t>(i % 2000), i % 7 ? 'n' : 'x');
        cat.musCategoryId = i % 5;
        const long before = allocationCount().load();
        passed += e.test() ? 1 : 0;
        allocations += allocationCount().load() - before;
    }
    EXPECT_EQ(allocations, 0);
    EXPECT_GT(passed, 0);
    EXPECT_LT(passed, 1000);

    // The count does see allocations: accented text goes through the full Unicode mapping.
    cat.musMedia = "ÉÀÜ compact disc";
    const long before = allocationCount().load();
    e.test();
    EXPECT_GT(allocationCount().load(), before);
}

}  // namespace
}  // namespace cdz
