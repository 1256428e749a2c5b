#include <gtest/gtest.h>

#include "bandwidth/BandwidthClass.h"
#include "bandwidth/LastClassFile.h"
#include "platform/Files.h"
#include "support/TestSupport.h"
#include "util/TextLines.h"

namespace velomar {
namespace {

TEST(BandwidthClasses, WindowsForEveryClassAtBothMtus) {
  const std::int32_t at1500[] = {17520,  33580,   64240,   129940,   261340,  261340,
                                 652620, 3276240, 6552480, 32766780, 67107440};
  const std::int32_t at1492[] = {17424,  33396,   65340,   130680,   261360,  261360,
                                 653400, 3275712, 6552876, 32767284, 67108536};
  for (const auto& c : BandwidthClasses()) {
    EXPECT_EQ(ComputeTcpWindow(c.bandwidthKbps, 1500), at1500[c.position]) << c.tickLabel;
    EXPECT_EQ(ComputeTcpWindow(c.bandwidthKbps, 1492), at1492[c.position]) << c.tickLabel;
    // The per-class inputs of the table are what the computation uses.
    EXPECT_EQ(WindowBaseKbpsFor(c.bandwidthKbps), c.windowBaseKbps) << c.tickLabel;
    EXPECT_EQ(SegmentAdjustFor(c.bandwidthKbps), c.segmentAdjust) << c.tickLabel;
  }
}

TEST(BandwidthClasses, NoWindowWithoutASegment) {
  EXPECT_FALSE(ComputeTcpWindow(1024, 40));
  EXPECT_FALSE(ComputeTcpWindow(1024, 0));
  EXPECT_FALSE(ComputeTcpWindow(1024, -1500));
  EXPECT_EQ(ComputeTcpWindow(1024, 41), 65536);
  EXPECT_FALSE(ComputeTcpWindow(INT32_MAX, 41)) << "a window beyond 32 bits is refused";
}

TEST(BandwidthClasses, LabelsAndLookups) {
  const std::size_t autoLengths[] = {15, 14, 15, 15, 15, 15, 14, 14, 14, 14, 13};
  const std::size_t customLengths[] = {12, 13, 11, 11, 11, 11, 12, 12, 14, 13, 13};
  for (const auto& c : BandwidthClasses()) {
    EXPECT_EQ(std::string(c.autoLabel).size(), autoLengths[c.position]) << c.position;
    EXPECT_EQ(std::string(c.customLabel).size(), customLengths[c.position]) << c.position;
    EXPECT_EQ(ParseBandwidthClass(c.tickLabel), c.position);
    EXPECT_EQ(ParseBandwidthClass(std::to_string(c.position)), c.position);
  }
  EXPECT_STREQ(BandwidthClassAt(8)->customLabel, " : 100 MKbps  ");
  EXPECT_EQ(ParseBandwidthClass("512K"), 1);
  EXPECT_EQ(ParseBandwidthClass("1g"), 10);
  for (const char* bad : {"11", "-1", "", "10 ", "+3", "2Mbps", "56"}) EXPECT_FALSE(ParseBandwidthClass(bad)) << bad;
  EXPECT_EQ(BandwidthClassAt(11), nullptr);
  EXPECT_EQ(ReceiveBufferFigure(56), 65392);
  EXPECT_EQ(ReceiveBufferFigure(111), 65392);
  EXPECT_EQ(ReceiveBufferFigure(112), 256960);
  EXPECT_EQ(ReceiveBufferFigure(2048), 256960);
  EXPECT_EQ(ReceiveBufferFigure(4096), 513920);
}

class LastSet : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(platform::CreateDirectoryTree(platform::JoinPath(folder.path(), "Tandrel")));
    ASSERT_TRUE(
        platform::CreateDirectoryTree(platform::JoinPath(platform::JoinPath(folder.path(), "Tandrel"), "Velomar")));
  }
  std::string File() const { return test::ReadFileText(LastSetFilePath()); }
  void Save(bool automatic, int position) {
    std::string error;
    ASSERT_TRUE(automatic ? SaveAutoClass(position, error) : SaveCustomClass(position, error)) << error;
  }

  test::TempFolder folder;
  test::ScopedAppData appData{folder.path()};
};

TEST_F(LastSet, SequencesOfRuns) {
  EXPECT_FALSE(LoadAutoClass());
  EXPECT_FALSE(LoadStoredCustomClass().fileExists);
  Save(true, 6);
  EXPECT_EQ(File(), "6\r\n");
  Save(false, 2);
  EXPECT_EQ(File(), "6\r\n2\r\n");
  Save(true, 0);
  EXPECT_EQ(File(), "0\r\n2\r\n");
  EXPECT_EQ(LoadAutoClass(), 0);
  EXPECT_EQ(LoadStoredCustomClass().position, 2);
}

TEST_F(LastSet, CustomRunFirstAndEmptyFile) {
  Save(false, 9);
  EXPECT_EQ(File(), "-1\r\n9\r\n");
  EXPECT_FALSE(LoadAutoClass()) << "-1 is no automatic class";
  test::WriteFileText(LastSetFilePath(), "");
  Save(false, 3);
  EXPECT_EQ(File(), "-1\r\n3\r\n");
}

TEST_F(LastSet, FurtherLinesAreKeptAndBadLinesReadAsNone) {
  test::WriteFileText(LastSetFilePath(), "11\nx\nextra\r\nmore");
  EXPECT_FALSE(LoadAutoClass());
  EXPECT_FALSE(LoadStoredCustomClass().position);
  EXPECT_TRUE(LoadStoredCustomClass().fileExists);
  Save(true, 4);
  EXPECT_EQ(File(), "4\r\nx\r\nextra\r\nmore\r\n");
  for (const char* text : {"-5\r\n", "abc\r\n", " 3x\r\n"}) {
    test::WriteFileText(LastSetFilePath(), text);
    EXPECT_FALSE(LoadAutoClass()) << text;
  }
}

TEST_F(LastSet, SaveFailsWithoutTheFolderAndLeavesNothing) {
  test::TempFolder other;
  test::ScopedAppData elsewhere(other.path());
  std::string error;
  EXPECT_FALSE(SaveAutoClass(1, error)) << "the writers do not create the folder";
  EXPECT_NE(error.find("LastSetBandWidth.vm"), std::string::npos) << error;
  EXPECT_FALSE(platform::FileExists(LastSetFilePath()));
}

}  // namespace
}  // namespace velomar
