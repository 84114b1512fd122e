#include "support/doubles/recording_graphics.h"

RecordingGraphics::RecordingGraphics(int width, int height) : w_(width), h_(height) {
  width_fn_ = [](const QString& t, double size, bool) { return 0.5 * size * t.size(); };
  height_fn_ = [](const QString&, double size, bool) { return size; };
}

void RecordingGraphics::DrawString(const QString& text, double x, double y) {
  ops_.push_back({Op::String, text, x, y, 0, 0, size_, bold_, color_});
}

void RecordingGraphics::DrawLine(double x1, double y1, double x2, double y2) {
  ops_.push_back({Op::Line, {}, x1, y1, x2, y2, size_, bold_, color_});
}

void RecordingGraphics::DrawRect(double x, double y, double w, double h) {
  ops_.push_back({Op::Rect, {}, x, y, x + w, y + h, size_, bold_, color_});
}

void RecordingGraphics::DrawPicture(const Picture&, double x, double y) {
  ops_.push_back({Op::PictureOp, {}, x, y, 0, 0, size_, bold_, color_});
}

bool RecordingGraphics::NextPage() {
  ++next_calls_;
  if (fail_at_ > 0 && next_calls_ >= fail_at_) return false;
  ++pages_;
  ops_.push_back({Op::NewPage, {}, 0, 0, 0, 0, size_, bold_, color_});
  return true;
}

std::vector<RecordingGraphics::Op> RecordingGraphics::Strings() const {
  std::vector<Op> out;
  for (const auto& op : ops_)
    if (op.kind == Op::String) out.push_back(op);
  return out;
}
