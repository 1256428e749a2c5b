#pragma once
// Track bars and progress bars: a position within a range.
#include "win32ui/Control.h"
#include "win32ui/ControlCapabilities.h"

namespace velomar::ui {

class TrackBar : public Control, public RangeValue {
 public:
  using Control::Control;
  int Position() const override;
  // Runs the change handler only when the position really changes.
  void SetPosition(int position) override;
  bool Reflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 protected:
  WindowSpec Describe() const override;
  void Created() override;

 private:
  // Fires Change when the bar stands elsewhere than at the last report.
  void ReportMove();
  int lastPosition_ = 0;
};

class ProgressBar : public Control, public RangeValue {
 public:
  using Control::Control;
  int Position() const override;
  void SetPosition(int position) override;

 protected:
  WindowSpec Describe() const override;
  void Created() override;
};

}  // namespace velomar::ui
