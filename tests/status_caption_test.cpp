// The status caption, word for word, and the number formatting beneath it.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "app/status_caption.h"
#include "headless_viewport.h"
#include "platform/forms/runtime.h"
#include "platform/forms/virtual_keys.h"

namespace {

class Caption : public ::testing::Test {
 protected:
  void SetUp() override {
    FormatSettings = TFormatSettings{};
    headless_ = std::make_unique<HeadlessViewport>(&gl_);
  }
  void TearDown() override { FormatSettings = TFormatSettings{}; }
  std::string after(uint16_t key) {
    mainWindow->FormKeyDown(mainWindow, key, 0);
    return mainWindow->GetText();
  }

  ScriptedGlBinding gl_;
  std::unique_ptr<HeadlessViewport> headless_;
};

const char* const kFirst = "Galaxy ~ Rotation(0.01:0.01:0.10) Zoom(0.00) Arm(4:100:6.91:64) Other(2:512:1.10:2)";

}  // namespace

TEST_F(Caption, FirstKeyDownShowsTheStartValues) {
  EXPECT_EQ(mainWindow->GetText(), "Galaxy") << "until the first key";
  EXPECT_EQ(after(VK_SHIFT), kFirst);
}

TEST_F(Caption, ShowsTheValuesInForceAfterTheKey) {
  EXPECT_EQ(after(VK_UP),
            "Galaxy ~ Rotation(-0.09:0.01:0.10) Zoom(0.00) Arm(4:100:6.91:64) Other(2:512:1.10:2)");
  EXPECT_EQ(after('7'),
            "Galaxy ~ Rotation(-0.09:0.01:0.10) Zoom(0.00) Arm(3:155:4.19:64) Other(2:512:1.10:2)");
  EXPECT_NE(after('8').find("Arm(4:50:122.52:64)"), std::string::npos);
}

TEST_F(Caption, TinyAndNegativeValues) {
  EXPECT_EQ(after(VK_DIVIDE), "Galaxy ~ Rotation(0.01:0.01:0.00) Zoom(0.00) Arm(4:100:6.91:64) Other(2:512:1.10:2)");
  // Two more steps leave about -1.49e-9: no minus sign on a zero.
  after(VK_DIVIDE);
  EXPECT_NE(after(VK_MULTIPLY).find("Rotation(0.01:0.01:0.00)"), std::string::npos);
  mainWindow->galaxy.rings = -2;
  EXPECT_NE(after('A').find("Arm(4:-3:6.91:64)"), std::string::npos);
  mainWindow->galaxy.falloff = -2147483647 - 1;
  EXPECT_NE(after(VK_SHIFT).find(":-2147483648)"), std::string::npos);
}

TEST_F(Caption, TheWheelAloneNeverChangesIt) {
  after(VK_SHIFT);
  bool handled = false;
  mainWindow->FormMouseWheel(mainWindow, 0, 120, {}, handled);
  EXPECT_EQ(mainWindow->GetText(), kFirst);
  EXPECT_NE(after(VK_SHIFT).find("Zoom(0.10)"), std::string::npos) << "the change shows at the next key";
}

TEST_F(Caption, UsesTheUsersDecimalSeparatorAndKeepsTheColons) {
  FormatSettings = TFormatSettings{","};
  EXPECT_EQ(after(VK_SHIFT),
            "Galaxy ~ Rotation(0,01:0,01:0,10) Zoom(0,00) Arm(4:100:6,91:64) Other(2:512:1,10:2)");
}

TEST(FormatFloat, RoundsTheExactValueToHundredthsWithTiesAwayFromZero) {
  const TFormatSettings dot;
  EXPECT_EQ(FormatFloat("0.00", 0.125L, dot), "0.13") << "an exact tie rounds away from zero";
  EXPECT_EQ(FormatFloat("0.00", -0.125L, dot), "-0.13");
  EXPECT_EQ(FormatFloat("0.00", 0.015, dot), "0.01") << "the double 0.015 lies just below the tie";
  EXPECT_EQ(FormatFloat("0.00", 0.1f, dot), "0.10");
  EXPECT_EQ(FormatFloat("0.00", 0.995L, dot), "1.00") << "l carry into the integer part";
  EXPECT_EQ(FormatFloat("0.00", 99.999L, dot), "100.00");
  EXPECT_EQ(FormatFloat("0.00", -0.004L, dot), "0.00") << "no minus sign on a value that rounds to zero";
  EXPECT_EQ(FormatFloat("0.00", -0.0L, dot), "0.00");
  EXPECT_EQ(FormatFloat("0.00", 1.49e-9L, dot), "0.00");
  EXPECT_EQ(FormatFloat("0.00", 1e-4000L, dot), "0.00");
  EXPECT_EQ(FormatFloat("0.00", 1234567.891L, dot), "1234567.89") << "no digit grouping";
  EXPECT_EQ(FormatFloat("0.00", 122.52211349000193, dot), "122.52");
  EXPECT_EQ(FormatFloat("0.00", -6.911503837897546, dot), "-6.91");
  EXPECT_EQ(FormatFloat("0.0", 2.25L, dot), "2.3");
  EXPECT_EQ(FormatFloat("0", -2.5L, dot), "-3");
  EXPECT_EQ(FormatFloat("0.00", std::nanl(""), dot), "NAN");
}

TEST(Sign, GivesMinusOneZeroOrOne) {
  EXPECT_EQ(Sign(-2147483647 - 1), -1);
  EXPECT_EQ(Sign(-1), -1);
  EXPECT_EQ(Sign(0), 0);
  EXPECT_EQ(Sign(960), 1);
}

TEST(FormatSettings, ComesFromTheNumericLocale) {
  setenv("LC_ALL", "C", 1);
  EXPECT_EQ(userFormatSettings().DecimalSeparator, ".");
  unsetenv("LC_ALL");
}
