#include "bench/generator/NameMaker.h"

#include <string_view>

#include "bench/generator/CatalogueRecords.h"
#include "bench/generator/TextCut.h"
#include "bench/generator/WordLists.h"

namespace cdz::gen {

namespace {

std::string_view pick(Rng& rng, words::List list) {
    return list[rng.below(list.size())];
}

void appendWords(std::string& out, Rng& rng, words::List list, int count) {
    for (int i = 0; i < count; ++i) {
        if (!out.empty() && out.back() != ' ') out += ' ';
        out += pick(rng, list);
    }
}

// Which script a name or title is written in; shares per thousand.
enum class Script { Ascii, Latin, Cyrillic, Greek, Cjk };

Script pickScript(Rng& rng, unsigned latin, unsigned cyrillic, unsigned greek, unsigned cjk) {
    unsigned r = static_cast<unsigned>(rng.below(1000));
    if (r < latin) return Script::Latin;
    r -= latin;
    if (r < cyrillic) return Script::Cyrillic;
    r -= cyrillic;
    if (r < greek) return Script::Greek;
    r -= greek;
    if (r < cjk) return Script::Cjk;
    return Script::Ascii;
}

words::List wordsOf(Script script) {
    switch (script) {
        case Script::Latin:
            return words::latinTitleWords();
        case Script::Cyrillic:
            return words::cyrillicWords();
        case Script::Greek:
            return words::greekWords();
        case Script::Cjk:
            return words::cjkWords();
        case Script::Ascii:
            break;
    }
    return words::titleWords();
}

std::string classicalTitle(Rng& rng) {
    // Deliberately long: most of these are cut at the title's width.
    std::string out(pick(rng, words::classicalForms()));
    out += " No. " + std::to_string(rng.range(1, 12)) + " in ";
    out += pick(rng, words::musicalKeys());
    out += ", Op. " + std::to_string(rng.range(1, 130)) + ": ";
    static constexpr std::string_view kMovements[] = {"I. Allegro", "II. Andante", "III. Scherzo",
                                                      "IV. Finale. Presto"};
    out += kMovements[rng.below(4)];
    return out;
}

}  // namespace

std::string NameMaker::personName(Rng& rng) {
    std::string out;
    switch (pickScript(rng, 90, 30, 20, 30)) {
        case Script::Latin:
            out = pick(rng, rng.chance(500) ? words::latinFirstNames() : words::firstNames());
            out += ' ';
            out += pick(rng, words::latinSurnames());
            break;
        case Script::Cyrillic:
            out = pick(rng, words::cyrillicFirstNames());
            out += ' ';
            out += pick(rng, words::cyrillicSurnames());
            break;
        case Script::Greek:
            out = pick(rng, words::greekFirstNames());
            out += ' ';
            out += pick(rng, words::greekSurnames());
            break;
        case Script::Cjk: {
            // Family name first, as these names are written; Korean with a space.
            const auto language = rng.below(3);
            if (language == 0) {
                out = pick(rng, words::chineseFamilyNames());
                out += pick(rng, words::chineseGivenNames());
            } else if (language == 1) {
                out = pick(rng, words::japaneseFamilyNames());
                if (rng.chance(300)) out += ' ';
                out += pick(rng, words::japaneseGivenNames());
            } else {
                out = pick(rng, words::koreanFamilyNames());
                out += ' ';
                out += pick(rng, words::koreanGivenNames());
            }
            break;
        }
        case Script::Ascii:
            out = pick(rng, words::firstNames());
            out += ' ';
            if (rng.chance(200)) {
                out += static_cast<char>('A' + rng.below(26));
                out += ". ";
            }
            out += pick(rng, words::surnames());
            break;
    }
    return out;
}

std::string NameMaker::artistName(Rng& rng) {
    const auto kind = rng.below(100);
    std::string out;
    if (kind < 45) {
        out = personName(rng);
    } else if (kind < 60) {
        out = "The ";
        out += pick(rng, words::bandAdjectives());
        out += ' ';
        out += pick(rng, words::bandNouns());
    } else if (kind < 68) {
        out = pick(rng, rng.chance(500) ? words::bandAdjectives() : words::titleWords());
        out += ' ';
        out += pick(rng, words::titleWords());
    } else if (kind < 73) {
        out = pick(rng, words::titleWords());
        out += ' ';
        out += pick(rng, words::bandNouns());
    } else if (kind < 80) {
        out = personName(rng);
        out += rng.chance(500) ? " & The " : " and the ";
        out += pick(rng, words::bandNouns());
    } else if (kind < 84) {
        out = pick(rng, rng.chance(300) ? words::latinSurnames() : words::surnames());
        out += ' ';
        out += pick(rng, words::ensembles());
    } else if (kind < 87) {
        out = pick(rng, rng.chance(300) ? words::latinFirstNames() : words::firstNames());
    } else if (kind < 91) {
        out = pick(rng, words::surnames());
        out += ", ";
        out += pick(rng, words::firstNames());
    } else if (kind < 94) {
        out = personName(rng);
        out += " & ";
        out += personName(rng);
    } else {
        // Bands named in their own script.
        const Script script = pickScript(rng, 400, 250, 150, 200);
        appendWords(out, rng, wordsOf(script), static_cast<int>(rng.range(1, 2)));
    }
    return cutToChars(out, width::kArtist);
}

std::string NameMaker::songTitle(Rng& rng) {
    const auto kind = rng.below(1000);
    std::string out;
    if (kind < 30) {
        out = classicalTitle(rng);
    } else if (kind < 40) {
        // Long titles that overflow the field.
        appendWords(out, rng, words::titleWords(), static_cast<int>(rng.range(7, 10)));
    } else if (kind < 45) {
        // A word in double quotes: the CSV line must double them.
        out = pick(rng, words::titleWords());
        out += " \"";
        out += pick(rng, words::titleWords());
        out += "\" ";
        out += pick(rng, words::titleWords());
    } else if (kind < 75) {
        out = pick(rng, words::titleWords());
        out += ", ";
        appendWords(out, rng, words::titleWords(), static_cast<int>(rng.range(1, 3)));
    } else {
        const Script script = pickScript(rng, 60, 20, 15, 25);
        const auto first = rng.below(3);
        const int count = static_cast<int>(1 + first + rng.below(3));
        appendWords(out, rng, wordsOf(script), count);
        if (script == Script::Latin && rng.chance(300)) {
            out += ' ';
            out += pick(rng, words::titleWords());
        }
        if (rng.chance(40)) out += rng.chance(500) ? " (Live)" : " (Remastered)";
    }
    return cutToChars(out, width::kTitle);
}

std::string NameMaker::albumTitle(Rng& rng) {
    const auto kind = rng.below(100);
    std::string out;
    if (kind < 12) {
        out = pick(rng, words::albumPrefixes());
        out += ' ';
        appendWords(out, rng, words::titleWords(), static_cast<int>(rng.range(1, 2)));
    } else {
        const Script script = pickScript(rng, 60, 20, 10, 25);
        const auto shortPart = rng.below(2);
        const auto longPart = rng.below(3);
        appendWords(out, rng, wordsOf(script), static_cast<int>(1 + shortPart + longPart));
    }
    return cutToChars(out, width::kAlbum);
}

std::string NameMaker::sentence(Rng& rng, int wordCount) {
    std::string out;
    for (int i = 0; i < wordCount; ++i) {
        if (i > 0) out += (rng.chance(80) && i + 1 < wordCount) ? ", " : " ";
        const auto r = rng.below(100);
        if (r < 55) {
            out += pick(rng, words::fillerWords());
        } else if (r < 90) {
            out += pick(rng, words::titleWords());
        } else if (r < 95) {
            out += pick(rng, words::latinTitleWords());
        } else if (r < 97) {
            out += '"';
            out += pick(rng, words::titleWords());
            out += '"';
        } else {
            out += pick(rng, rng.chance(500) ? words::cyrillicWords() : words::cjkWords());
        }
    }
    if (!out.empty() && out[0] >= 'a' && out[0] <= 'z') out[0] = static_cast<char>(out[0] - 32);
    out += '.';
    return out;
}

std::string NameMaker::paragraph(Rng& rng, std::size_t maxChars) {
    std::string out;
    while (out.size() < maxChars) {
        if (!out.empty()) out += ' ';
        out += sentence(rng, static_cast<int>(rng.range(4, 16)));
    }
    return cutToChars(out, maxChars);
}

std::string NameMaker::recordingNote(Rng& rng) {
    std::string out = "Recorded at ";
    out += pick(rng, words::places());
    out += ", " + std::to_string(rng.range(1955, 2023));
    if (rng.chance(200)) out += "; engineer " + personName(rng);
    return out;
}

}  // namespace cdz::gen
