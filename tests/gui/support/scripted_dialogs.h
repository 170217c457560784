#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>

#include "gui/common/dialogs.h"

namespace quintello::test {

// Answers the program's dialogs from a script and records what was shown, so a test can
// drive a window through its message boxes, questions, input boxes and file dialogs.
// A dialog with no scripted answer is recorded and answered as a cancel (No, nothing).
class ScriptedDialogs final : public Dialogs {
 public:
  struct Shown {
    QString kind;  // "message", "question", "input", "open", "save", "print"
    QString text;  // message text, question, prompt or file dialog title
    QString title;
    Icon icon = Icon::None;
    QString offered;  // the answer an input box offers
  };

  // Answers, used in turn by the next dialogs that ask for one.
  void answerYes() { answers_.push_back({Answer::Yes, {}}); }
  void answerNo() { answers_.push_back({Answer::No, {}}); }
  void answerText(const QString& text) { answers_.push_back({Answer::Text, text}); }
  void answerCancel() { answers_.push_back({Answer::Cancel, {}}); }

  const std::vector<Shown>& shown() const { return shown_; }
  QStringList messages() const;  // the texts of the message boxes, in order
  int unanswered() const { return unanswered_; }
  bool allAnswersUsed() const { return answers_.empty(); }
  void clear() { shown_.clear(); }

  void message(const QString& text, const QString& title, Icon icon) override {
    shown_.push_back({"message", text, title, icon, {}});
  }
  bool question(const QString& text, const QString& title) override {
    shown_.push_back({"question", text, title, Icon::None, {}});
    return next().kind == Answer::Yes;
  }
  std::optional<QString> input(const QString& prompt, const QString& title,
                               const QString& offered) override {
    return textAnswer({"input", prompt, title, Icon::None, offered});
  }
  std::optional<QString> openFile(const QString& title, const QString&, const QString&) override {
    return textAnswer({"open", title, title, Icon::None, {}});
  }
  std::optional<QString> saveFile(const QString& title, const QString&, const QString&) override {
    return textAnswer({"save", title, title, Icon::None, {}});
  }
  // A text answer is the PDF file the job goes to (A4); anything else cancels.
  bool choosePrinter(QPrinter& printer) override;

 private:
  struct Answer {
    enum Kind { Cancel, Yes, No, Text } kind;
    QString text;
  };
  Answer next();  // a cancel when the script has run out
  std::optional<QString> textAnswer(Shown shown);

  std::deque<Answer> answers_;
  std::vector<Shown> shown_;
  int unanswered_ = 0;
};

}  // namespace quintello::test
