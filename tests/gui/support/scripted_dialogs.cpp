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

std::optional<QString> ScriptedDialogs::textAnswer(Shown shown) {
  shown_.push_back(std::move(shown));
  Answer answer = next();
  if (answer.kind != Answer::Text) return std::nullopt;
  return answer.text;
}

bool ScriptedDialogs::choosePrinter(QPrinter& printer) {
  const auto file = textAnswer({"print", printer.docName(), "Stampa", Icon::None, {}});
  if (!file) return false;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(*file);
  printer.setPageSize(QPageSize(QPageSize::A4));
  return true;
}

}  // namespace quintello::test
