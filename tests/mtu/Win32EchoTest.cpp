// The Windows echo service (icmp.dll and Winsock) against the loopback
// address, the ping component's hidden window and lookups, and the message
// handling of the waiting caller.
#include <gtest/gtest.h>
#include <windows.h>
#include <winsock2.h>

#include "ScriptedEchoService.h"
#include "mtu/EchoRequester.h"
#include "mtu/PathMtuSearch.h"
#include "mtu/Pinger.h"
#include "platform/MessageWait.h"

namespace velomar {
namespace {

TEST(Win32Echo, EchoToTheLoopbackIsAnsweredByIt) {
  EchoRequester icmp;
  icmp.SetAddress("127.0.0.1");
  icmp.size = 100;
  icmp.flags = platform::kIpFlagDontFragment;
  EXPECT_EQ(icmp.SendPing(), 1);
  EXPECT_EQ(icmp.HostIP(), "127.0.0.1");
  EXPECT_EQ(icmp.HostName(), "127.0.0.1");
  EXPECT_EQ(icmp.Reply().Status, platform::kIpSuccess);
  EXPECT_EQ(icmp.Reply().Address, platform::InetAddr("127.0.0.1"));
  EXPECT_EQ(icmp.Reply().DataSize, 100);
  EXPECT_EQ(icmp.LastError(), 0);
}

TEST(Win32Echo, LocalhostResolvesToTheLoopback) {
  EchoRequester icmp;
  icmp.SetAddress("localhost");
  icmp.ResolveAddress();
  EXPECT_TRUE(icmp.AddressResolved());
  EXPECT_EQ(icmp.HostIP(), "127.0.0.1");
  EXPECT_FALSE(icmp.HostName().empty());
}

TEST(Win32Echo, TheSearchOverTheRealServiceFindsALoopbackMtu) { EXPECT_GE(MeasurePathMtu("127.0.0.1"), 576); }

TEST(Win32Ping, TheHiddenWindowCarriesItsComponent) {
  HWND window = nullptr;
  {
    Pinger ping;
    window = static_cast<HWND>(ping.WindowHandle());
    ASSERT_NE(window, nullptr);
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    EXPECT_STREQ(className, "OrvekPingWindowClass");
    EXPECT_EQ(GetWindowLongPtrA(window, 0), reinterpret_cast<LONG_PTR>(&ping));
    EXPECT_EQ(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, WS_EX_TOOLWINDOW);
    EXPECT_FALSE(IsWindowVisible(window));
    Pinger second;  // the class is registered once and reused
    EXPECT_NE(second.WindowHandle(), nullptr);
  }
  EXPECT_FALSE(IsWindow(window));
}

TEST(Win32Ping, ADottedAddressIsLookedUpAtOnce) {
  Pinger ping;
  int done = 0;
  std::uint16_t error = 99;
  ping.onDnsLookupDone = [&](Pinger&, std::uint16_t e) {
    ++done;
    error = e;
  };
  ping.DnsLookup("127.0.0.1");
  EXPECT_EQ(done, 1);
  EXPECT_EQ(error, 0);
  EXPECT_EQ(ping.DnsResult(), "127.0.0.1");
  ping.CancelDnsLookup();  // nothing pending: nothing happens
  EXPECT_EQ(done, 1);
}

TEST(Win32Ping, ANameLookupCompletesThroughTheHiddenWindow) {
  Pinger ping;
  int done = 0;
  std::uint16_t error = 99;
  ping.onDnsLookupDone = [&](Pinger&, std::uint16_t e) {
    ++done;
    error = e;
  };
  ping.DnsLookup("localhost");
  // A completion for some other request is dropped.
  SendMessageA(static_cast<HWND>(ping.WindowHandle()), kDnsLookupDoneMessage, 12345, 0);
  EXPECT_EQ(done, 0);
  const DWORD start = GetTickCount();
  platform::ProcessMessagesUntil([&] { return done > 0 || GetTickCount() - start > 10000; });
  EXPECT_EQ(done, 1);
  EXPECT_EQ(error, 0);
  EXPECT_EQ(ping.DnsResult(), "127.0.0.1");
}

int g_ticks = 0;
void CALLBACK CountTick(HWND, UINT, UINT_PTR, DWORD) { ++g_ticks; }

TEST(Win32Probe, TheWaitingCallerKeepsHandlingItsMessages) {
  test::ScriptedEchoService service;
  ScopedIcmpEcho scoped(service);
  service.delay = std::chrono::milliseconds(40);
  g_ticks = 0;
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, &CountTick);
  ASSERT_NE(timer, 0u);
  EXPECT_EQ(MeasurePathMtu("127.0.0.1"), 1500);
  KillTimer(nullptr, timer);
  EXPECT_GT(g_ticks, 3) << "timer messages were not dispatched during the search";
}

}  // namespace
}  // namespace velomar
