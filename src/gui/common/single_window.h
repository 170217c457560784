#pragma once

#include <QPointer>
#include <QShortcut>
#include <QWidget>

namespace quintello {

// Shows a window without blocking and brings it to the front.
inline void showAndRaise(QWidget* window) {
  window->show();
  window->raise();
  window->activateWindow();
}

// The program's windows are single instances: created on first use, shown without blocking
// the others and brought to the front when asked for again. A window closed by the user is
// gone (it deletes itself on close), so the next request creates it afresh.
template <class Window, class Create>
Window* openSingle(QPointer<Window>& slot, Create&& create) {
  if (!slot) slot = create();
  showAndRaise(slot);
  return slot;
}

// Makes a widget a top-level window of its own (kept with its parent and above it) that
// deletes itself when the user closes it.
inline void makeToolWindow(QWidget* window) {
  window->setWindowFlag(Qt::Window);
  window->setAttribute(Qt::WA_DeleteOnClose);
}

// Esc closes the window, as it does a dialog: the help and the report windows.
inline void closeOnEscape(QWidget* window) {
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
  escape->setContext(Qt::WindowShortcut);
  QObject::connect(escape, &QShortcut::activated, window, &QWidget::close);
}

}  // namespace quintello
