#pragma once

// The pronunciation engine (espeak-ng) behind the first pass. The engine keeps global state: its
// initialising sets the process's LC_CTYPE and cannot be undone (terminating and initialising it
// again hangs). So every call into it is made from one thread of the library's own, started on
// first use, initialised once and never stopped; callers from any thread queue their words to
// it and wait.

#include <string>
#include <vector>

namespace corvale::firstpass {

// The engine's phonemes for each word (its ASCII names, each phoneme followed by '|', stress
// marks ' and , before a vowel), in order. A word is lower case letters and apostrophes, at most
// a few dozen characters. An empty result for a word means the engine had nothing to say (or
// could not be started) and the caller falls back on spelling.
std::vector<std::string> Pronounce(const std::vector<std::string>& words);

}  // namespace corvale::firstpass
