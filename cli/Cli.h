#pragma once
// velomar-cli's command framework: each command group registers its
// commands from its own source file.
#include <functional>
#include <iosfwd>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace velomar {
struct LogRow;
}  // namespace velomar

namespace velomar::cli {

// Wrong words on the command line: exit 2, nothing is written.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
// The command ran and failed, or refused its input: exit 1.
class Failure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
// The registry refused some of the changes, which the command named: exit 3.
inline constexpr int kExitNotChanged = 3;

struct Invocation {
  std::vector<std::string> args;  // the words after the command name
  bool trace = false;
  bool dryRun = false;
  std::ostream* out = nullptr;
  std::ostream* err = nullptr;

  // Removes "--name VALUE" from args and returns VALUE.
  std::optional<std::string> TakeOption(const std::string& name);
  // Removes a "--name" switch; true when it was there.
  bool TakeSwitch(const std::string& name);
  // Call once the arguments are taken: refuses any word left over, then
  // prepares what every command needs (the per-user data folder).
  void Begin();
  std::function<void()> prepare;
  // --class C, required: a position 0 to 10 or a tick label.
  int TakeClass();
  std::ostream& Out() const { return *out; }
  std::ostream& Err() const { return *err; }
};

struct Command {
  std::string name;
  std::string usage;    // "auto-tcp --class C [--mtu N]"
  std::string summary;  // one line for --help
  bool usesRegistry = false;
  // Checks its arguments (throwing UsageError) before it changes anything.
  std::function<int(Invocation&)> run;
  // Takes --dry-run (kDryRunnable): it then runs on an overlay of the
  // registry, which reads through to the real one, and writes no file.
  bool dryRunnable = false;
};
inline constexpr bool kDryRunnable = true;

void Register(Command command);

struct Registrar {
  explicit Registrar(std::vector<Command> commands) {
    for (auto& c : commands) Register(std::move(c));
  }
};

// Prints a log row as name<TAB>old<TAB>new (with --trace after row<TAB>).
void PrintRow(const Invocation& in, const LogRow& row);
void PrintRows(const Invocation& in, const std::vector<LogRow>& rows);

int ParseIntegerArgument(const std::string& text, const std::string& what);

}  // namespace velomar::cli
