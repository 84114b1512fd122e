#include "platform/desktop/page_setup_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr double kPointsPerInch = 72.0;

const QPageSize::PageSizeId kPapers[] = {QPageSize::Letter, QPageSize::Legal, QPageSize::Executive, QPageSize::Tabloid,
                                         QPageSize::A3,     QPageSize::A4,    QPageSize::A5,        QPageSize::B5};
}  // namespace

PageSetupDialog::PageSetupDialog(const QPageLayout& start, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Page Setup"));
  setModal(true);

  paper_ = new QComboBox(this);
  for (QPageSize::PageSizeId id : kPapers) {
    const QPageSize size(id);
    paper_->addItem(size.name(), QVariant::fromValue(size));
  }
  int index = -1;
  for (int i = 0; i < paper_->count(); ++i)
    if (paper_->itemData(i).value<QPageSize>().isEquivalentTo(start.pageSize())) index = i;
  if (index < 0) {
    paper_->addItem(start.pageSize().name(), QVariant::fromValue(start.pageSize()));
    index = paper_->count() - 1;
  }
  paper_->setCurrentIndex(index);

  orientation_ = new QComboBox(this);
  orientation_->addItem(QStringLiteral("Portrait"), int(QPageLayout::Portrait));
  orientation_->addItem(QStringLiteral("Landscape"), int(QPageLayout::Landscape));
  orientation_->setCurrentIndex(start.orientation() == QPageLayout::Landscape ? 1 : 0);

  const QMarginsF m = start.margins(QPageLayout::Point);
  const double values[4] = {m.left(), m.top(), m.right(), m.bottom()};
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Paper size:"), paper_);
  form->addRow(QStringLiteral("Orientation:"), orientation_);
  const char* labels[4] = {"Left margin:", "Top margin:", "Right margin:", "Bottom margin:"};
  for (int i = 0; i < 4; ++i) {
    auto* box = new QDoubleSpinBox(this);
    box->setRange(0.0, 5.0);
    box->setDecimals(2);
    box->setSingleStep(0.05);
    box->setSuffix(QStringLiteral(" in"));
    box->setValue(values[i] / kPointsPerInch);
    margins_[i] = box;
    form->addRow(QString::fromLatin1(labels[i]), box);
    connect(box, &QDoubleSpinBox::valueChanged, this, &PageSetupDialog::updateOk);
  }
  connect(paper_, &QComboBox::currentIndexChanged, this, &PageSetupDialog::updateOk);
  connect(orientation_, &QComboBox::currentIndexChanged, this, &PageSetupDialog::updateOk);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
  updateOk();
}

QPageLayout PageSetupDialog::PageLayout() const {
  const QPageSize size = paper_->currentData().value<QPageSize>();
  const auto orientation = QPageLayout::Orientation(orientation_->currentData().toInt());
  QPageLayout layout(size, orientation, QMarginsF(), QPageLayout::Point);
  layout.setMinimumMargins(QMarginsF());
  layout.setMargins(QMarginsF(margins_[Left]->value() * kPointsPerInch, margins_[Top]->value() * kPointsPerInch,
                              margins_[Right]->value() * kPointsPerInch, margins_[Bottom]->value() * kPointsPerInch));
  return layout;
}

void PageSetupDialog::updateOk() {
  // Margins that leave no printable area cannot be accepted.
  const QPageLayout layout = PageLayout();
  const QSizeF full = layout.fullRect(QPageLayout::Point).size();
  const double across = (margins_[Left]->value() + margins_[Right]->value()) * kPointsPerInch;
  const double down = (margins_[Top]->value() + margins_[Bottom]->value()) * kPointsPerInch;
  ok_->setEnabled(across < full.width() && down < full.height());
}
