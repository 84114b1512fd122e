#pragma once
// The seven layout values of the sheet: their ranges and their defaults.

struct LayoutRange {
  int lo, hi, def;
  constexpr int Clamp(int v) const { return v < lo ? lo : (v > hi ? hi : v); }
};

inline constexpr LayoutRange kSpacingRange{2, 10, 5};
inline constexpr LayoutRange kWordSizeRange{8, 14, 12};
inline constexpr LayoutRange kChordSizeRange{8, 14, 12};
inline constexpr LayoutRange kChordOffsetRange{10, 20, 13};
inline constexpr LayoutRange kFretSizeRange{4, 10, 7};
inline constexpr LayoutRange kFretOffsetRange{8, 35, 22};
inline constexpr LayoutRange kRowHeightRange{20, 45, 27};
