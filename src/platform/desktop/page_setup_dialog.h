#pragma once
// Our own page-setup dialog (paper size, orientation, margins in inches), used where the system's
// page-setup dialog cannot serve: it works only for a real printer.
#include <QDialog>
#include <QPageLayout>
#include <array>

class QComboBox;
class QDoubleSpinBox;
class QPushButton;

class PageSetupDialog : public QDialog {
  Q_OBJECT
 public:
  explicit PageSetupDialog(const QPageLayout& start, QWidget* parent = nullptr);

  // The layout the controls describe.
  QPageLayout PageLayout() const;

  enum Side { Left, Top, Right, Bottom };
  QComboBox* PaperBox() const { return paper_; }
  QComboBox* OrientationBox() const { return orientation_; }
  QDoubleSpinBox* MarginBox(Side side) const { return margins_[side]; }
  QPushButton* OkButton() const { return ok_; }

 private:
  void updateOk();

  QComboBox* paper_;
  QComboBox* orientation_;
  std::array<QDoubleSpinBox*, 4> margins_{};
  QPushButton* ok_;
};
