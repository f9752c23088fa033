#pragma once
// Makes the catalogue's names and free texts from the word lists: people, bands, song and
// album titles, sentences for memos. Shares are fixed so that every catalogue mixes scripts,
// commas and the odd double quote in the same proportions.
#include <string>

#include "bench/generator/Rng.h"

namespace cdz::gen {

class NameMaker {
public:
    // "First Last" in one of the scripts (mostly plain ASCII).
    static std::string personName(Rng& rng);
    // A performer: a person, a band ("The Velvet Ravens"), a duo, or a name written
    // "Last, First" (so artists, too, carry commas now and then).
    static std::string artistName(Rng& rng);
    // A song title; some are long enough to be cut at their field width, a few hold commas or
    // double quotes, a share is written in other scripts.
    static std::string songTitle(Rng& rng);
    static std::string albumTitle(Rng& rng);
    // About wordCount words of prose (commas included), starting with a capital letter.
    static std::string sentence(Rng& rng, int wordCount);
    // Several sentences up to roughly maxChars characters.
    static std::string paragraph(Rng& rng, std::size_t maxChars);
    // "Recorded at <place>, <year>".
    static std::string recordingNote(Rng& rng);
};

}  // namespace cdz::gen
