// The echo service over a Linux ICMP socket. A request that does not fit
// the path with don't-fragment set answers IP_PACKET_TOO_BIG, as it does
// on Windows: the kernel refuses it at once (EMSGSIZE) when the route's
// MTU is known to be smaller, or a router answers "fragmentation needed".
#include <arpa/inet.h>
#include <errno.h>
#include <linux/errqueue.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/ip.h>
#include <netinet/ip_icmp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <vector>

#include "platform/IcmpEcho.h"

namespace velomar::platform {

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::size_t kIcmpHeader = 8;
constexpr std::size_t kLargestDatagram = 65535;

std::atomic<std::uint16_t> g_sequence{0};

std::uint16_t Checksum(const unsigned char* bytes, std::size_t length) {
  std::uint32_t sum = 0;
  for (std::size_t i = 0; i + 1 < length; i += 2) sum += static_cast<std::uint32_t>(bytes[i] << 8 | bytes[i + 1]);
  if (length % 2) sum += static_cast<std::uint32_t>(bytes[length - 1] << 8);
  while (sum >> 16) sum = (sum & 0xFFFF) + (sum >> 16);
  return static_cast<std::uint16_t>(~sum);
}

// The echo status an ICMP error message stands for.
std::uint32_t StatusOfIcmpError(int type, int code) {
  switch (type) {
    case ICMP_DEST_UNREACH:
      switch (code) {
        case ICMP_NET_UNREACH: return kIpDestNetUnreachable;
        case ICMP_HOST_UNREACH: return kIpDestHostUnreachable;
        case ICMP_PROT_UNREACH: return kIpDestProtUnreachable;
        case ICMP_PORT_UNREACH: return kIpDestPortUnreachable;
        case ICMP_FRAG_NEEDED: return kIpPacketTooBig;
        default: return kIpDestHostUnreachable;
      }
    case ICMP_TIME_EXCEEDED: return kIpTtlExpiredTransit;
    case ICMP_PARAMETERPROB: return kIpParamProblem;
    case ICMP_SOURCE_QUENCH: return kIpSourceQuench;
    default: return kIpGeneralFailure;
  }
}

std::uint32_t StatusOfSendError(int error) {
  switch (error) {
    case EMSGSIZE: return kIpPacketTooBig;
    case ENETUNREACH: return kIpDestNetUnreachable;
    case EHOSTUNREACH: return kIpDestHostUnreachable;
    case ENOBUFS:
    case ENOMEM: return kIpNoResources;
    case EACCES:
    case EINVAL: return kIpBadDestination;
    default: return kIpGeneralFailure;
  }
}

EchoResult Failed(std::uint32_t status, std::uint32_t replies = 0, std::uint32_t from = 0) {
  EchoResult result;
  result.replies = replies;
  result.lastError = status;
  result.reply.Status = status;
  result.reply.Address = from;
  return result;
}

// One socket per handle: a ping socket where the system allows one to this
// user, otherwise a raw socket (root, or CAP_NET_RAW).
class PosixIcmpLibrary : public IcmpLibrary {
 public:
  IcmpHandle IcmpCreateFile() override {
    int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP);
    if (fd < 0) fd = socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
    return fd < 0 ? kInvalidIcmpHandle : fd;
  }

  bool IcmpCloseHandle(IcmpHandle handle) override { return close(static_cast<int>(handle)) == 0; }

  EchoResult IcmpSendEcho(IcmpHandle handle, std::uint32_t address, const void* data, std::uint16_t size,
                          const EchoRequestOptions& options, std::uint32_t timeoutMs) override {
    const int fd = static_cast<int>(handle);
    int type = 0;
    socklen_t typeLength = sizeof type;
    if (getsockopt(fd, SOL_SOCKET, SO_TYPE, &type, &typeLength) != 0) return Failed(kIpGeneralFailure);
    const bool raw = type == SOCK_RAW;
    if (!Configure(fd, raw, options)) return Failed(kIpGeneralFailure);
    Drain(fd, raw);

    const std::uint16_t id = static_cast<std::uint16_t>(getpid() ^ (fd << 10));
    const std::uint16_t sequence = g_sequence.fetch_add(1, std::memory_order_relaxed);
    std::vector<unsigned char> packet(kIcmpHeader + size);
    packet[0] = ICMP_ECHO;
    packet[4] = static_cast<unsigned char>(id >> 8);
    packet[5] = static_cast<unsigned char>(id);
    packet[6] = static_cast<unsigned char>(sequence >> 8);
    packet[7] = static_cast<unsigned char>(sequence);
    if (size) std::memcpy(packet.data() + kIcmpHeader, data, size);
    const std::uint16_t sum = Checksum(packet.data(), packet.size());
    packet[2] = static_cast<unsigned char>(sum >> 8);
    packet[3] = static_cast<unsigned char>(sum);

    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = address;
    const auto start = Clock::now();
    if (sendto(fd, packet.data(), packet.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to) < 0)
      return Failed(StatusOfSendError(errno));
    return AwaitAnswer(fd, raw, id, sequence, start, start + std::chrono::milliseconds(timeoutMs));
  }

