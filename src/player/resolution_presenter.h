// The rules of the setup dialog, free of any toolkit: which display modes the resolution
// list offers for an aspect label, what a selection change does, and what "Start" writes
// into the settings. The GTK view shows its content and forwards the viewer's choices.
//
// Aspect labels are decided by integer arithmetic: "16:9" when h = 9w/16, "16:10" when
// h = 10w/16, "4:3" when h = 3w/4 (all floored), "Others" when none of them holds.
#pragma once

#include <string>
#include <vector>

#include "app/display_modes.h"
#include "core/demo_settings.h"
#include "platform/setup_dialog_view.h"

namespace quintaval {

// The colour depth the resolution list compares with the settings' `colorBits`: a mode of
// 24 or more colour bits (8 bits a channel, or a deep-colour 10 or 12) counts as 32-bit.
int bitsPerPixelOf(const DisplayMode& mode);

// The label a resolution belongs to: "16:9", "16:10", "4:3" or "Others".
std::string aspectLabelOf(int width, int height);

class ResolutionPresenter : public SetupDialogPresenter {
 public:
  static constexpr int kMaxModes = 4096;

  // `modes` in the order the display reports them; `desktop` is the current desktop size.
  ResolutionPresenter(DemoSettings& settings, std::vector<DisplayMode> modes, Resolution desktop);

  // Fills the lists as the dialog opens: the desktop size when the settings have none, the
  // modes of its aspect, that resolution selected, the check boxes from the settings.
  void open();
  SetupDialogChecks initialChecks() const;

  const SetupDialogContent& content() const override { return content_; }
  void selectionChanged(int resolutionSelection, const std::string& aspectText) override;

  // Writes the selected resolution and the check boxes into the settings. Returns false,
  // changing nothing, while no resolution is selected.
  bool start(const SetupDialogChecks& checks);

  const std::vector<Resolution>& modeList() const { return modeList_; }

 private:
  void buildResolutionList(const std::string& label);

  DemoSettings& settings_;
  std::vector<DisplayMode> modes_;
  Resolution desktop_;
  std::vector<Resolution> modeList_;  // entry i is item i of the resolution list
  int savedIndex_ = -1;
  std::string lastRebuiltAspect_;
  SetupDialogContent content_;
};

}  // namespace quintaval
