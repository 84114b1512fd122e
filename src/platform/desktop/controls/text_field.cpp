#include "platform/desktop/controls/text_field.h"

#include <QFontDatabase>
#include <QValidator>
#include <algorithm>

#include "platform/core/text_decoding.h"

namespace {
constexpr int kUnlimited = 32767;  // QLineEdit's own default

// Drops a NUL from whatever the field is given, typed, pasted or dropped: the line edit hands
// every change to its validator, which may rewrite it. Nothing is ever refused.
class NulDroppingValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override {
    if (std::none_of(input.cbegin(), input.cend(), IsRefusedInText)) return Acceptable;
    const auto caret = input.cbegin() + std::clamp<qsizetype>(pos, 0, input.size());
    pos -= static_cast<int>(std::count_if(input.cbegin(), caret, IsRefusedInText));
    input = WithoutRefusedCharacters(input);
    return Acceptable;
  }
};
}  // namespace

TextField::TextField(QWidget* parent) : QLineEdit(parent) {
  setValidator(new NulDroppingValidator(this));
  // The length limit is QLineEdit's own and is set only when the text is set from code or the
  // limit changes: setting it resets the text, and with it the history of undo and redo.
  connect(this, &QLineEdit::textChanged, this, &TextField::TextChange);
}

QString TextField::ReadBack(const QString& text) { return WithoutRefusedCharacters(text); }

void TextField::SetText(const QString& raw) {
  const QString text = ReadBack(raw);
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
  // A text beyond the limit stays; typing and pasting then stop at its length.
  setMaxLength(std::max(wanted, static_cast<int>(text().size())));
}

void TextField::SetTextFont(const QString& name, double pixels) {
  QFont f = name.compare(QLatin1String("System"), Qt::CaseInsensitive) == 0
                ? QFontDatabase::systemFont(QFontDatabase::GeneralFont)
                : QFont(name);
  if (pixels > 0) f.setPixelSize(static_cast<int>(pixels));
  setFont(f);
}