 private:
  static bool Configure(int fd, bool raw, const EchoRequestOptions& options) {
    const int ttl = options.Ttl;
    const int discover = (options.Flags & kIpFlagDontFragment) ? IP_PMTUDISC_DO : IP_PMTUDISC_DONT;
    const int tos = options.Tos;
    const int on = 1;
    if (setsockopt(fd, IPPROTO_IP, IP_TTL, &ttl, sizeof ttl) != 0) return false;
    if (setsockopt(fd, IPPROTO_IP, IP_MTU_DISCOVER, &discover, sizeof discover) != 0) return false;
    if (setsockopt(fd, IPPROTO_IP, IP_TOS, &tos, sizeof tos) != 0) return false;
    // A ping socket reports ICMP errors only through its error queue; a raw
    // socket receives the error messages themselves.
    if (!raw) {
      if (setsockopt(fd, IPPROTO_IP, IP_RECVERR, &on, sizeof on) != 0) return false;
      if (setsockopt(fd, IPPROTO_IP, IP_RECVTTL, &on, sizeof on) != 0) return false;
    }
    return true;
  }

  // Answers left over from an earlier request of this handle.
  static void Drain(int fd, bool raw) {
    unsigned char scrap[512];
    while (recv(fd, scrap, sizeof scrap, MSG_DONTWAIT) >= 0) {
    }
    if (!raw)
      while (recv(fd, scrap, sizeof scrap, MSG_DONTWAIT | MSG_ERRQUEUE) >= 0) {
      }
  }

  static EchoResult AwaitAnswer(int fd, bool raw, std::uint16_t id, std::uint16_t sequence, Clock::time_point start,
                                Clock::time_point deadline) {
    std::vector<unsigned char> buffer(kLargestDatagram + 1);
    for (;;) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
      if (left <= 0) return Failed(kIpReqTimedOut);
      pollfd wait{fd, POLLIN, 0};
      const int ready = poll(&wait, 1, static_cast<int>(std::min<long long>(left, 60000)));
      if (ready < 0 && errno != EINTR) return Failed(kIpGeneralFailure);
      if (ready <= 0) continue;
      if (wait.revents & POLLNVAL) return Failed(kIpGeneralFailure);
      if (wait.revents & POLLERR) {
        if (!raw) return ReadQueuedError(fd);
        // Reading the pending error clears it; left set, poll would answer
        // at once again and again.
        int pending = 0;
        socklen_t pendingLength = sizeof pending;
        getsockopt(fd, SOL_SOCKET, SO_ERROR, &pending, &pendingLength);
      }
      if (!(wait.revents & POLLIN)) continue;

      sockaddr_in from{};
      iovec part{buffer.data(), buffer.size()};
      unsigned char control[256];
      msghdr message{};
      message.msg_name = &from;
      message.msg_namelen = sizeof from;
      message.msg_iov = &part;
      message.msg_iovlen = 1;
      message.msg_control = control;
      message.msg_controllen = sizeof control;
      const ssize_t got = recvmsg(fd, &message, MSG_DONTWAIT);
      if (got < 0) continue;
      const auto answer = raw ? ParseRaw(buffer.data(), static_cast<std::size_t>(got), id, sequence)
                              : ParsePing(buffer.data(), static_cast<std::size_t>(got), message, sequence);
      if (!answer) continue;
      EchoResult result = *answer;
      result.replies = 1;
      result.reply.Address = from.sin_addr.s_addr;
      if (result.reply.Status == kIpSuccess) {
        result.reply.RoundTripTime = static_cast<std::uint32_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
      }
      result.lastError = result.reply.Status;
      return result;
    }
  }

  static std::optional<EchoResult> EchoReplyOf(std::size_t dataSize, int ttl) {
    EchoResult result;
    result.reply.Status = kIpSuccess;
    result.reply.DataSize = static_cast<std::uint16_t>(dataSize);
    result.reply.OptionsTtl = static_cast<std::uint8_t>(ttl);
    return result;
  }

  // A ping socket delivers ICMP only: the kernel has matched the identifier.
  static std::optional<EchoResult> ParsePing(const unsigned char* icmp, std::size_t length, msghdr& message,
                                             std::uint16_t sequence) {
    if (length < kIcmpHeader || icmp[0] != ICMP_ECHOREPLY) return std::nullopt;
    if ((icmp[6] << 8 | icmp[7]) != sequence) return std::nullopt;
    int ttl = 0;
    for (cmsghdr* c = CMSG_FIRSTHDR(&message); c; c = CMSG_NXTHDR(&message, c))
      if (c->cmsg_level == IPPROTO_IP && c->cmsg_type == IP_TTL) std::memcpy(&ttl, CMSG_DATA(c), sizeof ttl);
    return EchoReplyOf(length - kIcmpHeader, ttl);
  }

  // A raw socket sees every ICMP message of the host, our own requests
  // included: only the reply to this request, or an error about it, counts.
  static std::optional<EchoResult> ParseRaw(const unsigned char* ip, std::size_t length, std::uint16_t id,
                                            std::uint16_t sequence) {
    if (length < 20) return std::nullopt;
    const std::size_t headerLength = static_cast<std::size_t>(ip[0] & 0x0F) * 4;
    if (headerLength < 20 || length < headerLength + kIcmpHeader) return std::nullopt;
    const unsigned char* icmp = ip + headerLength;
    const auto matches = [&](const unsigned char* echo) {
      return (echo[4] << 8 | echo[5]) == id && (echo[6] << 8 | echo[7]) == sequence;
    };
    if (icmp[0] == ICMP_ECHOREPLY) {
      if (!matches(icmp)) return std::nullopt;
      return EchoReplyOf(length - headerLength - kIcmpHeader, ip[8]);
    }
    if (icmp[0] != ICMP_DEST_UNREACH && icmp[0] != ICMP_TIME_EXCEEDED && icmp[0] != ICMP_PARAMETERPROB &&
        icmp[0] != ICMP_SOURCE_QUENCH)
      return std::nullopt;
    // The error quotes the request's IP header and the first 8 bytes after it.
    const unsigned char* quoted = icmp + kIcmpHeader;
    const std::size_t quotedLength = length - headerLength - kIcmpHeader;
    if (quotedLength < 20) return std::nullopt;
    const std::size_t quotedHeader = static_cast<std::size_t>(quoted[0] & 0x0F) * 4;
    if (quotedHeader < 20 || quotedLength < quotedHeader + kIcmpHeader) return std::nullopt;
    const unsigned char* request = quoted + quotedHeader;
    if (request[0] != ICMP_ECHO || !matches(request)) return std::nullopt;
    EchoResult result;
    result.reply.Status = StatusOfIcmpError(icmp[0], icmp[1]);
    return result;
  }

  static EchoResult ReadQueuedError(int fd) {
    unsigned char scrap[512];
    unsigned char control[512];
    iovec part{scrap, sizeof scrap};
    msghdr message{};
    message.msg_iov = &part;
    message.msg_iovlen = 1;
    message.msg_control = control;
    message.msg_controllen = sizeof control;
    if (recvmsg(fd, &message, MSG_ERRQUEUE | MSG_DONTWAIT) < 0) return Failed(kIpGeneralFailure);
    for (cmsghdr* c = CMSG_FIRSTHDR(&message); c; c = CMSG_NXTHDR(&message, c)) {
      if (c->cmsg_level != IPPROTO_IP || c->cmsg_type != IP_RECVERR) continue;
      sock_extended_err error;
      std::memcpy(&error, CMSG_DATA(c), sizeof error);
      if (error.ee_origin == SO_EE_ORIGIN_ICMP) {
        sockaddr_in offender{};
        std::memcpy(&offender, SO_EE_OFFENDER(reinterpret_cast<sock_extended_err*>(CMSG_DATA(c))), sizeof offender);
        return Failed(StatusOfIcmpError(error.ee_type, error.ee_code), 1, offender.sin_addr.s_addr);
      }
      return Failed(StatusOfSendError(static_cast<int>(error.ee_errno)));
    }
    return Failed(kIpGeneralFailure);
  }
};

