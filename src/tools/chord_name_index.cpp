#include "tools/chord_name_index.h"

#include <QHash>
#include <algorithm>
#include <array>
#include <queue>

#include "tools/chord_names.h"

namespace chordindex {
namespace {

// Name symbols by ASCII character, both letter cases.
constexpr std::array<std::uint8_t, 128> MakeAsciiTable() {
  std::array<std::uint8_t, 128> t{};
  const char* chars = "abcdefgjmsu24579#()/";
  for (std::uint8_t i = 0; chars[i] != 0; ++i) {
    const char c = chars[i];
    t[static_cast<unsigned char>(c)] = static_cast<std::uint8_t>(i + 1);
    if (c >= 'a' && c <= 'z') t[static_cast<unsigned char>(c - 'a' + 'A')] = static_cast<std::uint8_t>(i + 1);
  }
  return t;
}
constexpr auto kAscii = MakeAsciiTable();
static_assert(kAscii['/'] == kSlash);

std::uint64_t Extend(std::uint64_t key, int k, std::uint8_t sym) { return key | (std::uint64_t{sym} << (5 * k)); }

struct Index {
  std::vector<Symbols> symbols;                   // by list index
  std::unordered_map<std::uint64_t, int> prefix;  // symbol row -> name index, or -1 for a prefix only
  QHash<QString, int> upper;                      // exact upper-case name -> index

  Index() {
    const QStringList& names = ChordNamePieces(true);
    symbols.resize(static_cast<size_t>(names.size()));
    prefix.reserve(20000);
    for (int i = 0; i < names.size(); ++i) {
      const QString& n = names[i];
      if (n.isEmpty()) continue;
      upper.insert(n, i);
      Symbols& row = symbols[static_cast<size_t>(i)];
      std::uint64_t key = 0;
      for (int k = 0; k < n.size(); ++k) {
        row.push_back(NameSymbol(n[k]));
        key = Extend(key, k, row.back());
        if (k + 1 < n.size()) {
          prefix.emplace(key, -1);
        } else {
          prefix[key] = i;
        }
      }
    }
  }
};

const Index& TheIndex() {
  static const Index index;
  return index;
}

// Calls found(index, end) for every name that starts at `start` of s, shortest first.
template <typename F>
void WalkNamesFrom(const Symbols& s, size_t start, F&& found) {
  const Index& idx = TheIndex();
  std::uint64_t key = 0;
  for (int k = 0; k < kLongestName && start + static_cast<size_t>(k) < s.size(); ++k) {
    const std::uint8_t sym = s[start + static_cast<size_t>(k)];
    if (!IsNameSymbol(sym)) return;
    key = Extend(key, k, sym);
    const auto it = idx.prefix.find(key);
    if (it == idx.prefix.end()) return;
    if (it->second >= 0) found(it->second, start + static_cast<size_t>(k) + 1);
  }
}

}  // namespace

std::uint8_t NameSymbol(QChar c) {
  const char16_t u = c.unicode();
  if (u < 128) return kAscii[u];
  const char16_t folded = QChar::toCaseFolded(u);
  return folded < 128 ? kAscii[folded] : kNone;
}

Symbols ToSymbols(const QString& text) {
  Symbols out;
  out.reserve(static_cast<size_t>(text.size()));
  for (const QChar c : text) {
    std::uint8_t s = NameSymbol(c);
    if (s == kNone) {
      if (c == u'[')
        s = kOpenBracket;
      else if (c == u']')
        s = kCloseBracket;
      else if (c == u'*')
        s = kStar;
      else if (c.isSpace())
        s = kSpace;
      else
        s = kOther;
    }
    out.push_back(s);
  }
  return out;
}

namespace {

// The names, of a lower index than current, that a removal joined together: each runs across one
// of the joins (positions in s where a removed name closed a gap).
void PushNamesAcrossJoins(const Symbols& s, const std::vector<size_t>& joins, int current,
                          std::priority_queue<int>& candidates) {
  for (const size_t p : joins) {
    if (p == 0 || p >= s.size()) continue;
    const size_t from = p >= static_cast<size_t>(kLongestName - 1) ? p - (kLongestName - 1) : 0;
    for (size_t a = from; a < p; ++a) {
      WalkNamesFrom(s, a, [&](int n, size_t end) {
        if (end > p && n < current) candidates.push(n);
      });
    }
  }
}

}  // namespace

bool ReplaceNamesLongestFirst(Symbols& s, Replacement how, int maxStars) {
  // Only a name that occurs when its turn comes changes anything. Such an occurrence either stood
  // in the row from the start, or it was joined together where an earlier removal closed a gap;
  // stars separate, so they join nothing. The candidates are gathered from both, largest index
  // first, and each is tried at its turn.
  std::priority_queue<int> candidates;
  for (size_t a = 0; a < s.size(); ++a) WalkNamesFrom(s, a, [&](int i, size_t) { candidates.push(i); });
  int stars = 0;
  int last = -1;
  Symbols out;
  std::vector<size_t> joins;
  while (!candidates.empty()) {
    const int current = candidates.top();
    candidates.pop();
    if (current == last) continue;
    last = current;
    const Symbols& name = TheIndex().symbols[static_cast<size_t>(current)];
    out.clear();
    joins.clear();
    size_t i = 0;
    bool changed = false;
    while (i < s.size()) {
      if (i + name.size() <= s.size() &&
          std::equal(name.begin(), name.end(), s.begin() + static_cast<std::ptrdiff_t>(i))) {
        changed = true;
        i += name.size();
        if (how == Replacement::Star) {
          out.push_back(kStar);
          if (++stars > maxStars) return false;
        } else if (joins.empty() || joins.back() != out.size()) {
          joins.push_back(out.size());
        }
      } else {
        out.push_back(s[i++]);
      }
    }
    if (!changed) continue;
    s.swap(out);
    PushNamesAcrossJoins(s, joins, current, candidates);
  }
  return true;
}

std::vector<int> NamesOccurringIn(const QString& text) {
  const Symbols s = ToSymbols(text);
  std::vector<int> found;
  for (size_t a = 0; a < s.size(); ++a) WalkNamesFrom(s, a, [&](int i, size_t) { found.push_back(i); });
  std::sort(found.begin(), found.end(), std::greater<int>());
  found.erase(std::unique(found.begin(), found.end()), found.end());
  return found;
}

const Symbols& NameSymbols(int index) { return TheIndex().symbols.at(static_cast<size_t>(index)); }

int NameIndexOfUpper(const QString& upperName) { return TheIndex().upper.value(upperName, -1); }

}  // namespace chordindex
