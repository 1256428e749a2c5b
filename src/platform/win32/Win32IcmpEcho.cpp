// The echo service over icmp.dll (loaded at run time) and Winsock.
#include <winsock2.h>
// winsock2.h first: windows.h would otherwise bring in the old winsock.h.
#include <ipexport.h>
#include <windows.h>

#include <cstring>
#include <vector>

#include "platform/IcmpEcho.h"
#include "platform/win32/Win32EntryPoint.h"

namespace velomar::platform {

namespace {

static_assert(sizeof(ICMP_ECHO_REPLY) == (sizeof(void*) == 8 ? 40 : 28), "the reply record of this build");

using IcmpCreateFileFn = HANDLE(WINAPI*)();
using IcmpCloseHandleFn = BOOL(WINAPI*)(HANDLE);
using IcmpSendEchoFn = DWORD(WINAPI*)(HANDLE, IPAddr, LPVOID, WORD, PIP_OPTION_INFORMATION, LPVOID, DWORD, DWORD);

std::uint32_t Low32(const void* pointer) {
  return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(pointer));
}

class Win32IcmpLibrary : public IcmpLibrary {
 public:
  Win32IcmpLibrary(HMODULE module, IcmpCreateFileFn create, IcmpCloseHandleFn close, IcmpSendEchoFn send)
      : module_(module), create_(create), close_(close), send_(send) {}
  ~Win32IcmpLibrary() override { FreeLibrary(module_); }

  IcmpHandle IcmpCreateFile() override {
    const HANDLE handle = create_();
    return handle == INVALID_HANDLE_VALUE ? kInvalidIcmpHandle : reinterpret_cast<IcmpHandle>(handle);
  }

  bool IcmpCloseHandle(IcmpHandle handle) override { return close_(reinterpret_cast<HANDLE>(handle)) != FALSE; }

  EchoResult IcmpSendEcho(IcmpHandle handle, std::uint32_t address, const void* data, std::uint16_t size,
                          const EchoRequestOptions& options, std::uint32_t timeoutMs) override {
    // Room for one reply record of this build (40 bytes on 64-bit, 28 on
    // 32-bit), the echoed data and an ICMP error message.
    std::vector<unsigned char> buffer(sizeof(ICMP_ECHO_REPLY) + size + 8, 0);
    std::vector<unsigned char> request(static_cast<const unsigned char*>(data),
                                       static_cast<const unsigned char*>(data) + size);
    IP_OPTION_INFORMATION requestOptions{};
    requestOptions.Ttl = options.Ttl;
    requestOptions.Tos = options.Tos;
    requestOptions.Flags = options.Flags;
    requestOptions.OptionsSize = 0;
    requestOptions.OptionsData = nullptr;

    EchoResult result;
    result.replies = send_(reinterpret_cast<HANDLE>(handle), address, request.empty() ? nullptr : request.data(), size,
                           &requestOptions, buffer.data(), static_cast<DWORD>(buffer.size()), timeoutMs);
    result.lastError = GetLastError();

    ICMP_ECHO_REPLY head;
    std::memcpy(&head, buffer.data(), sizeof head);
    result.reply.Address = head.Address;
    result.reply.Status = head.Status;
    result.reply.RoundTripTime = head.RoundTripTime;
    result.reply.DataSize = head.DataSize;
    result.reply.Reserved = head.Reserved;
    result.reply.Data = Low32(head.Data);
    result.reply.OptionsTtl = head.Options.Ttl;
    result.reply.OptionsTos = head.Options.Tos;
    result.reply.OptionsFlags = head.Options.Flags;
    result.reply.OptionsSize = head.Options.OptionsSize;
    result.reply.OptionsData = Low32(head.Options.OptionsData);
    return result;
  }

 private:
  HMODULE module_;
  IcmpCreateFileFn create_;
  IcmpCloseHandleFn close_;
  IcmpSendEchoFn send_;
};

class Win32IcmpEchoService : public IcmpEchoService {
 public:
  int StartWinsock(std::uint16_t version) override {
    WSADATA data;
    return WSAStartup(version, &data);
  }

  void CleanupWinsock() override { WSACleanup(); }

  std::unique_ptr<IcmpLibrary> LoadIcmpLibrary(IcmpLoadFailure& failure) override {
    const HMODULE module = LoadLibraryA("icmp.dll");
    if (!module) {
      failure = IcmpLoadFailure::NoLibrary;
      return nullptr;
    }
    const auto create = EntryPoint<IcmpCreateFileFn>(module, "IcmpCreateFile");
    const auto close = EntryPoint<IcmpCloseHandleFn>(module, "IcmpCloseHandle");
    const auto send = EntryPoint<IcmpSendEchoFn>(module, "IcmpSendEcho");
    if (!create || !close || !send) {
      FreeLibrary(module);
      failure = IcmpLoadFailure::MissingEntryPoints;
      return nullptr;
    }
    failure = IcmpLoadFailure::None;
    return std::make_unique<Win32IcmpLibrary>(module, create, close, send);
  }

  std::optional<HostEntry> GetHostByName(const std::string& name, std::uint32_t& lastError) override {
    const hostent* host = gethostbyname(name.c_str());
    if (!host) {
      lastError = static_cast<std::uint32_t>(WSAGetLastError());
      return std::nullopt;
    }
    if (host->h_addrtype != AF_INET || host->h_length != 4 || !host->h_addr_list || !host->h_addr_list[0]) {
      lastError = WSANO_DATA;
      return std::nullopt;
    }
    HostEntry entry;
    entry.officialName = host->h_name ? host->h_name : name;
    std::memcpy(&entry.address, host->h_addr_list[0], sizeof entry.address);
    lastError = 0;
    return entry;
  }
};

}  // namespace

IcmpEchoService& SystemIcmpEcho() {
  static Win32IcmpEchoService service;
  return service;
}

std::uint32_t InetAddr(const std::string& text) { return inet_addr(text.c_str()); }

std::string InetNtoa(std::uint32_t address) {
  in_addr in;
  in.s_addr = address;
  const char* text = inet_ntoa(in);
  return text ? text : "";
}

std::string AnsiFromUtf8(const std::string& text) {
  if (text.empty()) return text;
  const int wideLength =
      MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (wideLength <= 0) return text;
  std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), wideLength);
  const int ansiLength = WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
  if (ansiLength <= 0) return text;
  std::string ansi(static_cast<std::size_t>(ansiLength), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, ansi.data(), ansiLength, nullptr, nullptr);
  return ansi;
}

}  // namespace velomar::platform
