#include <windows.h>

#include <iostream>
#include <streambuf>
#include <string>

#include "platform/Console.h"
#include "platform/win32/Win32Text.h"

namespace velomar::platform {

namespace {

// Collects UTF-8 and hands whole lines (and whatever a flush finds) to the
// console as UTF-16; a character cut by a flush waits for its last bytes.
class ConsoleBuffer : public std::streambuf {
 public:
  explicit ConsoleBuffer(HANDLE console) : console_(console) {}
  ~ConsoleBuffer() override { sync(); }

 protected:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    pending_ += traits_type::to_char_type(c);
    if (c == '\n') sync();
    return c;
  }
  std::streamsize xsputn(const char* text, std::streamsize count) override {
    pending_.append(text, static_cast<std::size_t>(count));
    if (pending_.find('\n') != std::string::npos) sync();
    return count;
  }
  int sync() override {
    const std::size_t whole = WholeCharacters();
    const std::wstring wide = Utf8ToWide(std::string_view(pending_).substr(0, whole));
    DWORD written = 0;
    if (!wide.empty()) WriteConsoleW(console_, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    pending_.erase(0, whole);
    return 0;
  }

 private:
  // The bytes before a UTF-8 sequence that is not complete yet.
  std::size_t WholeCharacters() const {
    std::size_t start = pending_.size();
    for (int back = 0; back < 4 && start > 0; ++back) {
      const auto byte = static_cast<unsigned char>(pending_[start - 1]);
      if ((byte & 0xC0) != 0x80) {
        const std::size_t need = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        return pending_.size() - (start - 1) >= need ? pending_.size() : start - 1;
      }
      --start;
    }
    return pending_.size();
  }

  HANDLE console_;
  std::string pending_;
};

bool IsConsole(HANDLE handle) {
  DWORD mode = 0;
  return handle != INVALID_HANDLE_VALUE && handle != nullptr && GetConsoleMode(handle, &mode);
}

// One stream led to the console while it lives.
class Redirection {
 public:
  Redirection(std::ostream& stream, DWORD which) : stream_(stream) {
    const HANDLE handle = GetStdHandle(which);
    if (!IsConsole(handle)) return;
    buffer_ = std::make_unique<ConsoleBuffer>(handle);
    stream_.flush();
    previous_ = stream_.rdbuf(buffer_.get());
  }
  ~Redirection() {
    if (!buffer_) return;
    stream_.flush();
    stream_.rdbuf(previous_);
  }
  Redirection(const Redirection&) = delete;
  Redirection& operator=(const Redirection&) = delete;

 private:
  std::ostream& stream_;
  std::unique_ptr<ConsoleBuffer> buffer_;
  std::streambuf* previous_ = nullptr;
};

}  // namespace

struct ScopedConsoleText::Streams {
  Redirection out{std::cout, STD_OUTPUT_HANDLE};
  Redirection err{std::cerr, STD_ERROR_HANDLE};
};

ScopedConsoleText::ScopedConsoleText() : streams_(std::make_unique<Streams>()) {}
ScopedConsoleText::~ScopedConsoleText() = default;

}  // namespace velomar::platform
