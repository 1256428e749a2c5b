#pragma once
// A process-wide seam with stand-ins: the system's implementation serves
// unless a Scoped<Seam> puts another in its place for its own lifetime
// (tests, benchmarks, velomar-cli --registry). Stand-ins nest: the
// innermost living one serves, and the one before it comes back when it
// goes. The seam is read without a lock, so a stand-in is put in place
// before the workers that use the seam start, and stays until they end.
#include <utility>

namespace velomar::platform {

template <class Seam>
class Scoped {
 public:
  explicit Scoped(Seam& standIn) : previous_(std::exchange(active_, &standIn)) {}
  ~Scoped() { active_ = previous_; }
  Scoped(const Scoped&) = delete;
  Scoped& operator=(const Scoped&) = delete;

  // The innermost living stand-in; nullptr when the system's serves.
  static Seam* StandIn() { return active_; }
  // The seam that serves: the stand-in, else what `system` answers (asked
  // only then).
  static Seam& ActiveOr(Seam& (*system)()) { return active_ ? *active_ : system(); }

 private:
  static inline Seam* active_ = nullptr;
  Seam* previous_;
};

}  // namespace velomar::platform
