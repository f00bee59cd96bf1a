#include "controls/paint_panel.h"

#include "framework/gdi_handles.h"

namespace vantrel {

void PaintPanel(HDC dc, const RECT& client, COLORREF fill) { PaintPanel(dc, client, StandardPanelLook(fill)); }

void PaintPanel(HDC dc, const RECT& client, const PanelLook& look) {
  const PanelRect area{client.left, client.top, client.right, client.bottom};
  for (const PanelStep& step : PanelSteps(area, look)) {
    Pen pen = SolidPen(step.pen);
    Brush brush = SolidBrush(step.brush);
    SelectedObject withPen(dc, pen.get());
    SelectedObject withBrush(dc, brush.get());
    Rectangle(dc, step.rect.left, step.rect.top, step.rect.right, step.rect.bottom);
  }
}

}  // namespace vantrel
