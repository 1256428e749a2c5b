#include "Cli.h"

#include <iostream>
#include <utility>

#include "bandwidth/BandwidthClass.h"
#include "platform/Console.h"
#include "platform/Files.h"
#include "platform/MemoryRegistry.h"
#include "platform/System.h"
#include "progress/LogRow.h"
#include "registry/DryRun.h"
#include "registry/RegistryStore.h"
#include "util/DataFolder.h"
#include "util/Numbers.h"

namespace velomar::cli {

namespace {

std::vector<Command>& Commands() {
  static std::vector<Command> commands;
  return commands;
}

const Command* FindCommand(const std::string& name) {
  for (const auto& c : Commands())
    if (c.name == name) return &c;
  return nullptr;
}

void PrintHelp(std::ostream& out) {
  out << "usage: velomar-cli [--registry FILE.reg] [--trace] [--dry-run] COMMAND [options]\n\n"
         "Runs Velomar's tuning passes and restores from the console.\n\n"
         "Global options:\n"
         "  --registry FILE.reg  work on the registry held in FILE.reg (REGEDIT4 text),\n"
         "                       loaded before the command and saved after it; a missing\n"
#ifdef _WIN32
         "                       file is an empty registry. Without it, the system registry.\n"
#else
         "                       file is an empty registry. Required for registry commands.\n"
#endif
         "  --trace              print every effect of a pass on its window, in order\n"
         "  --dry-run            print what the command would change, and change nothing: no\n"
         "                       registry value, no file (auto-tcp, custom-tcp, restore-defaults,\n"
         "                       restore-backup, firefox-auto, firefox-custom)\n"
         "  --help               this text\n\n"
         "Classes (C) are a position 0 to 10 or a label: 56K 512k 1M 2M 4M 6M 10M 50M 100M 500M 1G.\n\n"
         "Commands:\n";
  for (const auto& c : Commands()) {
    out << "  " << c.usage << "\n      " << c.summary << "\n";
  }
  out << "\nExit status: 0 done, 1 failed or refused, 2 usage error, 3 some registry values could not be\n"
         "changed (each is named; run as an administrator).\n";
}

}  // namespace

void Register(Command command) { Commands().push_back(std::move(command)); }

std::optional<std::string> Invocation::TakeOption(const std::string& name) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] != name) continue;
    if (i + 1 >= args.size()) throw UsageError(name + " needs a value");
    std::string value = args[i + 1];
    args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
    return value;
  }
  return std::nullopt;
}

bool Invocation::TakeSwitch(const std::string& name) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == name) {
      args.erase(args.begin() + static_cast<long>(i));
      return true;
    }
  }
  return false;
}

void Invocation::Begin() {
  if (!args.empty()) throw UsageError("unexpected argument '" + args.front() + "'");
  if (prepare) std::exchange(prepare, nullptr)();
}

int Invocation::TakeClass() {
  const auto value = TakeOption("--class");
  if (!value) throw UsageError("--class C is required");
  const auto position = ParseBandwidthClass(*value);
  if (!position)
    throw UsageError("unknown class '" + *value + "' (0 to 10, or 56K 512k 1M 2M 4M 6M 10M 50M 100M 500M 1G)");
  return *position;
}

int ParseIntegerArgument(const std::string& text, const std::string& what) {
  const auto value = ParseInt32(text);
  if (!value) throw UsageError(what + " must be a whole number, not '" + text + "'");
  return *value;
}

void PrintRow(const Invocation& in, const LogRow& row) {
  in.Out() << (in.trace ? "row\t" : "") << row.name << '\t' << row.oldValue << '\t' << row.newValue << '\n';
}

void PrintRows(const Invocation& in, const std::vector<LogRow>& rows) {
  for (const auto& row : rows) PrintRow(in, row);
}

}  // namespace velomar::cli

using namespace velomar;
using namespace velomar::cli;

int main(int argc, char** argv) {
  const platform::ScopedConsoleText console;
  std::vector<std::string> words = platform::CommandLineArguments(argc, argv);
  Invocation in;
  in.out = &std::cout;
  in.err = &std::cerr;
  std::optional<std::string> registryFile;
  try {
    // Global options stand before the command; --trace may stand anywhere.
    std::size_t i = 0;
    for (; i < words.size(); ++i) {
      if (words[i] == "--help" || words[i] == "-h") {
        PrintHelp(std::cout);
        return 0;
      } else if (words[i] == "--registry") {
        if (i + 1 >= words.size()) throw UsageError("--registry needs a file name");
        registryFile = words[++i];
      } else if (words[i] == "--trace") {
        in.trace = true;
      } else if (words[i] == "--dry-run") {
        in.dryRun = true;
      } else {
        break;
      }
    }
    if (i >= words.size()) throw UsageError("no command given");
    const Command* command = FindCommand(words[i]);
    if (!command) throw UsageError("unknown command '" + words[i] + "'");
    in.args.assign(words.begin() + static_cast<long>(i) + 1, words.end());
    if (in.TakeSwitch("--trace")) in.trace = true;
    if (in.TakeSwitch("--dry-run")) in.dryRun = true;
    if (in.dryRun && !command->dryRunnable) throw UsageError(command->name + " has no dry run");
    if (in.TakeSwitch("--help")) {
      std::cout << "usage: velomar-cli " << command->usage << "\n" << command->summary << "\n";
      return 0;
    }

    platform::MemoryRegistry fileRegistry;
    std::optional<ScopedRegistry> scoped;
    if (command->usesRegistry) {
#ifndef _WIN32
      if (!registryFile) throw UsageError(command->name + " needs --registry FILE.reg on this system");
#endif
      if (registryFile) {
        std::string error;
        if (platform::FileExists(*registryFile) && !fileRegistry.LoadRegFile(*registryFile, error))
          throw Failure(error);
        scoped.emplace(fileRegistry);
      }
    }
    // A dry run sees its own changes through an overlay and writes nothing.
    std::optional<ScopedDryRun> dryRun;
    if (in.dryRun) {
      dryRun.emplace();
      std::cerr << "velomar-cli: dry run: nothing is changed\n";
    }

    in.prepare = [] {
      // As the main window does at start-up.
      std::string error;
      if (!EnsurePerUserDataFolder(error)) std::cerr << "velomar-cli: warning: " << error << '\n';
    };

    int status = 0;
    std::string failure;
    try {
      status = command->run(in);
    } catch (const Failure& e) {
      failure = e.what();
      status = 1;
    } catch (const ConversionError& e) {
      failure = e.what();
      status = 1;
    }
    // A dry run saves too, under the hold, so that a file that cannot be
    // written fails it as it fails the real command.
    if (scoped && registryFile) {
      std::string error;
      if (!fileRegistry.SaveRegFile(*registryFile, error)) {
        std::cerr << "velomar-cli: " << error << '\n';
        status = 1;
      }
    }
    if (!failure.empty()) std::cerr << "velomar-cli: " << failure << '\n';
    return status;
  } catch (const UsageError& e) {
    std::cerr << "velomar-cli: " << e.what() << "\nTry 'velomar-cli --help'.\n";
    return 2;
  } catch (const std::exception& e) {
    std::cerr << "velomar-cli: " << e.what() << '\n';
    return 1;
  }
}
