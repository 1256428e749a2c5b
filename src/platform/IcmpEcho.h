#pragma once
// ICMP echo seam: the three echo entry points of icmp.dll and the Winsock
// start-up and name resolution that go with them. Two backends: icmp.dll
// and Winsock on Windows, a Linux ICMP socket and the resolver elsewhere.
// Tests put a scripted service in place of the system's.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace velomar::platform {

// Echo statuses and errors, numbered as Windows numbers them.
inline constexpr std::uint32_t kIpSuccess = 0;
inline constexpr std::uint32_t kIpBufTooSmall = 11001;
inline constexpr std::uint32_t kIpDestNetUnreachable = 11002;
inline constexpr std::uint32_t kIpDestHostUnreachable = 11003;
inline constexpr std::uint32_t kIpDestProtUnreachable = 11004;
inline constexpr std::uint32_t kIpDestPortUnreachable = 11005;
inline constexpr std::uint32_t kIpNoResources = 11006;
inline constexpr std::uint32_t kIpPacketTooBig = 11009;
inline constexpr std::uint32_t kIpReqTimedOut = 11010;
inline constexpr std::uint32_t kIpBadRequest = 11011;
inline constexpr std::uint32_t kIpTtlExpiredTransit = 11013;
inline constexpr std::uint32_t kIpParamProblem = 11015;
inline constexpr std::uint32_t kIpSourceQuench = 11016;
inline constexpr std::uint32_t kIpBadDestination = 11018;
inline constexpr std::uint32_t kIpGeneralFailure = 11050;

// The don't-fragment bit of the IP header flags.
inline constexpr std::uint8_t kIpFlagDontFragment = 2;

// INADDR_NONE: no address.
inline constexpr std::uint32_t kNoAddress = 0xFFFFFFFFu;

// The IP_OPTION_INFORMATION of a request, without option data.
struct EchoRequestOptions {
  std::uint8_t Ttl = 0;
  std::uint8_t Tos = 0;
  std::uint8_t Flags = 0;
  std::uint8_t OptionsSize = 0;
};

// The head of an echo reply in the 28-byte layout of 32-bit Windows
// (ICMP_ECHO_REPLY with its IP_OPTION_INFORMATION). Addresses are in
// network byte order. Pointers are kept as 32-bit figures: nothing reads
// through them.
struct EchoReply {
  std::uint32_t Address = 0;
  std::uint32_t Status = 0;
  std::uint32_t RoundTripTime = 0;
  std::uint16_t DataSize = 0;
  std::uint16_t Reserved = 0;
  std::uint32_t Data = 0;
  std::uint8_t OptionsTtl = 0;
  std::uint8_t OptionsTos = 0;
  std::uint8_t OptionsFlags = 0;
  std::uint8_t OptionsSize = 0;
  std::uint32_t OptionsData = 0;
  bool operator==(const EchoReply&) const = default;
};
static_assert(sizeof(EchoReply) == 28, "the reply head keeps the 32-bit Windows layout");

// What an echo answered: the reply count IcmpSendEcho returns, the thread's
// last error after the call, and the head of the reply buffer.
struct EchoResult {
  std::uint32_t replies = 0;
  std::uint32_t lastError = 0;
  EchoReply reply;
};

// A handle from IcmpCreateFile; kInvalidIcmpHandle when there is none.
using IcmpHandle = std::intptr_t;
inline constexpr IcmpHandle kInvalidIcmpHandle = -1;

// The loaded echo library and its three entry points. Destroying it frees
// the library.
class IcmpLibrary {
 public:
  virtual ~IcmpLibrary() = default;
  virtual IcmpHandle IcmpCreateFile() = 0;
  virtual bool IcmpCloseHandle(IcmpHandle handle) = 0;
  // Sends one request of `size` bytes of `data` to `address` and waits at
  // most `timeoutMs` for the answer.
  virtual EchoResult IcmpSendEcho(IcmpHandle handle, std::uint32_t address, const void* data, std::uint16_t size,
                                  const EchoRequestOptions& options, std::uint32_t timeoutMs) = 0;
};

// Why the library could not be loaded.
enum class IcmpLoadFailure { None, NoLibrary, MissingEntryPoints };

// A host found by name: its official name and first IPv4 address.
struct HostEntry {
  std::string officialName;
  std::uint32_t address = kNoAddress;  // network byte order
};

class IcmpEchoService {
 public:
  virtual ~IcmpEchoService() = default;
  // WSAStartup: 0 on success, otherwise the error.
  virtual int StartWinsock(std::uint16_t version) = 0;
  // WSACleanup, once for every successful start.
  virtual void CleanupWinsock() = 0;
  // Loads "icmp.dll" and looks up its three entry points. Null with the
  // reason when either step fails.
  virtual std::unique_ptr<IcmpLibrary> LoadIcmpLibrary(IcmpLoadFailure& failure) = 0;
  // gethostbyname for IPv4. Nothing on failure, with the thread's last
  // error in `lastError`.
  virtual std::optional<HostEntry> GetHostByName(const std::string& name, std::uint32_t& lastError) = 0;
};

// The echo service of this system.
IcmpEchoService& SystemIcmpEcho();

// inet_addr: a dotted IPv4 address in network byte order, or kNoAddress.
std::uint32_t InetAddr(const std::string& text);
// inet_ntoa: the dotted form of an address in network byte order.
std::string InetNtoa(std::uint32_t address);
// A UTF-8 text in the system's ANSI code page (unchanged where the system
// works in UTF-8, or when the text is not valid UTF-8).
std::string AnsiFromUtf8(const std::string& text);

}  // namespace velomar::platform
