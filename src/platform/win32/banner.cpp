// The banner drawn row by row: the sky is a vertical gradient, so each row of the sun is
// one colour, the sun's over the sky's at 90 %.
#include "platform/win32/banner.h"

#include <cmath>

namespace quintaval {
namespace {

struct Rgb {
  double r, g, b;
};

constexpr Rgb kSkyTop{0.05, 0.02, 0.15};
constexpr Rgb kSkyMiddle{0.45, 0.10, 0.35};  // at 60 % of the height
constexpr Rgb kSkyBottom{0.95, 0.55, 0.20};
constexpr Rgb kSun{1.0, 0.85, 0.4};
constexpr double kSunOpacity = 0.9;
constexpr Rgb kHills{0.08, 0.03, 0.12};

Rgb mix(const Rgb& a, const Rgb& b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb skyAt(double t) { return t < 0.6 ? mix(kSkyTop, kSkyMiddle, t / 0.6) : mix(kSkyMiddle, kSkyBottom, (t - 0.6) / 0.4); }

COLORREF colorOf(const Rgb& c) {
  auto byte = [](double v) { return static_cast<BYTE>(std::lround(v * 255.0)); };
  return RGB(byte(c.r), byte(c.g), byte(c.b));
}

void fill(HDC dc, RECT rect, const Rgb& color) {
  SetDCBrushColor(dc, colorOf(color));
  FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void paintSkyAndSun(HDC dc, int width, int height) {
  const double sunX = width * 0.72, sunY = height * 0.78, sunRadius = height * 0.22;
  for (int y = 0; y < height; ++y) {
    const double centre = y + 0.5;
    const Rgb sky = skyAt(centre / height);
    fill(dc, {0, y, width, y + 1}, sky);
    const double dy = centre - sunY;
    if (std::fabs(dy) >= sunRadius) continue;
    const double halfWidth = std::sqrt(sunRadius * sunRadius - dy * dy);
    const RECT row{static_cast<LONG>(std::lround(sunX - halfWidth)), y, static_cast<LONG>(std::lround(sunX + halfWidth)),
                   y + 1};
    fill(dc, row, mix(sky, kSun, kSunOpacity));
  }
}

void paintHills(HDC dc, int width, int height) {
  POINT ridge[35];
  ridge[0] = {0, height};
  for (int i = 0; i <= 32; ++i) {
    const double y = height * (0.80 - 0.08 * ((i * 7) % 5) / 4.0 - 0.05 * ((i * 3) % 2));
    ridge[i + 1] = {static_cast<LONG>(std::lround(width * i / 32.0)), static_cast<LONG>(std::lround(y))};
  }
  ridge[34] = {width, height};
  SetDCBrushColor(dc, colorOf(kHills));
  SetDCPenColor(dc, colorOf(kHills));
  SelectObject(dc, GetStockObject(DC_BRUSH));
  SelectObject(dc, GetStockObject(DC_PEN));
  Polygon(dc, ridge, 35);
}

// A bold sans-serif whose em is `pixelSize` high, as cairo's font size: DejaVu Sans, which
// the GTK banner uses, where it is installed; else Verdana, the Windows face closest to it
// (or whatever Windows substitutes for it).
HFONT boldFont(HDC dc, int pixelSize) {
  auto create = [pixelSize](const wchar_t* face) {
    return CreateFontW(-pixelSize, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS,
                       CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, face);
  };
  HFONT font = create(L"DejaVu Sans");
  wchar_t chosen[LF_FACESIZE] = L"";
  HGDIOBJ previous = SelectObject(dc, font);
  GetTextFaceW(dc, LF_FACESIZE, chosen);
  SelectObject(dc, previous);
  if (lstrcmpiW(chosen, L"DejaVu Sans") == 0) return font;
  DeleteObject(font);
  return create(L"Verdana");
}

// White text centred on the banner, its baseline at `baseline`.
void paintTitle(HDC dc, const wchar_t* text, int pixelSize, int width, int baseline) {
  HFONT font = boldFont(dc, pixelSize);
  HGDIOBJ previous = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  SetTextAlign(dc, TA_CENTER | TA_BASELINE);
  TextOutW(dc, width / 2, baseline, text, lstrlenW(text));
  SelectObject(dc, previous);
  DeleteObject(font);
}

}  // namespace

void paintBanner(HDC dc, const RECT& area) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  HDC canvas = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
  HGDIOBJ previousBitmap = SelectObject(canvas, bitmap);
  HGDIOBJ previousBrush = GetCurrentObject(canvas, OBJ_BRUSH);
  HGDIOBJ previousPen = GetCurrentObject(canvas, OBJ_PEN);

  paintSkyAndSun(canvas, width, height);
  paintHills(canvas, width, height);
  paintTitle(canvas, L"QUINTAVAL", static_cast<int>(std::lround(height * 0.26)), width,
             static_cast<int>(std::lround(height * 0.45)));
  paintTitle(canvas, L"demosystem", static_cast<int>(std::lround(height * 0.09)), width,
             static_cast<int>(std::lround(height * 0.60)));
  // A black frame two pixels wide.
  SetDCBrushColor(canvas, RGB(0, 0, 0));
  HBRUSH black = static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
  const RECT outer{0, 0, width, height}, inner{1, 1, width - 1, height - 1};
  FrameRect(canvas, &outer, black);
  FrameRect(canvas, &inner, black);

  BitBlt(dc, area.left, area.top, width, height, canvas, 0, 0, SRCCOPY);
  SelectObject(canvas, previousPen);
  SelectObject(canvas, previousBrush);
  SelectObject(canvas, previousBitmap);
  DeleteObject(bitmap);
  DeleteDC(canvas);
}

}  // namespace quintaval
