#pragma once

#include <QLabel>
#include <QPushButton>
#include <QString>
#include <string_view>

namespace quintello {

// A text of the layers below (UTF-8) for a widget.
inline QString qText(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A push button known by its object name; a minimum height of 0 keeps the style's own.
inline QPushButton* namedButton(QWidget* parent, const char* name, const QString& text,
                                int minimumHeight = 0) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  if (minimumHeight > 0) button->setMinimumHeight(minimumHeight);
  return button;
}

// The widest text of a date field, "GG/MM/AAAA".
inline QString dateSample() { return QStringLiteral("00/00/0000"); }

// Makes a fixed field wide enough for the sample, the longest text it shows ("07/01/1871",
// "10813"), measured in the field's own font (set it first): a larger font or scale factor
// never cuts it.
inline void fitWidthTo(QWidget* field, const QString& sample) {
  const QFontMetrics metrics = field->fontMetrics();
  field->setMinimumWidth(metrics.horizontalAdvance(sample) + 2 * metrics.averageCharWidth());
}

// A note that wraps its text.
inline QLabel* wrappedNote(QWidget* parent, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setWordWrap(true);
  return label;
}

}  // namespace quintello
