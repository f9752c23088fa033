// The command line of cdzgen: accepted forms and refused mistakes.
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bench/generator/GeneratorOptions.h"

namespace cdz::gen {
namespace {

using Mode = GeneratorOptions::Mode;

TEST(BenchOptions, AcceptedCommandLines) {
    struct Case {
        std::vector<std::string> args;
        Mode mode;
        int64_t songs;
        int32_t albums;
        int32_t categories;
        uint64_t seed;
        bool header;
        std::string out;
    };
    const Case cases[] = {
        {{}, Mode::Songs, 1000000, 0, 200, 1, false, ""},
        {{"--songs", "25", "--seed", "9", "--header", "--out", "a.csv"},
         Mode::Songs,
         25,
         0,
         200,
         9,
         true,
         "a.csv"},
        {{"--albums", "100000"}, Mode::Albums, 1000000, 100000, 200, 1, false, ""},
        {{"--songs", "50", "--albums", "7"}, Mode::Albums, 50, 7, 200, 1, false, ""},
        {{"--categories", "30"}, Mode::Categories, 1000000, 0, 30, 1, false, ""},
        {{"--category-count", "12", "--songs", "0"}, Mode::Songs, 0, 0, 12, 1, false, ""},
        {{"--media", "--header"}, Mode::Media, 1000000, 0, 200, 1, true, ""},
        {{"--seed", "18446744073709551615"},
         Mode::Songs,
         1000000,
         0,
         200,
         18446744073709551615u,
         false,
         ""},
        {{"--albums", "2147483647"}, Mode::Albums, 2147483647, 2147483647, 200, 1, false, ""},
        {{"--into", "cat", "--replace", "--songs", "40"}, Mode::Into, 40, 0, 200, 1, false, ""},
    };
    for (const Case& c : cases) {
        std::string error;
        const auto options = GeneratorOptions::parse(c.args, error);
        ASSERT_TRUE(options.has_value()) << error;
        EXPECT_EQ(options->mode, c.mode);
        EXPECT_EQ(options->shape.songs, c.songs);
        EXPECT_EQ(options->albums, c.albums);
        EXPECT_EQ(options->shape.categories, c.categories);
        EXPECT_EQ(options->shape.seed, c.seed);
        EXPECT_EQ(options->header, c.header);
        EXPECT_EQ(options->outFile, c.out);
    }
}

TEST(BenchOptions, RefusedCommandLines) {
    const std::vector<std::vector<std::string>> cases = {
        {"--songs"},
        {"--songs", "-1"},
        {"--songs", "2147483648"},
        {"--songs", "12x"},
        {"--songs", ""},
        {"--seed", "18446744073709551616"},
        {"--seed", "-3"},
        {"--albums", "3", "--media"},
        {"--categories", "3", "--albums", "2"},
        {"--out"},
        {"--out", ""},
        {"--bogus"},
        {"songs"},
        {"--into"},
        {"--into", "cat", "--media"},
        {"--into", "cat", "--out", "a.csv"},
        {"--into", "cat", "--header"},
        {"--replace"},
    };
    for (const auto& args : cases) {
        std::string error;
        EXPECT_FALSE(GeneratorOptions::parse(args, error).has_value()) << args[0];
        EXPECT_FALSE(error.empty());
    }
}

}  // namespace
}  // namespace cdz::gen