class PosixIcmpEchoService : public IcmpEchoService {
 public:
  int StartWinsock(std::uint16_t) override { return 0; }
  void CleanupWinsock() override {}
  std::unique_ptr<IcmpLibrary> LoadIcmpLibrary(IcmpLoadFailure& failure) override {
    failure = IcmpLoadFailure::None;
    return std::make_unique<PosixIcmpLibrary>();
  }

  std::optional<HostEntry> GetHostByName(const std::string& name, std::uint32_t& lastError) override {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_RAW;
    hints.ai_flags = AI_CANONNAME;
    addrinfo* found = nullptr;
    const int status = getaddrinfo(name.c_str(), nullptr, &hints, &found);
    if (status != 0 || !found) {
      lastError = WinsockErrorOf(status);
      return std::nullopt;
    }
    HostEntry entry;
    entry.officialName = found->ai_canonname ? found->ai_canonname : name;
    entry.address = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr.s_addr;
    freeaddrinfo(found);
    lastError = 0;
    return entry;
  }

 private:
  // The Winsock error gethostbyname would have left.
  static std::uint32_t WinsockErrorOf(int status) {
    switch (status) {
      case EAI_NONAME:
#ifdef EAI_NODATA
      case EAI_NODATA:
#endif
        return 11001;                // WSAHOST_NOT_FOUND
      case EAI_AGAIN: return 11002;  // WSATRY_AGAIN
      default: return 11003;         // WSANO_RECOVERY
    }
  }
};

}  // namespace

IcmpEchoService& SystemIcmpEcho() {
  static PosixIcmpEchoService service;
  return service;
}

std::uint32_t InetAddr(const std::string& text) { return inet_addr(text.c_str()); }

std::string InetNtoa(std::uint32_t address) {
  in_addr in{};
  in.s_addr = address;
  char text[INET_ADDRSTRLEN] = {};
  return inet_ntop(AF_INET, &in, text, sizeof text) ? text : "";
}

std::string AnsiFromUtf8(const std::string& text) { return text; }

}  // namespace velomar::platform
