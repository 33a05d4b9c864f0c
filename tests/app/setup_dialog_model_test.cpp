#include "app/setup_dialog_model.h"

#include <gtest/gtest.h>

namespace quintaval {
namespace {

using Items = std::vector<std::string>;

// A display as a typical driver reports it: each resolution at several refresh rates and
// in 16 and 24 colour bits.
std::vector<DisplayMode> typicalModes() {
  return {
      {640, 480, 24},   {640, 480, 16},   {800, 600, 24},   {1024, 768, 24},  {1280, 720, 24},
      {1280, 720, 24},  {1280, 720, 16},  {1280, 800, 24},  {1280, 1024, 24}, {1366, 768, 24},
      {1440, 900, 24},  {1600, 900, 24},  {1680, 1050, 24}, {1920, 1080, 24}, {1920, 1080, 24},
      {1920, 1080, 16}, {1920, 1200, 24}, {2560, 1080, 24},
  };
}

TEST(AspectLabel, IntegerArithmeticDecides) {
  EXPECT_EQ(aspectLabelOf(1920, 1080), "16:9");
  EXPECT_EQ(aspectLabelOf(1366, 768), "16:9");  // 9 * 1366 / 16 floors to 768
  EXPECT_EQ(aspectLabelOf(1920, 1200), "16:10");
  EXPECT_EQ(aspectLabelOf(1024, 768), "4:3");
  EXPECT_EQ(aspectLabelOf(1280, 1024), "Others");
  EXPECT_EQ(aspectLabelOf(2560, 1080), "Others");
}

TEST(SetupDialogModel, OpensOnTheDesktopAspectWithTheDesktopSizeSelected) {
  DemoSettings settings;
  SetupDialogModel model(settings, typicalModes(), {1920, 1080});
  model.open();

  EXPECT_EQ(settings.width, 1920);
  EXPECT_EQ(settings.height, 1080);
  const SetupDialogContent& content = model.content();
  // 32-bit 16:9 modes only, each repeated refresh rate listed once.
  EXPECT_EQ(content.resolutionItems, (Items{"1280 X 720", "1366 X 768", "1600 X 900", "1920 X 1080"}));
  EXPECT_EQ(content.resolutionSelection, 3);
  EXPECT_EQ(content.aspectItems, (Items{"16:10", "16:9", "4:3", "Others"}));
  EXPECT_EQ(content.aspectItems[content.aspectSelection], "16:9");

  SetupDialogChecks checks = model.initialChecks();
  EXPECT_TRUE(checks.fullscreen);
  EXPECT_TRUE(checks.vsync);
  EXPECT_TRUE(checks.multisampling);
  EXPECT_FALSE(checks.loopDemo);
}

TEST(SetupDialogModel, SquarishDesktopIsOthers) {
  DemoSettings settings;
  SetupDialogModel model(settings, typicalModes(), {1280, 1024});
  model.open();
  EXPECT_EQ(model.content().resolutionItems, (Items{"1280 X 1024", "2560 X 1080"}));
  EXPECT_EQ(model.content().resolutionSelection, 0);
  EXPECT_EQ(model.content().aspectItems[model.content().aspectSelection], "Others");
}

TEST(SetupDialogModel, OnlyConsecutiveRepeatsAreDropped) {
  DemoSettings settings;
  std::vector<DisplayMode> modes = {{1920, 1080, 24}, {1920, 1080, 24}, {1280, 720, 24}, {1920, 1080, 24}};
  SetupDialogModel model(settings, modes, {1920, 1080});
  model.open();
  EXPECT_EQ(model.content().resolutionItems, (Items{"1920 X 1080", "1280 X 720", "1920 X 1080"}));
  // Every matching entry gets selected in turn; the last one stays.
  EXPECT_EQ(model.content().resolutionSelection, 2);
}

TEST(SetupDialogModel, FirstAspectSelectionAlwaysRebuildsAndSelectsTheLastEntry) {
  DemoSettings settings;
  SetupDialogModel model(settings, typicalModes(), {1920, 1080});
  model.open();

  // The viewer picks 1280 x 720: a resolution change, nothing rebuilt.
  model.selectionChanged(0, "16:9");
  EXPECT_EQ(model.content().resolutionSelection, 0);
  EXPECT_EQ(model.content().resolutionItems.size(), 4u);

  // Re-selecting the aspect it already has: no label counts as rebuilt yet, so the list is
  // rebuilt and the picked resolution is lost to the last entry.
  model.selectionChanged(0, "16:9");
  EXPECT_EQ(model.content().resolutionSelection, 3);

  // Now 16:9 was the last rebuild: picking a resolution and the same aspect again keeps it.
  model.selectionChanged(1, "16:9");
  model.selectionChanged(1, "16:9");
  EXPECT_EQ(model.content().resolutionSelection, 1);

  model.selectionChanged(1, "16:10");
  EXPECT_EQ(model.content().resolutionItems, (Items{"1280 X 800", "1440 X 900", "1680 X 1050", "1920 X 1200"}));
  EXPECT_EQ(model.content().resolutionSelection, 3);
}

TEST(SetupDialogModel, StartWritesTheSelectionAndCheckBoxes) {
  DemoSettings settings;
  SetupDialogModel model(settings, typicalModes(), {1920, 1080});
  model.open();
  model.selectionChanged(0, "16:9");
  ASSERT_TRUE(model.start({false, true, false, true}));
  EXPECT_EQ(settings.width, 1280);
  EXPECT_EQ(settings.height, 720);
  EXPECT_FALSE(settings.fullscreen);
  EXPECT_TRUE(settings.vsync);
  EXPECT_FALSE(settings.multisampling);
  EXPECT_TRUE(settings.loopDemo);
  EXPECT_EQ(settings.colorBits, 32);
}

TEST(SetupDialogModel, NothingToSelectRefusesStart) {
  DemoSettings settings;
  // A desktop whose aspect has no 32-bit mode: the list opens empty.
  SetupDialogModel model(settings, {{1920, 1080, 16}}, {1920, 1080});
  model.open();
  EXPECT_TRUE(model.content().resolutionItems.empty());
  EXPECT_EQ(model.content().resolutionSelection, -1);
  settings.fullscreen = false;
  EXPECT_FALSE(model.start({false, false, false, false}));
  EXPECT_EQ(settings.width, 1920);  // the desktop size filled in on opening is kept
  EXPECT_FALSE(settings.fullscreen);
}

TEST(SetupDialogModel, ModesOf24OrMoreColourBitsCountAs32Bit) {
  // A deep-colour screen reports 30 or 36 bits for every mode.
  for (int colorBits : {24, 30, 36}) {
    DemoSettings settings;
    SetupDialogModel model(settings, {{1280, 720, colorBits}, {1920, 1080, colorBits}, {1600, 900, 16}},
                           {1920, 1080});
    model.open();
    EXPECT_EQ(model.content().resolutionItems, (Items{"1280 X 720", "1920 X 1080"})) << colorBits;
    EXPECT_TRUE(model.start({false, false, false, false})) << colorBits;
  }
}

TEST(SetupDialogModel, ModeListHoldsAtMost4096Entries) {
  DemoSettings settings;
  std::vector<DisplayMode> modes;
  for (int i = 0; i < 5000; ++i) modes.push_back({16 * (i + 1), 9 * (i + 1), 24});
  SetupDialogModel model(settings, modes, {16, 9});
  model.open();
  EXPECT_EQ(model.modeList().size(), 4096u);
}

}  // namespace
}  // namespace quintaval
