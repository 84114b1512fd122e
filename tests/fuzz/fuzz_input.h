#pragma once
// Reading one fuzz input as the pieces a target needs, and checking what a target asserts.
//
// Numbers and choices are taken from the back of the input, texts from the front, cut at the byte
// 0xFF (no UTF-8 text holds it), so that a plain song file used as an input reads as one text
// with its last bytes as the choices. Take the numbers first: a text taken without a 0xFF after
// it runs to the end and leaves nothing for them.
#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), end_(size) {}

  bool Empty() const { return begin_ >= end_; }

  // A number from lo to hi (lo <= hi); lo once the input is used up.
  std::int64_t TakeInt(std::int64_t lo, std::int64_t hi) {
    const std::uint64_t range = static_cast<std::uint64_t>(hi) - static_cast<std::uint64_t>(lo);
    std::uint64_t value = 0;
    for (int shift = 0; shift < 64 && (range >> shift) > 0 && end_ > begin_; shift += 8)
      value |= static_cast<std::uint64_t>(data_[--end_]) << shift;
    if (range != UINT64_MAX) value %= range + 1;
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(lo) + value);
  }
  int TakeInt(int lo, int hi) { return static_cast<int>(TakeInt(std::int64_t{lo}, std::int64_t{hi})); }
  bool TakeBool() { return TakeInt(0, 1) == 1; }
  // A double from lo to hi in 65,536 even steps.
  double TakeDouble(double lo, double hi) { return lo + (hi - lo) * TakeInt(0, 65535) / 65535.0; }
  // Any 64-bit pattern read as a double: infinities, NaNs and denormals included.
  double TakeRawDouble() {
    const std::uint64_t bits = static_cast<std::uint64_t>(TakeInt(INT64_MIN, INT64_MAX));
    double d;
    static_assert(sizeof d == sizeof bits);
    std::memcpy(&d, &bits, sizeof d);
    return d;
  }

  // Texts are UTF-8 (invalid sequences become U+FFFD) or, after SetUtf16(true), raw UTF-16 code
  // units in little-endian order, so that unpaired surrogates occur too.
  void SetUtf16(bool on) { utf16_ = on; }

  // The bytes up to the next 0xFF (which is used up too), or to the end.
  QByteArray TakeBytes() {
    std::size_t stop = begin_;
    while (stop < end_ && data_[stop] != 0xFF) ++stop;
    QByteArray out(reinterpret_cast<const char*>(data_ + begin_), static_cast<qsizetype>(stop - begin_));
    begin_ = stop < end_ ? stop + 1 : end_;
    return out;
  }
  QString TakeText() { return Decode(TakeBytes()); }

  // Everything that is left.
  QByteArray RestBytes() {
    QByteArray out(reinterpret_cast<const char*>(data_ + begin_), static_cast<qsizetype>(end_ - begin_));
    begin_ = end_;
    return out;
  }
  QString RestText() { return Decode(RestBytes()); }

 private:
  QString Decode(const QByteArray& bytes) const {
    if (!utf16_) return QString::fromUtf8(bytes);
    return QString(reinterpret_cast<const QChar*>(bytes.constData()), bytes.size() / 2);
  }

  const std::uint8_t* data_;
  std::size_t begin_ = 0;
  std::size_t end_;
  bool utf16_ = false;
};

// A property of the code under test that must hold for every input: a failure aborts, which the
// fuzzer and the replay test both report as a finding.
#define FUZZ_CHECK(cond)                                                                 \
  do {                                                                                   \
    if (!(cond)) {                                                                       \
      std::fprintf(stderr, "%s:%d: fuzz check failed: %s\n", __FILE__, __LINE__, #cond); \
      std::abort();                                                                      \
    }                                                                                    \
  } while (false)
