#include "gui/archive/entry_grid.h"

#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include "gui/common/grid_model.h"

namespace quintello {

namespace {

EntryKey entryKey(int key) {
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return EntryKey::Enter;
    case Qt::Key_Left:
      return EntryKey::Left;
    case Qt::Key_Right:
      return EntryKey::Right;
    case Qt::Key_Up:
      return EntryKey::Up;
    case Qt::Key_Down:
      return EntryKey::Down;
    default:
      return EntryKey::Other;
  }
}

void setBoxColor(QLineEdit* box, bool focused) {
  QPalette palette = box->palette();
  palette.setColor(QPalette::Base, toQColor(boxColor(focused)));
  box->setPalette(palette);
}

QString qText(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

EntryGrid::EntryGrid(QWidget* parent) : QWidget(parent) {
  setObjectName("EntryGrid");
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setHorizontalSpacing(4);
  layout->setVerticalSpacing(3);
  QFont boxFont = font();
  boxFont.setBold(true);
  boxFont.setPointSize(boxFont.pointSize() + 1);
  const int boxWidth = QFontMetrics(boxFont).horizontalAdvance("000") + 14;
  for (int wheel = 0; wheel < kWheelCount; ++wheel) {
    const std::string_view caption = entryRowLabel(wheel);
    auto* label = new QLabel(QString::fromLatin1(caption.data(), qsizetype(caption.size())), this);
    label->setObjectName(wheel < kWheelCount - 1 ? QString("label_r_%1").arg(wheel + 1)
                                                 : QString("Label11"));
    label->setFont(boxFont);
    layout->addWidget(label, wheel, 0);
    for (int position = 1; position <= kPositions; ++position) {
      const int index = entryBox(wheel, position);
      auto* box = new QLineEdit(this);
      box->setObjectName(QString("txtin_%1").arg(index));
      box->setAccessibleName(QString("%1 %2").arg(label->text()).arg(position));
      box->setMaxLength(kEntryBoxMaxLength);
      box->setAlignment(Qt::AlignCenter);
      box->setFont(boxFont);
      box->setFixedWidth(boxWidth);
      setBoxColor(box, false);
      box->installEventFilter(this);
      connect(box, &QLineEdit::textChanged, this, [this, index] { applyChangeFilter(index); });
      txtin_[static_cast<size_t>(index - 1)] = box;
      layout->addWidget(box, wheel, position);
      if (index > 1) setTabOrder(txtin_[static_cast<size_t>(index - 2)], box);
    }
    label->setBuddy(txtin_[static_cast<size_t>(entryBox(wheel, 1) - 1)]);
  }
  layout->setColumnStretch(kPositions + 1, 1);
}

QLineEdit* EntryGrid::box(int box) const {
  return isEntryBox(box) ? txtin_[static_cast<size_t>(box - 1)] : nullptr;
}

EntryBoxes EntryGrid::boxes() const {
  EntryBoxes boxes;
  for (int b = 1; b <= kEntryBoxCount; ++b) boxes.setText(b, box(b)->text().toStdString());
  return boxes;
}

void EntryGrid::setBoxes(const EntryBoxes& boxes) {
  for (int b = 1; b <= kEntryBoxCount; ++b) box(b)->setText(qText(boxes.text(b)));
}

void EntryGrid::clear() { setBoxes(EntryBoxes()); }

int EntryGrid::boxOf(const QObject* object) const {
  for (size_t i = 0; i < txtin_.size(); ++i)
    if (txtin_[i] == object) return static_cast<int>(i) + 1;
  return 0;
}

void EntryGrid::applyChangeFilter(int index) {
  QLineEdit* edit = box(index);
  const QString filtered = qText(filterBoxText(edit->text().toStdString()));
  if (filtered != edit->text()) edit->setText(filtered);
}

bool EntryGrid::applyKeyFilter(int index, const QKeyEvent& event) {
  const EntryKey key = entryKey(event.key());
  if (key == EntryKey::Other) return false;
  QLineEdit* edit = box(index);
  const KeyOutcome outcome = filterBoxKey(index, edit->text().toStdString(), key);
  if (qText(outcome.text) != edit->text()) edit->setText(qText(outcome.text));
  if (outcome.focusBox != index && box(outcome.focusBox))
    box(outcome.focusBox)->setFocus(Qt::OtherFocusReason);
  return outcome.swallowed;
}

void EntryGrid::enterBox(int index, Qt::FocusReason reason) {
  QLineEdit* edit = box(index);
  setBoxColor(edit, true);
  edit->selectAll();
  // A click places the cursor after the box has taken the focus: select again afterwards.
  if (reason == Qt::MouseFocusReason) QTimer::singleShot(0, edit, &QLineEdit::selectAll);
}

void EntryGrid::leaveBox(int index) {
  QLineEdit* edit = box(index);
  const QString text = qText(boxTextOnLeave(edit->text().toStdString()));
  if (text != edit->text()) edit->setText(text);
  setBoxColor(edit, false);
}

bool EntryGrid::eventFilter(QObject* watched, QEvent* event) {
  const int index = boxOf(watched);
  if (index == 0) return QWidget::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::KeyPress:
      return applyKeyFilter(index, *static_cast<QKeyEvent*>(event));
    case QEvent::ShortcutOverride:
      // The arrows and Enter belong to the boxes, not to a shortcut or a default button.
      if (entryKey(static_cast<QKeyEvent*>(event)->key()) != EntryKey::Other) event->accept();
      return false;
    case QEvent::FocusIn:
      enterBox(index, static_cast<QFocusEvent*>(event)->reason());
      return false;
    case QEvent::FocusOut:
      leaveBox(index);
      return false;
    default:
      return false;
  }
}

}  // namespace quintello
