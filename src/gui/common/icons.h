#pragma once

#include <QIcon>

namespace quintello {

// Small pictures for the icon buttons that Qt's standard icons do not cover, drawn at run
// time so they look the same on every desktop.
enum class PaintedIcon {
  SearchIndex,      // a magnifier over "N°": search a draw by its index
  SearchDate,       // a calendar page: search a draw by its date
  ClearHighlights,  // a small grid with a green cell struck out
  Calculate,        // "=" on a key: compute
};

QIcon paintedIcon(PaintedIcon icon);

// The program's own icon (resources/icons), every size the desktop may ask for.
QIcon programIcon();

}  // namespace quintello
