#pragma once

#include <QPageSize>
#include <QPrinter>
#include <QStringList>
#include <deque>
#include <optional>

#include "gui/common/dialogs.h"

namespace quintello::test {

// Answers the program's dialogs from a script and records what was shown. A dialog with no
// scripted answer left is cancelled (No, nothing chosen).
class ScriptedDialogs final : public Dialogs {
 public:
  struct Shown {
    QString kind;  // "message", "question", "input", "open", "save", "print"
    QString text;  // the message, question or prompt; a file dialog's title
    Icon icon = Icon::None;
  };

  void answerYes() { answers_.push_back(QString()); }
  void answerNo() { answers_.push_back(std::nullopt); }
  void answerCancel() { answerNo(); }
  void answerText(const QString& text) { answers_.push_back(text); }

  const std::vector<Shown>& shown() const { return shown_; }
  QStringList messages() const {
    QStringList texts;
    for (const auto& shown : shown_)
      if (shown.kind == "message") texts << shown.text;
    return texts;
  }
  void clear() { shown_.clear(); }

  void message(const QString& text, const QString&, Icon icon) override {
    shown_.push_back({"message", text, icon});
  }
  bool question(const QString& text, const QString&) override {
    return answer("question", text).has_value();
  }
  std::optional<QString> input(const QString& prompt, const QString&, const QString&) override {
    return answer("input", prompt);
  }
  std::optional<QString> openFile(const QString& title, const QString&, const QString&) override {
    return answer("open", title);
  }
  std::optional<QString> saveFile(const QString& title, const QString&, const QString&) override {
    return answer("save", title);
  }
  // The answer is the PDF file the job goes to, on A4.
  bool choosePrinter(QPrinter& printer) override {
    const auto file = answer("print", printer.docName());
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file.value_or(""));
    printer.setPageSize(QPageSize(QPageSize::A4));
    return file.has_value();
  }

 private:
  std::optional<QString> answer(const QString& kind, const QString& text) {
    shown_.push_back({kind, text});
    if (answers_.empty()) return std::nullopt;
    const auto next = answers_.front();
    answers_.pop_front();
    return next;
  }

  std::deque<std::optional<QString>> answers_;
  std::vector<Shown> shown_;
};

}  // namespace quintello::test
