#include "gui/shell/screenshot_windows.h"

#include "gui/shell/app_context.h"
#include "gui/shell/main_window.h"

namespace quintello {

std::vector<std::pair<QString, WindowOpener>> screenshotWindows() {
  std::vector<std::pair<QString, WindowOpener>> windows;
  windows.emplace_back("Help", [](AppContext& context, MainWindow&) -> QWidget* {
    context.help().show();
    return context.help().window();
  });
  return windows;
}

}  // namespace quintello
