// Keeping Hunspell's hidden case twins from hiding listed words.
//
// When Hunspell loads a stem in capitals that carries flags ("OK'/3"), or a
// stem of mixed case ("McDonald/1"), it adds a hidden twin in Title case
// ("Ok'", "Mcdonald") with the same flags, which only matches words typed in
// capitals. A listed word that the twin and one of its affixes would also
// make ("Ok's" = "Ok'" + "s") is then rejected, although another line makes
// it. Such stems are written as plain words instead: a stem without flags
// gets no twin that could match an affixed word.
#pragma once

#include "automaton/hunspell_cover.h"

namespace tarvo {

class SuffixAutomaton;

// Replaces each stem of `cover` whose twin would hide a listed word by
// plain lines for the stem (when it is a word) and each of its words.
// `utf8` says whether the words are UTF-8 (else ISO8859-1).
void SettleCaseTwins(const SuffixAutomaton& automaton, AffixKind kind, bool utf8, HunspellCover& cover);

}  // namespace tarvo
