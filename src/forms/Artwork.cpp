#include "forms/Artwork.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace velomar {

namespace {

using ui::Rgba;

constexpr double kPi = 3.14159265358979323846;
constexpr int kBusyFrames = 8;
// One turn of the busy ring in 6.4 s as drawn; shown ten times as fast, a
// turn takes 0.64 s at 12.5 frames a second.
constexpr int kBusyFrameDelay = 800;
constexpr int kDefaultFrameDelay = 100;

Rgba Mix(const Rgba& below, const Rgba& above) {
  const double a = above.a + below.a * (1 - above.a);
  if (a <= 0) return {0, 0, 0, 0};
  auto channel = [&](double b, double t) { return (t * above.a + b * below.a * (1 - above.a)) / a; };
  return {channel(below.r, above.r), channel(below.g, above.g), channel(below.b, above.b), a};
}

// Coverage of a shape with a soft one-pixel edge at signed distance d (<0 inside).
double Cover(double d) { return std::clamp(0.5 - d, 0.0, 1.0); }

double RoundedBoxDistance(double x, double y, double w, double h, double radius) {
  const double qx = std::abs(x - w / 2) - (w / 2 - radius);
  const double qy = std::abs(y - h / 2) - (h / 2 - radius);
  const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
  return outside + std::min(std::max(qx, qy), 0.0) - radius;
}

// A direction on the dial, as a unit vector.
struct Direction {
  double cos, sin;
};

Direction At(double angle) { return {std::cos(angle), std::sin(angle)}; }

// The dial's directions, the same for every pixel: computed once, since
// the sines and cosines were most of the cost of drawing the picture at
// start-up.
constexpr int kTicks = 8;
const std::array<Direction, kTicks + 1>& TickDirections() {
  static const auto ticks = [] {
    std::array<Direction, kTicks + 1> all{};
    for (int t = 0; t <= kTicks; ++t) all[t] = At(kPi * (0.75 + 1.5 * t / static_cast<double>(kTicks)));
    return all;
  }();
  return ticks;
}

// The needle points up and to the right: a fast connection.
const Direction& NeedleDirection() {
  static const Direction needle = At(kPi * 1.8);
  return needle;
}

// A speedometer: blue disc, light dial ring with ticks, an orange needle.
Rgba ProgramPicture(double x, double y, double w, double h) {
  const double size = std::min(w, h);
  const double cx = w / 2, cy = h / 2, r = size / 2 - 1;
  const double dx = x - cx, dy = y - cy, d = std::hypot(dx, dy);
  Rgba c{0, 0, 0, 0};
  const double shade = 0.75 + 0.25 * (1 - (y / h));
  c = Mix(c, {0.08 * shade, 0.33 * shade, 0.62 * shade, Cover(d - r)});
  c = Mix(c, {0.85, 0.92, 1.0, Cover(std::abs(d - r * 0.72) - size * 0.035)});
  // Ticks on the upper three quarters of the dial.
  for (const Direction& tick : TickDirections()) {
    const double along = dx * tick.cos + dy * tick.sin;
    const double across = -dx * tick.sin + dy * tick.cos;
    if (along > r * 0.78 && along < r * 0.92) c = Mix(c, {1, 1, 1, Cover(std::abs(across) - size * 0.02)});
  }
  const Direction& needle = NeedleDirection();
  const double along = dx * needle.cos + dy * needle.sin;
  const double across = -dx * needle.sin + dy * needle.cos;
  if (along > -r * 0.1 && along < r * 0.68) c = Mix(c, {1.0, 0.55, 0.1, Cover(std::abs(across) - size * 0.035)});
  c = Mix(c, {1.0, 0.55, 0.1, Cover(d - size * 0.08)});
  return c;
}

// A pill-shaped button face behind a link's text.
Rgba LinkPicture(double x, double y, double w, double h, Rgba top, Rgba bottom) {
  const double t = y / h;
  const Rgba fill{top.r + (bottom.r - top.r) * t, top.g + (bottom.g - top.g) * t, top.b + (bottom.b - top.b) * t, 1};
  const double d = RoundedBoxDistance(x, y, w, h, std::min(w, h) / 2);
  Rgba c{fill.r, fill.g, fill.b, Cover(d)};
  const double edge = Cover(std::abs(d + 0.5) - 0.5);
  return Mix(c, {fill.r * 0.7, fill.g * 0.7, fill.b * 0.7, edge * 0.8});
}

// A tab on the left of the custom window: rounded card, blue when chosen.
Rgba TabPicture(double x, double y, double w, double h, bool selected) {
  const double d = RoundedBoxDistance(x, y, w, h, 6);
  const double t = y / h;
  Rgba fill = selected ? Rgba{0.78 - 0.2 * t, 0.88 - 0.15 * t, 1.0 - 0.05 * t, 1}
                       : Rgba{0.93 - 0.08 * t, 0.93 - 0.08 * t, 0.93 - 0.08 * t, 1};
  Rgba c{fill.r, fill.g, fill.b, Cover(d)};
  const Rgba border = selected ? Rgba{0.2, 0.42, 0.72, 1} : Rgba{0.6, 0.6, 0.6, 1};
  c = Mix(c, {border.r, border.g, border.b, Cover(std::abs(d + 0.5) - 0.5)});
  return c;
}

// Eight dots on a ring; the lit one moves on by one per frame.
Rgba BusyPicture(double x, double y, double w, double h, int frame) {
  const double size = std::min(w, h);
  const double cx = w / 2, cy = h / 2, ring = size * 0.34, dot = size * 0.12;
  Rgba c{0, 0, 0, 0};
  for (int i = 0; i < kBusyFrames; ++i) {
    const double a = 2 * kPi * i / kBusyFrames - kPi / 2;
    const double d = std::hypot(x - (cx + ring * std::cos(a)), y - (cy + ring * std::sin(a))) - dot;
    const int age = (frame - i + kBusyFrames) % kBusyFrames;
    const double light = 1.0 - age / static_cast<double>(kBusyFrames);
    c = Mix(c, {0.1 + 0.1 * (1 - light), 0.35 + 0.3 * (1 - light), 0.75, Cover(d) * (0.25 + 0.75 * light)});
  }
  return c;
}

}  // namespace

std::map<std::string, ui::Picture, std::less<>> VelomarPictures() {
  using ui::Picture;
  return {
      {"Program", Picture{1, kDefaultFrameDelay,
                          [](double x, double y, double w, double h, int) { return ProgramPicture(x, y, w, h); }}},
      {"RecoverLink", Picture{1, kDefaultFrameDelay,
                              [](double x, double y, double w, double h, int) {
                                return LinkPicture(x, y, w, h, {0.99, 0.93, 0.80, 1}, {0.96, 0.80, 0.55, 1});
                              }}},
      {"HelpLink", Picture{1, kDefaultFrameDelay,
                           [](double x, double y, double w, double h, int) {
                             return LinkPicture(x, y, w, h, {0.86, 0.94, 1.0, 1}, {0.62, 0.80, 0.96, 1});
                           }}},
      {"TabSelected",
       Picture{1, kDefaultFrameDelay,
               [](double x, double y, double w, double h, int) { return TabPicture(x, y, w, h, true); }}},
      {"TabNotSelected",
       Picture{1, kDefaultFrameDelay,
               [](double x, double y, double w, double h, int) { return TabPicture(x, y, w, h, false); }}},
      {"Busy",
       Picture{kBusyFrames, kBusyFrameDelay,
               [](double x, double y, double w, double h, int frame) { return BusyPicture(x, y, w, h, frame); }}},
  };
}

}  // namespace velomar
