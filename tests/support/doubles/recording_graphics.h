#pragma once
// A Graphics that draws nothing and records every operation, with injectable text metrics:
// for tests that check positions and states exactly.
#include <QColor>
#include <QString>
#include <functional>
#include <vector>

#include "platform/core/graphics.h"

class RecordingGraphics : public Graphics {
 public:
  struct Op {
    enum Kind { String, Line, Rect, PictureOp, NewPage } kind;
    QString text;
    double x = 0, y = 0, x2 = 0, y2 = 0;
    double size = 0;
    bool bold = false;
    QColor color;
  };
  using WidthFn = std::function<double(const QString& text, double size, bool bold)>;
  using HeightFn = std::function<double(const QString& text, double size, bool bold)>;
  using CoversFn = std::function<bool(const QString& text)>;

  // Defaults: width = 0.5 × size per character, height = size, the face covers every text, and
  // ink rises as high as the text is tall (its height).
  RecordingGraphics(int width = 576, int height = 756);

  void SetWidthFn(WidthFn f) { width_fn_ = std::move(f); }
  void SetHeightFn(HeightFn f) { height_fn_ = std::move(f); }
  void SetCoversFn(CoversFn f) { covers_fn_ = std::move(f); }
  void SetInkRiseFn(HeightFn f) { rise_fn_ = std::move(f); }

  void ForeColor(const QColor& c) override { color_ = c; }
  QColor ForeColor() const override { return color_; }
  void TextSize(double size) override { size_ = size; }
  double TextSize() const override { return size_; }
  void Bold(bool on) override { bold_ = on; }
  bool Bold() const override { return bold_; }

  void DrawString(const QString& text, double x, double y) override;
  double StringWidth(const QString& text) override { return width_fn_(text, size_, bold_); }
  double StringHeight(const QString& text, double) override { return height_fn_(text, size_, bold_); }
  bool FaceCovers(const QString& text) override { return !covers_fn_ || covers_fn_(text); }
  double InkRise(const QString& text) override {
    return rise_fn_ ? rise_fn_(text, size_, bold_) : height_fn_(text, size_, bold_);
  }
  void DrawLine(double x1, double y1, double x2, double y2) override;
  void DrawRect(double x, double y, double w, double h) override;
  void DrawPicture(const Picture& p, double x, double y) override;

  int Width() const override { return w_; }
  int Height() const override { return h_; }
  bool NextPage() override;

  const std::vector<Op>& Ops() const { return ops_; }
  std::vector<Op> Strings() const;  // the String ops only
  int Pages() const { return pages_; }
  void Clear() { ops_.clear(); }
  // Makes NextPage fail from the n-th call on (1-based); 0 never fails.
  void FailNextPageAt(int n) { fail_at_ = n; }

 private:
  int w_, h_;
  QColor color_{Qt::black};
  double size_ = 12.0;
  bool bold_ = false;
  WidthFn width_fn_;
  HeightFn height_fn_;
  CoversFn covers_fn_;
  HeightFn rise_fn_;
  std::vector<Op> ops_;
  int pages_ = 1;
  int next_calls_ = 0;
  int fail_at_ = 0;
};
