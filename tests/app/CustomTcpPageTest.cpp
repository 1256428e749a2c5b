#include <gtest/gtest.h>

#include "app/CustomLayout.h"
#include "app/CustomTcpPage.h"
#include "support/TcpFixture.h"

namespace velomar {
namespace {

using namespace velomar::test;
using namespace velomar::custom_tcp;

class Page : public TcpFixture {
 protected:
  void SetUp() override {
    DesignMemoryWindow(window, CustomLayout());
    page.Wire();
  }
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
    EXPECT_EQ(unit.bandwidthKbps, 2048);
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
  EXPECT_EQ(page.cards[0].serviceName, "{S2}");
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

// Every field of the custom pass has one input of the page, laid out as
// the kind of control its value needs.
TEST(CustomTcpInputs, EachFieldHasOneInputOfItsKind) {
  const FormLayout layout = CustomLayout();
  for (const CustomTcpField* field : CustomTcpFields()) {
    int inputs = 0;
    for (const auto& input : CustomTcpInputs()) {
      if (input.field != field) continue;
      ++inputs;
      const Component* laidOut = layout.Find(input.component);
      ASSERT_NE(laidOut, nullptr) << input.component;
      const ComponentKind expected = field->kind == CustomTcpField::Kind::Number   ? ComponentKind::Edit
                                     : field->kind == CustomTcpField::Kind::Switch ? ComponentKind::ComboBox
                                                                                   : ComponentKind::CheckBox;
      EXPECT_EQ(laidOut->kind, expected) << input.component;
    }
    EXPECT_EQ(inputs, 1) << field->value.name;
  }
  for (const auto& input : CustomTcpInputs()) EXPECT_NE(layout.Find(input.component), nullptr) << input.component;
}

TEST_F(Page, OfSeveralBadNumbersTheFirstThePassWouldReachIsNamed) {
  SeedAdapters({"{S2}"});
  AddCard("2", "Second", "{S2}");
  page.BuildNetworkCardList();
  const auto named = [this] {
    try {
      page.Settings();
    } catch (const FieldConversionError& e) {
      return e.field();
    }
    return std::string("none");
  };
  window.SetText(kRecvWindow, "65536");  // designed empty
  window.SetText(kMtu, "x");
  window.SetText(kTimeToLive, "x");
  EXPECT_EQ(named(), kTimeToLive) << "the MTU goes to the adapters, after every setting";
  window.SetText(kTimeToLive, "64");
  window.SetText(kLocalPriority, "x");
  window.SetText(kMaxNegativeCacheTtl, "x");
  EXPECT_EQ(named(), kMaxNegativeCacheTtl);
  window.SetText(kLocalPriority, "5");
  window.SetText(kMaxNegativeCacheTtl, "0");
  EXPECT_EQ(named(), kMtu);
}

TEST_F(Page, InputsTakeTextAsTheUserWouldSetThem) {
  page.FillSwitchCombos();
  EXPECT_EQ(page.SetFromText(kTrackBar, "1G"), std::nullopt);
  EXPECT_EQ(page.ShownValue(kTrackBar), "10");
  EXPECT_EQ(unit.bandwidthKbps, 1048576) << "the change handler ran";
  EXPECT_EQ(page.SetFromText(kSelective, "2"), std::nullopt);
  EXPECT_EQ(page.ShownValue(kSelective), "2");
  EXPECT_EQ(page.SetFromText(kPppoe, "1"), std::nullopt);
  EXPECT_EQ(page.ShownValue(kMtu), "1492") << "the click handler ran";
  EXPECT_EQ(page.SetFromText(kTimeToLive, "abc"), std::nullopt) << "an edit box takes any text";
  EXPECT_EQ(page.ShownValue(kTimeToLive), "abc");

  EXPECT_EQ(page.SetFromText(kPppoe, "2"), "CheckBox_PPPoE takes 1 or 0");
  EXPECT_EQ(page.SetFromText(kSelective, "3"), "ComboBox_Selective has no item 3");
  EXPECT_EQ(page.SetFromText(kSelective, "x"), "ComboBox_Selective must be a whole number, not 'x'");
  EXPECT_EQ(page.SetFromText(kTrackBar, "3M"), "TrackBar_BandWidth takes a class 0 to 10");
  EXPECT_EQ(page.SetFromText("Edit_Nothing", "1"), "no control 'Edit_Nothing' on the TCP/IP page");
  EXPECT_EQ(page.ShownValue(kSelective), "2") << "a refused text changes nothing";
}

}  // namespace
}  // namespace velomar
