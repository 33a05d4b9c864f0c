// Display modes as the display reports them, for the setup dialog's resolution list.
#pragma once

namespace quintaval {

// `colorBits` is red + green + blue bits.
struct DisplayMode {
  int width = 0;
  int height = 0;
  int colorBits = 0;
};

struct Resolution {
  int width = 0;
  int height = 0;
};

}  // namespace quintaval
