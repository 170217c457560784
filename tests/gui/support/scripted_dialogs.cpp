#include "gui/support/scripted_dialogs.h"

#include <QPageSize>
#include <QPrinter>

namespace quintello::test {

QStringList ScriptedDialogs::messages() const {
  QStringList texts;
  for (const auto& shown : shown_)
    if (shown.kind == "message") texts << shown.text;
  return texts;
}

ScriptedDialogs::Answer ScriptedDialogs::next() {
  if (answers_.empty()) {
    ++unanswered_;
    return {Answer::Cancel, {}};
  }
  Answer answer = std::move(answers_.front());
  answers_.pop_front();
  return answer;
}

std::optional<QString> ScriptedDialogs::textAnswer() {
  Answer answer = next();
  if (answer.kind != Answer::Text) return std::nullopt;
  return answer.text;
}

void ScriptedDialogs::message(const QString& text, const QString& title, Icon icon) {
  shown_.push_back({"message", text, title, icon, {}});
}

bool ScriptedDialogs::question(const QString& text, const QString& title) {
  shown_.push_back({"question", text, title, Icon::None, {}});
  return next().kind == Answer::Yes;
}

std::optional<QString> ScriptedDialogs::input(const QString& prompt, const QString& title,
                                              const QString& defaultText) {
  shown_.push_back({"input", prompt, title, Icon::None, defaultText});
  return textAnswer();
}

std::optional<QString> ScriptedDialogs::openFile(const QString& title, const QString&,
                                                 const QString&) {
  shown_.push_back({"open", title, title, Icon::None, {}});
  return textAnswer();
}

std::optional<QString> ScriptedDialogs::saveFile(const QString& title, const QString&,
                                                 const QString&) {
  shown_.push_back({"save", title, title, Icon::None, {}});
  return textAnswer();
}

bool ScriptedDialogs::choosePrinter(QPrinter& printer) {
  shown_.push_back({"print", printer.docName(), "Stampa", Icon::None, {}});
  const auto file = textAnswer();
  if (!file) return false;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(*file);
  printer.setPageSize(QPageSize(QPageSize::A4));
  return true;
}

}  // namespace quintello::test
