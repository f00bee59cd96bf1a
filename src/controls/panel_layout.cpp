#include "controls/panel_layout.h"

namespace vantrel {

namespace {
constexpr Colour kFrameBrush = MakeColour(0xFF, 0xC5, 0xFF);

PanelRect Inset(const PanelRect& rect, const PanelInsets& by) {
  return {rect.left + by.left, rect.top + by.top, rect.right - by.right, rect.bottom - by.bottom};
}
PanelRect Inset(const PanelRect& rect, int by) { return Inset(rect, PanelInsets{by, by, by, by}); }
}  // namespace

PanelLook StandardPanelLook(Colour fill) {
  return {fill, {20, 20, 20, 20}, MakeColour(0x00, 0x00, 0xFF), MakeColour(0xF8, 0xFB, 0xFB)};
}

PanelLook SideWindowPanelLook(Colour fill) {
  PanelLook look = StandardPanelLook(fill);
  look.inner = PanelInsets{20, 22, 20, 22};
  look.innerPen = MakeColour(0xFF, 0x00, 0xFF);
  return look;
}

std::array<PanelStep, 6> PanelSteps(const PanelRect& client, const PanelLook& look) {
  return {{
      {Inset(client, 0), MakeColour(0xCD, 0xCD, 0xCD), kFrameBrush},
      {Inset(client, 1), MakeColour(0x9A, 0x9A, 0x9A), kFrameBrush},
      {Inset(client, 2), MakeColour(0x66, 0x66, 0x66), kFrameBrush},
      {Inset(client, 3), MakeColour(0x33, 0x33, 0x33), kFrameBrush},
      {Inset(client, 4), MakeColour(0x06, 0x06, 0x06), look.fill},
      {Inset(client, look.inner), look.innerPen, look.innerBrush},
  }};
}

}  // namespace vantrel
