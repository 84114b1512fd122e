#include "platform/desktop/underline_window.h"

#include <algorithm>

namespace {

// The first word that ends after p, and the first from there on that begins at or after q.
std::pair<Underlines::const_iterator, Underlines::const_iterator> Span(const Underlines& words, int p, int q) {
  const auto first = std::partition_point(words.cbegin(), words.cend(),
                                          [&](const QPair<int, int>& w) { return w.first + w.second <= p; });
  const auto last = std::partition_point(first, words.cend(), [&](const QPair<int, int>& w) { return w.first < q; });
  return {first, last};
}

}  // namespace

UnderlineWindow UnderlineWindow::Around(const Underlines& words, std::pair<int, int> shown) {
  const auto [first, last] = Span(words, shown.first, shown.second);
  const int from = first - words.cbegin() > kNearWords ? (first - kNearWords)->first : 0;
  const int to = words.cend() - last > kNearWords ? (last + kNearWords)->first : kLineEnd;
  return {from, to};
}

void UnderlineWindow::Move(int at, int shift) {
  const auto moved = [&](int p) { return p == kLineEnd || p < at ? p : std::max(at, p + shift); };
  from_ = moved(from_);
  to_ = moved(to_);
}

std::pair<qsizetype, qsizetype> UnderlineWindow::Reaching(const Underlines& words) const {
  const auto [first, last] = Span(words, from_, to_);
  return {first - words.cbegin(), last - words.cbegin()};
}
