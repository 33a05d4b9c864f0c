// The setup dialog's rules without a toolkit: the aspect label of a size, the list a
// desktop opens on, what a selection change rebuilds, and what Start writes.
#include "player/resolution_presenter.h"

#include <gtest/gtest.h>

namespace quintaval {
namespace {

using Items = std::vector<std::string>;

// A display as a typical driver reports it: each resolution at several refresh rates and
// in 16 and 24 colour bits.
const std::vector<DisplayMode> kTypicalModes = {
    {640, 480, 24},   {640, 480, 16},   {800, 600, 24},   {1024, 768, 24},  {1280, 720, 24},
    {1280, 720, 24},  {1280, 720, 16},  {1280, 800, 24},  {1280, 1024, 24}, {1366, 768, 24},
    {1440, 900, 24},  {1600, 900, 24},  {1680, 1050, 24}, {1920, 1080, 24}, {1920, 1080, 24},
    {1920, 1080, 16}, {1920, 1200, 24}, {2560, 1080, 24},
};

std::vector<bool> switches(const DemoSettings& s) { return {s.fullscreen, s.vsync, s.multisampling, s.loopDemo}; }

// The list holds the 32-bit modes (24 colour bits or more: deep-colour screens report 30
// or 36) of the desktop's aspect label, decided by integer arithmetic (9 * 1366 / 16
// floors to 768: 16:9), a resolution repeated in a row (one per refresh rate) once, and
// the last entry of the desktop's size selected. Start then keeps that size, or refuses
// while nothing is selected, changing nothing.
TEST(ResolutionPresenter, OpensOnTheDesktopAspectWithTheDesktopSizeSelected) {
  const struct {
    std::vector<DisplayMode> modes;
    Resolution desktop;
    Items items;
    int selection;
    const char* aspect;
  } cases[] = {
      {kTypicalModes, {1920, 1080}, {"1280 X 720", "1366 X 768", "1600 X 900", "1920 X 1080"}, 3, "16:9"},
      {kTypicalModes, {1280, 1024}, {"1280 X 1024", "2560 X 1080"}, 0, "Others"},
      {{{1920, 1080, 24}, {1920, 1080, 24}, {1280, 720, 24}, {1920, 1080, 24}},
       {1920, 1080}, {"1920 X 1080", "1280 X 720", "1920 X 1080"}, 2, "16:9"},
      {{{1280, 720, 30}, {1920, 1080, 30}, {1600, 900, 16}}, {1920, 1080}, {"1280 X 720", "1920 X 1080"}, 1, "16:9"},
      {{{1280, 720, 36}, {1920, 1080, 36}}, {1920, 1080}, {"1280 X 720", "1920 X 1080"}, 1, "16:9"},
      {{{1920, 1080, 16}}, {1920, 1080}, {}, -1, "16:9"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.items));
    DemoSettings settings;
    ResolutionPresenter model(settings, c.modes, c.desktop);
    model.open();
    const SetupDialogContent& content = model.content();
    EXPECT_EQ(content.resolutionItems, c.items);
    EXPECT_EQ(content.resolutionSelection, c.selection);
    EXPECT_EQ(content.aspectItems, (Items{"16:10", "16:9", "4:3", "Others"}));
    EXPECT_EQ(content.aspectItems.at(content.aspectSelection), c.aspect);
    const SetupDialogChecks checks = model.initialChecks();
    EXPECT_EQ((std::vector<bool>{checks.fullscreen, checks.vsync, checks.multisampling, checks.loopDemo}),
              switches(settings));

    EXPECT_EQ(model.start({false, true, false, true}), c.selection >= 0);
    EXPECT_EQ(std::make_pair(settings.width, settings.height), std::make_pair(c.desktop.width, c.desktop.height));
    const std::vector<bool> written = {false, true, false, true};
    EXPECT_EQ(switches(settings), c.selection >= 0 ? written : switches(DemoSettings{}));
  }
}

TEST(ResolutionPresenter, FirstAspectSelectionAlwaysRebuildsAndSelectsTheLastEntry) {
  DemoSettings settings;
  ResolutionPresenter model(settings, kTypicalModes, {1920, 1080});
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
  ASSERT_TRUE(model.start({true, true, true, false}));
  EXPECT_EQ(std::make_pair(settings.width, settings.height), std::make_pair(1920, 1200));
}

TEST(ResolutionPresenter, OpensOnASizeAlreadySetRatherThanTheDesktops) {
  DemoSettings settings;
  settings.width = 1024;
  settings.height = 768;
  ResolutionPresenter model(settings, kTypicalModes, {1920, 1080});
  model.open();
  const SetupDialogContent& content = model.content();
  EXPECT_EQ(content.resolutionItems.at(content.resolutionSelection), "1024 X 768");
  EXPECT_EQ(content.aspectItems.at(content.aspectSelection), "4:3");
}

TEST(ResolutionPresenter, ModeListHoldsAtMost4096Entries) {
  DemoSettings settings;
  std::vector<DisplayMode> modes;
  for (int i = 0; i < 5000; ++i) modes.push_back({16 * (i + 1), 9 * (i + 1), 24});
  ResolutionPresenter model(settings, modes, {16, 9});
  model.open();
  EXPECT_EQ(model.modeList().size(), 4096u);
}

}  // namespace
}  // namespace quintaval
