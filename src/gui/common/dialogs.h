#pragma once

#include <QString>
#include <optional>

class QPrinter;

namespace quintello {

// Every message box, question, input box and file dialog of the program goes through this
// interface: the windows never open a QMessageBox themselves, so tests can answer them.
class Dialogs {
 public:
  enum class Icon { None, Information, Warning, Critical };

  virtual ~Dialogs() = default;
  virtual void message(const QString& text, const QString& title, Icon icon) = 0;
  virtual bool question(const QString& text, const QString& title) = 0;  // Sì = true
  // Nothing when the user cancels.
  virtual std::optional<QString> input(const QString& prompt, const QString& title,
                                       const QString& defaultText = {}) = 0;
  virtual std::optional<QString> openFile(const QString& title, const QString& folder,
                                          const QString& filter) = 0;
  virtual std::optional<QString> saveFile(const QString& title, const QString& folder,
                                          const QString& filter) = 0;
  // The print dialog over `printer`, where the user picks a printer or a PDF file; false
  // when the user cancels.
  virtual bool choosePrinter(QPrinter& printer) = 0;
};

// The real dialogs, modal over the active window.
class QtDialogs final : public Dialogs {
 public:
  void message(const QString& text, const QString& title, Icon icon) override;
  bool question(const QString& text, const QString& title) override;
  std::optional<QString> input(const QString& prompt, const QString& title,
                               const QString& defaultText) override;
  std::optional<QString> openFile(const QString& title, const QString& folder,
                                  const QString& filter) override;
  std::optional<QString> saveFile(const QString& title, const QString& folder,
                                  const QString& filter) override;
  bool choosePrinter(QPrinter& printer) override;
};

}  // namespace quintello
