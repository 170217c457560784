#include "gui/common/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace quintello {

namespace {

QMessageBox::Icon toQt(Dialogs::Icon icon) {
  switch (icon) {
    case Dialogs::Icon::Information:
      return QMessageBox::Information;
    case Dialogs::Icon::Warning:
      return QMessageBox::Warning;
    case Dialogs::Icon::Critical:
      return QMessageBox::Critical;
    case Dialogs::Icon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

bool QtDialogs::choosePrinter(QPrinter& printer) {
  QPrintDialog dialog(&printer, QApplication::activeWindow());
  return dialog.exec() == QDialog::Accepted;
}

void QtDialogs::message(const QString& text, const QString& title, Icon icon) {
  QMessageBox box(toQt(icon), title, text, QMessageBox::Ok, QApplication::activeWindow());
  box.exec();
}

bool QtDialogs::question(const QString& text, const QString& title) {
  QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No,
                  QApplication::activeWindow());
  box.setDefaultButton(QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}

std::optional<QString> QtDialogs::input(const QString& prompt, const QString& title,
                                        const QString& defaultText) {
  bool ok = false;
  const QString text = QInputDialog::getText(QApplication::activeWindow(), title, prompt,
                                             QLineEdit::Normal, defaultText, &ok);
  if (!ok) return std::nullopt;
  return text;
}

std::optional<QString> QtDialogs::openFile(const QString& title, const QString& folder,
                                           const QString& filter) {
  const QString path =
      QFileDialog::getOpenFileName(QApplication::activeWindow(), title, folder, filter);
  if (path.isEmpty()) return std::nullopt;
  return path;
}

std::optional<QString> QtDialogs::saveFile(const QString& title, const QString& folder,
                                           const QString& filter) {
  const QString path =
      QFileDialog::getSaveFileName(QApplication::activeWindow(), title, folder, filter);
  if (path.isEmpty()) return std::nullopt;
  return path;
}

}  // namespace quintello
