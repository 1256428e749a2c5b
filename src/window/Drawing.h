#pragma once
// A picture described as data: portable code computes it (the traffic
// graph), the framework renders it into an image component. Operations are
// drawn in order, each over what came before.
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace velomar {

// 0x00BBGGRR as on Windows.
using Color = std::uint32_t;

struct Drawing {
  // The whole picture in one colour.
  struct Fill {
    Color color = 0;
    bool operator==(const Fill&) const = default;
  };
  // A one-pixel line in copy mode from (x1, y1) up to, not including,
  // (x2, y2), as a pen moved with MoveTo and LineTo draws it.
  struct Line {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    Color color = 0;
    bool operator==(const Line&) const = default;
  };
  // Text at (x, y), its top left corner, in the default font, drawn over an
  // opaque background.
  struct Text {
    int x = 0;
    int y = 0;
    std::string text;
    Color color = 0;
    Color background = 0;
    bool operator==(const Text&) const = default;
  };
  using Operation = std::variant<Fill, Line, Text>;

  int width = 0;
  int height = 0;
  std::vector<Operation> operations;
};

}  // namespace velomar
