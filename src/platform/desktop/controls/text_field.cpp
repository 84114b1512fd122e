#include "platform/desktop/controls/text_field.h"

#include <QFontDatabase>
#include <algorithm>

namespace {
constexpr int kUnlimited = 32767;  // QLineEdit's own default
}

TextField::TextField(QWidget* parent) : QLineEdit(parent) {
  connect(this, &QLineEdit::textChanged, this, [this] {
    ApplyLimit();
    emit TextChange();
  });
}

void TextField::SetText(const QString& text) {
  // Room for the whole text first, so that nothing assigned is cut.
  setMaxLength(std::max({maxLength(), static_cast<int>(text.size()), limit_ > 0 ? limit_ : kUnlimited}));
  setText(text);
  ApplyLimit();
}

void TextField::SetLimitText(int limit) {
  limit_ = std::max(0, limit);
  ApplyLimit();
}

void TextField::ApplyLimit() {
  const int wanted = limit_ > 0 ? limit_ : kUnlimited;
  // A text beyond the limit stays; the field then only lets it shrink.
  setMaxLength(std::max(wanted, static_cast<int>(text().size())));
}

void TextField::SetTextFont(const QString& name, double pixels) {
  QFont f = name.compare(QLatin1String("System"), Qt::CaseInsensitive) == 0
                ? QFontDatabase::systemFont(QFontDatabase::GeneralFont)
                : QFont(name);
  if (pixels > 0) f.setPixelSize(static_cast<int>(pixels));
  setFont(f);
}
