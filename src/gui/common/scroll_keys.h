#pragma once

class QScrollBar;

namespace quintello {

// Makes a horizontal scroll bar that steps through draws answer the keys as on any desktop:
// Left, Up and Page Up go back to older draws, Right, Down and Page Down forward to newer
// ones (Qt's horizontal scroll bar turns some of them the other way).
void installDesktopScrollKeys(QScrollBar* bar);

}  // namespace quintello
