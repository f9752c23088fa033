#pragma once
// How many rounds a kill test runs. Under the sanitizers each round costs several times as
// much, and what they look for (a bad read or write on the way) shows in the first rounds; the
// plain build runs every round.
namespace cdz::test {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kUnderSanitizers = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kUnderSanitizers = true;
#else
constexpr bool kUnderSanitizers = false;
#endif
#else
constexpr bool kUnderSanitizers = false;
#endif

constexpr int killRounds(int rounds) {
    return kUnderSanitizers && rounds > 4 ? 4 : rounds;
}

}  // namespace cdz::test
