#pragma once
// Fast, exact access to the chord name list for the text tools. A text is looked at as a row of
// symbols: every character that can match a character of a chord name, letter case ignored,
// becomes one of the names' twenty symbols; everything else becomes a symbol no name holds. The
// names are kept in a hash of their symbol rows (and of every prefix of them), so the names that
// occur in a text are found by walking each start position for at most nine characters.
#include <QString>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace chordindex {

using Symbols = std::vector<std::uint8_t>;

// Symbols 1 to 20 are the characters of chord names (A to G, J, M, S, U, 2, 4, 5, 7, 9, #, (, ),
// /); the others never match a name.
constexpr std::uint8_t kNone = 0;
constexpr std::uint8_t kOpenBracket = 21;
constexpr std::uint8_t kCloseBracket = 22;
constexpr std::uint8_t kSpace = 23;
constexpr std::uint8_t kStar = 24;
constexpr std::uint8_t kOther = 25;
constexpr std::uint8_t kSlash = 20;
constexpr int kLongestName = 9;

inline bool IsNameSymbol(std::uint8_t s) { return s >= 1 && s <= 20; }

// The name symbol of a character (its case-folded form compared), or kNone.
std::uint8_t NameSymbol(QChar c);

// The symbols of a text: name symbols, the two brackets, white space and "*"; kOther for the rest.
Symbols ToSymbols(const QString& text);

// How each occurrence of a name is replaced.
enum class Replacement { Star, Remove };

// Replaces every occurrence of every chord name in s, one left-to-right pass per name, taking the
// names from the last of the list to the first (longest first), each occurrence by a star or by
// nothing; the names are compared with letter case ignored. Gives the same row as doing it for
// all 7,855 pieces of the list, trying only the names that can occur. With stars, gives up and
// returns false as soon as s holds more than maxStars stars.
bool ReplaceNamesLongestFirst(Symbols& s, Replacement how, int maxStars = 0);

// The indexes (into the split list) of the names that occur in a text, letter case ignored,
// from the last index to the first.
std::vector<int> NamesOccurringIn(const QString& text);

// The name at an index of the split list, with its symbols.
const Symbols& NameSymbols(int index);
int NameIndexOfUpper(const QString& upperName);  // exact look-up in the upper-case list; -1 if none

}  // namespace chordindex
