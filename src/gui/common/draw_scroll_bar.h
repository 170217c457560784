#pragma once

class QScrollBar;

namespace quintello {

// Keys of a scroll bar that moves through the draws, as on any desktop list of dates: Left,
// Up and Page Up go back to older draws, Right, Down and Page Down forward to newer ones
// (Qt's horizontal scroll bar turns some of them the other way); Home and End stay Qt's.
void useDrawKeys(QScrollBar* bar);

}  // namespace quintello
