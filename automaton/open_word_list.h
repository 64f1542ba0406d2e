// Opening a word list: the fixed order of work shared by the window and the
// command line.
//
// The alphabet order of the file is computed (starting from the identity, so
// that an unreadable file still configures a valid permutation), the tree is
// emptied, configured with that order and the buffer size and loaded from
// the same file (which is thus read twice), and the automaton is rebuilt.
// Ranking the groups is left to the caller, who holds the settings.
//
// Asked to read the list as characters, it codes each UTF-8 character as one
// symbol; a list that is not valid UTF-8, or has more than 255 distinct
// characters, is read as bytes instead, and the report says why.
#pragma once

#include <string>

#include "lexicon/word_reader.h"

namespace tarvo {

class CWordTree;
class CSuffixAutomaton;

struct OpenReport {
  bool ok = false;            // both reads succeeded
  bool characters = false;    // the list was read as characters
  std::string byte_mode_reason;  // why characters were asked for but not used
  int error = 0;              // errno of the failed read
  WordListStats order_pass;   // the alphabet order's pass over the file
  WordListStats load_pass;    // the word tree's pass
  double order_seconds = 0;
  double load_seconds = 0;
  double build_seconds = 0;
};

OpenReport OpenWordList(const std::string& path, std::uint32_t buffer_size, CWordTree& tree,
                        CSuffixAutomaton& automaton, bool read_as_characters = false);

// Seconds on a monotonic clock, for the timings above.
double MonotonicSeconds();

}  // namespace tarvo
