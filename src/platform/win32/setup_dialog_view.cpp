// The setup dialog as a Windows dialog box from the template in setup_dialog.rc, which
// keeps the layout of the GTK view. Escape, Alt+F4 and Enter without a default button
// arrive as IDCANCEL or IDOK and are ignored: only "Start" and "Quit" end the dialog.
#include "platform/setup_dialog_view.h"

#include <windows.h>

#include "platform/win32/banner.h"
#include "platform/win32/setup_dialog_ids.h"
#include "platform/win32/wide_text.h"

namespace quintaval {
namespace {

struct DialogState {
  SetupDialogPresenter* presenter;
  SetupDialogChecks* checks;
};

void fillList(HWND list, const std::vector<std::string>& items, int selection) {
  SendMessageW(list, CB_RESETCONTENT, 0, 0);
  for (const std::string& item : items) {
    const std::wstring text = widen(item);
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(selection), 0);
}

// Shows the presenter's content. Lists changed by the program send no CBN_SELCHANGE, so
// refilling them forwards nothing back.
void refresh(HWND dialog, const SetupDialogContent& content) {
  fillList(GetDlgItem(dialog, IDC_RESOLUTION), content.resolutionItems, content.resolutionSelection);
  fillList(GetDlgItem(dialog, IDC_ASPECT), content.aspectItems, content.aspectSelection);
  EnableWindow(GetDlgItem(dialog, IDC_START), content.resolutionSelection >= 0);
}

int selectionOf(HWND dialog, int list) {
  return static_cast<int>(SendDlgItemMessageW(dialog, list, CB_GETCURSEL, 0, 0));  // CB_ERR (-1): none
}

// Forwards the lists' selections when the viewer changed one. A change made in an open
// drop-down list is reported both as it happens and as the list closes, in either order;
// comparing with the presenter's content forwards it once.
void forwardSelection(HWND dialog, SetupDialogPresenter& presenter) {
  const int resolution = selectionOf(dialog, IDC_RESOLUTION);
  const int aspect = selectionOf(dialog, IDC_ASPECT);
  const SetupDialogContent& content = presenter.content();
  if (resolution == content.resolutionSelection && aspect == content.aspectSelection) return;
  const bool hasAspect = aspect >= 0 && aspect < static_cast<int>(content.aspectItems.size());
  presenter.selectionChanged(resolution, hasAspect ? content.aspectItems[aspect] : std::string());
  refresh(dialog, presenter.content());
}

constexpr int kCheckIds[] = {IDC_FULLSCREEN, IDC_VSYNC, IDC_MULTISAMPLING, IDC_LOOP_DEMO};

void showChecks(HWND dialog, const SetupDialogChecks& checks) {
  const bool states[] = {checks.fullscreen, checks.vsync, checks.multisampling, checks.loopDemo};
  for (int i = 0; i < 4; ++i) CheckDlgButton(dialog, kCheckIds[i], states[i] ? BST_CHECKED : BST_UNCHECKED);
}

void readChecks(HWND dialog, SetupDialogChecks& checks) {
  bool* states[] = {&checks.fullscreen, &checks.vsync, &checks.multisampling, &checks.loopDemo};
  for (int i = 0; i < 4; ++i) *states[i] = IsDlgButtonChecked(dialog, kCheckIds[i]) == BST_CHECKED;
}

void onCommand(HWND dialog, DialogState& state, int id, int code) {
  switch (id) {
    case IDC_RESOLUTION:
    case IDC_ASPECT: {
      // While a list is open, moving through it changes its selection: wait until it closes.
      const bool open = SendDlgItemMessageW(dialog, id, CB_GETDROPPEDSTATE, 0, 0) != FALSE;
      if (code == CBN_CLOSEUP || (code == CBN_SELCHANGE && !open)) forwardSelection(dialog, *state.presenter);
      break;
    }
    case IDC_START:
    case IDC_QUIT:
      readChecks(dialog, *state.checks);
      EndDialog(dialog, id);
      break;
    default:
      break;
  }
}

INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      state = reinterpret_cast<DialogState*>(lParam);
      showChecks(dialog, *state->checks);
      refresh(dialog, state->presenter->content());
      // Enter presses "Start" when it has the focus or is the default.
      HWND start = GetDlgItem(dialog, IDC_START);
      SetFocus(IsWindowEnabled(start) ? start : GetDlgItem(dialog, IDC_RESOLUTION));
      return FALSE;  // the focus is set
    }
    case WM_DRAWITEM: {  // the banner is an owner-drawn static control
      if (wParam != IDC_BANNER) return FALSE;
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      paintBanner(item.hDC, item.rcItem);
      return TRUE;
    }
    case WM_COMMAND:
      onCommand(dialog, *state, LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

bool dialogsAvailable() { return true; }

SetupDialogResult runSetupDialogView(SetupDialogPresenter& presenter, SetupDialogChecks& checks) {
  DialogState state{&presenter, &checks};
  const INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_SETUP_DIALOG), nullptr,
                                         dialogProc, reinterpret_cast<LPARAM>(&state));
  switch (result) {
    case IDC_START:
      return SetupDialogResult::kStart;
    case IDC_QUIT:
      return SetupDialogResult::kQuit;
    default:  // the template is missing or the desktop refused the window
      return SetupDialogResult::kUnavailable;
  }
}

}  // namespace quintaval
