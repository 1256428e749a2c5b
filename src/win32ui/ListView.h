#pragma once
// List views in report view: the log lists of the windows (name, old value,
// new value).
#include "win32ui/Control.h"
#include "win32ui/ControlCapabilities.h"

namespace velomar::ui {

class ListView : public Control, public RowList {
 public:
  ListView(ControlHost& host, Component spec, int index);

  void AppendRow(const LogRow& row) override;
  int RowCount() const override;
  std::vector<LogRow> Rows() const override;
  void ClearRows() override;
  void ScrollBy(int pixels) override;
  std::vector<std::string> Columns() const override { return columns_; }
  void SetColumnText(int index, const std::string& text) override;
  void SetRowCaption(int index, const std::string& text) override;

 protected:
  WindowSpec Describe() const override;
  void Created() override;

 private:
  std::string Cell(int row, int column) const;
  void SetCell(int row, int column, const std::string& text);

  std::vector<std::string> columns_;
};

}  // namespace velomar::ui
