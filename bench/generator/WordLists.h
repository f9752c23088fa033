#pragma once
// Fixed word lists the generator draws names and texts from, grouped by script so that a
// share of the catalogue is multi-byte text (Latin diacritics, Cyrillic, Greek, CJK).
#include <span>
#include <string_view>

namespace cdz::gen::words {

using List = std::span<const std::string_view>;

List titleWords();       // English words of song and album titles
List latinTitleWords();  // German, French, Spanish, Nordic words with diacritics and ß
List cyrillicWords();
List greekWords();
List cjkWords();     // Chinese, Japanese and Korean, one with a 4-byte character
List fillerWords();  // short words that glue note sentences together

List firstNames();
List surnames();
List latinFirstNames();  // with diacritics
List latinSurnames();
List cyrillicFirstNames();
List cyrillicSurnames();
List greekFirstNames();
List greekSurnames();
List chineseFamilyNames();  // family names come first in these three languages
List chineseGivenNames();
List japaneseFamilyNames();
List japaneseGivenNames();
List koreanFamilyNames();
List koreanGivenNames();

List bandAdjectives();
List bandNouns();  // plural nouns: "The <adjective> <noun>"
List ensembles();  // "<surname> Quartet"

List styles();
List genres();  // category names are built from genres and their modifiers
List genreModifiers();
List places();  // studios and venues for recording notes
List classicalForms();
List musicalKeys();
List albumPrefixes();  // "Greatest Hits", "Live at", ...

}  // namespace cdz::gen::words
