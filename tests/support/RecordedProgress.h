#pragma once
// A pass's progress as the pass reports it, in order: the bar as the sum
// of the units it moved (from where the test put it), the rows and the
// pauses. A worker pass reports from its thread; read it once the pass
// has returned.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "progress/PassProgress.h"

namespace velomar::test {

class RecordedProgress : public PassProgress {
 public:
  enum class Kind { Status, Advance, Row, Pause };
  // The status text, the bar's position after the move, or "name\told\tnew".
  struct Report {
    Kind kind;
    std::string value;
  };

  void Status(std::string_view text) override { reports_.push_back({Kind::Status, std::string(text)}); }
  void Advance(int units) override {
    position_ += units;
    reports_.push_back({Kind::Advance, std::to_string(position_)});
  }
  void Row(const LogRow& row) override {
    rows_.push_back(row);
    reports_.push_back({Kind::Row, row.name + "\t" + row.oldValue + "\t" + row.newValue});
  }
  void Pause() override {
    ++pauses_;
    reports_.push_back({Kind::Pause, ""});
    if (onPause) onPause();
  }

  int Position() const { return position_; }
  void SetPosition(int position) { position_ = position; }
  // The bar's positions, one after each move.
  std::vector<int> Positions() const {
    std::vector<int> positions;
    for (const auto& r : reports_)
      if (r.kind == Kind::Advance) positions.push_back(std::stoi(r.value));
    return positions;
  }
  const std::vector<LogRow>& Rows() const { return rows_; }
  int PauseCount() const { return pauses_; }
  const std::vector<Report>& Reports() const { return reports_; }
  void Clear() { *this = RecordedProgress(); }

  // Runs in each pause, standing in for whatever the window does meanwhile.
  std::function<void()> onPause;

 private:
  int position_ = 0;
  std::vector<LogRow> rows_;
  int pauses_ = 0;
  std::vector<Report> reports_;
};

}  // namespace velomar::test
