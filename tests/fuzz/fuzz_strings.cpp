// The string functions, each driven with pieces of the input as texts, positions, counts and
// search texts: every call gives a defined result, and the exact functions agree with each other.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "fuzz_input.h"
#include "platform/core/strings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  in.SetUtf16(in.TakeBool());
  const int start = in.TakeInt(-5, 70);
  const int n = in.TakeInt(-5, 70);
  const int count = in.TakeInt(-5, 70);
  const int lo = in.TakeInt(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
  const int hi = in.TakeInt(lo, std::numeric_limits<int>::max());
  const std::int64_t whole = in.TakeInt(INT64_MIN, INT64_MAX);
  const double real = in.TakeRawDouble();
  const int code = in.TakeInt(-2, 0x110001);
  const QString s = in.TakeText(), f = in.TakeText(), w = in.TakeText();
  const int len = Len(s);

  // Finding: a position of a real occurrence at or after the start, or 0.
  for (const int p : {InStr(s, f), InStr(start, s, f), InStrB(s, f), InStrB(start, s, f)})
    FUZZ_CHECK(p >= 0 && p <= len);
  if (f.isEmpty()) FUZZ_CHECK(InStr(s, f) == 0 && InStrB(start, s, f) == 0);
  if (const int p = InStrB(start, s, f); p > 0) {
    FUZZ_CHECK(p >= start && Mid(s, p, Len(f)) == f);
    FUZZ_CHECK(InStrB(start, Left(s, p - 1 + Len(f) - 1), f) == 0);
  } else if (!f.isEmpty()) {
    FUZZ_CHECK(!Mid(s, std::max(start, 1)).contains(f));
  }

  // Cutting: the pieces put together again give the text.
  FUZZ_CHECK(Len(Left(s, n)) == std::clamp(n, 0, len) && Len(Right(s, n)) == std::clamp(n, 0, len));
  FUZZ_CHECK(Left(s, n) + Mid(s, std::max(n, 0) + 1) == s);
  FUZZ_CHECK(Mid(s, start, count) == Left(Mid(s, start), count));
  FUZZ_CHECK(Join(Split(s, f), f) == s);
  if (s.isEmpty() || f.isEmpty()) FUZZ_CHECK(Split(s, f).size() == (s.isEmpty() ? 0 : 1));

  // Replacing: the exact forms are cutting and joining; the others only change what they find.
  FUZZ_CHECK(ReplaceAllB(s, f, w) == (f.isEmpty() || s.isEmpty() ? s : Join(Split(s, f), w)));
  if (const int p = InStrB(s, f); p > 0)
    FUZZ_CHECK(ReplaceB(s, f, w) == Left(s, p - 1) + w + Mid(s, p + Len(f)));
  else
    FUZZ_CHECK(ReplaceB(s, f, w) == s);
  if (InStr(s, f) == 0) FUZZ_CHECK(Replace(s, f, w) == s && ReplaceAll(s, f, w) == s);
  (void)Replace(s, f, w);
  (void)ReplaceAll(s, f, w);

  FUZZ_CHECK(Trim(s) == LTrim(RTrim(s)) && Trim(s) == RTrim(LTrim(s)));
  (void)Uppercase(s);
  (void)Lowercase(s);
  FUZZ_CHECK(EqualsCI(s, f) == EqualsCI(f, s) && EqualsCI(s, s));
  FUZZ_CHECK(StrComp(s, f) == -StrComp(f, s) && (StrComp(s, f) == 0) == (s == f));

  // Numbers: a finite value from any text, and whole numbers written and read back.
  const double v = Val(s);
  FUZZ_CHECK(std::isfinite(v));
  const int clamped = ValToInt(s, lo, hi);
  FUZZ_CHECK(clamped >= lo && clamped <= hi);
  if (whole > -(std::int64_t{1} << 53) && whole < (std::int64_t{1} << 53))
    FUZZ_CHECK(Val(Str(whole)) == static_cast<double>(whole));
  const QString written = Str(real);
  if (std::isfinite(real)) FUZZ_CHECK(std::isfinite(Val(written)));
  const QString c = Chr(code);
  FUZZ_CHECK(code < 0 || code > 0x10FFFF ? c.isEmpty() : (c.size() == (code > 0xFFFF ? 2 : 1)));
  return 0;
}
