#pragma once

#include <QString>
#include <functional>
#include <utility>
#include <vector>

class QWidget;

namespace quintello {

class AppContext;
class MainWindow;

// The windows scripts/screenshots renders after the start-up and main windows: a name for
// the PNG file and how to open the window (as the user would, from the main window).
using WindowOpener = std::function<QWidget*(AppContext&, MainWindow&)>;
std::vector<std::pair<QString, WindowOpener>> screenshotWindows();

}  // namespace quintello
