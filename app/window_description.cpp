#include "app/window_description.h"

namespace zicha {

ControlId NextTabStop(ControlId from, int delta) {
  int stops = 0, current = 0;
  for (const ControlDescription& c : kMainWindow.controls) {
    if (c.tabOrder > 0) ++stops;
    if (c.id == from) current = c.tabOrder;
  }
  // From a control without a tab stop, start before the first one.
  int next = current == 0 ? (delta > 0 ? 1 : stops) : (current - 1 + delta % stops + stops) % stops + 1;
  for (const ControlDescription& c : kMainWindow.controls)
    if (c.tabOrder == next) return c.id;
  return ControlId::k编辑框1;
}

}  // namespace zicha
