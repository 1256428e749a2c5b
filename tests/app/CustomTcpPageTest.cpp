#include <gtest/gtest.h>

#include "app/CustomTcpPage.h"
#include "support/TcpFixture.h"

namespace velomar {
namespace {

using namespace velomar::test;
using namespace velomar::custom_tcp;

class Page : public TcpFixture {
 protected:
  void SetUp() override { DesignCustomTcpPage(window, page); }
  void AddCard(const std::string& key, const char* description, const char* service) {
    std::string text = "[HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards\\" + key + "]\n";
    if (description) text += std::string("\"Description\"=\"") + description + "\"\n";
    if (service) text += std::string("\"ServiceName\"=\"") + service + "\"\n";
    Seed(text);
  }
  CustomUnitState unit;
  CustomTcpPage page{window, unit};
};

TEST_F(Page, ReceiveWindowFollowsClassAndPppoe) {
  window.SetPosition(kTrackBar, 2);
  EXPECT_EQ(window.Text(kRecvWindow), "64240");
  EXPECT_EQ(window.Text(kSpeedGroup), "  Your choice : 1 Mbps  ");
  window.SetChecked(kPppoe, true);
  EXPECT_EQ(window.Text(kMtu), "1492");
  EXPECT_TRUE(window.ReadOnly(kMtu));
  EXPECT_EQ(window.Text(kRecvWindow), "65340");
  window.SetChecked(kPppoe, false);
  EXPECT_EQ(window.Text(kMtu), "1500");
  EXPECT_FALSE(window.ReadOnly(kMtu));
  EXPECT_EQ(window.Text(kRecvWindow), "64240");
}

TEST_F(Page, UnusableMtuKeepsTheProposal) {
  window.SetPosition(kTrackBar, 2);
  for (const char* mtu : {"40", "", "abc", "-1"}) {
    window.SetText(kMtu, mtu);
    window.SetPosition(kTrackBar, 3);
    EXPECT_EQ(window.Text(kRecvWindow), "64240") << mtu;
    EXPECT_EQ(unit.BandwidthKbps, 2048);
    window.SetPosition(kTrackBar, 2);
  }
}

TEST_F(Page, RecommendComputesForTheMtuThenResetsIt) {
  window.SetPosition(kTrackBar, 2);
  window.SetText(kMtu, "576");
  window.SetText(kMaxDuplicate, "9");
  page.Button_TCP_RecommendClick();
  EXPECT_EQ(window.Text(kRecvWindow), "65392") << "computed for 576 before the field became 1500";
  EXPECT_EQ(window.Text(kMtu), "1500");
  EXPECT_EQ(window.Text(kMaxDuplicate), "2");
  EXPECT_EQ(window.Text(kTimeToLive), "64");
  EXPECT_TRUE(window.Checked(kWindowScaling));
  EXPECT_FALSE(window.Checked(kTimestamps));
  EXPECT_EQ(window.ItemIndex(kMtuDiscovery), -1) << "no items yet: a drop-down list selects nothing";
  page.FillSwitchCombos();
  page.Button_TCP_RecommendClick();
  EXPECT_EQ(window.ItemIndex(kMtuDiscovery), 1);
  EXPECT_EQ(window.ItemIndex(kBlackHoleDetect), 2);
  EXPECT_EQ(window.ItemIndex(kSelective), 1);
}

TEST_F(Page, CardListSkipsIncompleteCardsAndHoldsTen) {
  AddCard("1", "First", nullptr);
  AddCard("2", "Second", "{S2}");
  page.BuildNetworkCardList();
  ASSERT_EQ(page.cards.size(), 1u);
  EXPECT_EQ(page.cards[0].ServiceName, "{S2}");
  EXPECT_EQ(window.Items(kNetAdapter), std::vector<std::string>{"Second"});
  EXPECT_EQ(window.ItemIndex(kNetAdapter), 0);
  EXPECT_EQ(page.SelectedServiceName(), "{S2}");

  registry.Clear();
  MemoryWindow other;
  CustomTcpPage many(other, unit);
  for (int i = 10; i < 22; ++i) {
    const std::string service = std::string("{").append(std::to_string(i)).append("}");
    AddCard(std::to_string(i), "Card", service.c_str());
  }
  many.BuildNetworkCardList();
  EXPECT_EQ(many.cards.size(), 10u);
  EXPECT_EQ(other.ItemIndex(kNetAdapter), 9);
  EXPECT_EQ(many.SelectedServiceName(), "{19}");
}

}  // namespace
}  // namespace velomar
