#include "gui/common/help.h"

#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QShortcut>
#include <QTextBrowser>
#include <QWidget>

// The help pages live in the GUI library's resources, which a static library must register.
static void registerHelpPages() { Q_INIT_RESOURCE(resources); }

namespace quintello {

namespace {

class ActivationWatcher : public QObject {
 public:
  ActivationWatcher(QObject* parent, Help& help, QString file)
      : QObject(parent), help_(help), file_(std::move(file)) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::WindowActivate) help_.setFile(file_);
    return QObject::eventFilter(watched, event);
  }

 private:
  Help& help_;
  QString file_;
};

}  // namespace

Help::Help() { registerHelpPages(); }

Help::~Help() { delete window_; }

void Help::setFile(const QString& helpFile) { file_ = helpFile; }

QString Help::pageFor(const QString& helpFile) {
  const QString page = ":/help/" + QFileInfo(helpFile).completeBaseName() + ".html";
  return QFile::exists(page) ? "qrc" + page : QString("qrc:/help/helpquintello.html");
}

void Help::show(const QString& section) {
  if (!window_) {
    window_ = new QTextBrowser;
    window_->setObjectName("Help");
    window_->setWindowTitle("Guida in linea");
    window_->setOpenExternalLinks(false);
    window_->resize(640, 520);
  }
  QUrl page(pageFor(file_));
  if (!section.isEmpty()) page.setFragment(section);
  window_->setSource(page);
  window_->show();
  window_->raise();
  window_->activateWindow();
}

void installHelp(QWidget* window, Help& help, const QString& helpFile, const QString& section) {
  if (!helpFile.isEmpty()) {
    help.setFile(helpFile);
    window->installEventFilter(new ActivationWatcher(window, help, helpFile));
  }
  auto* shortcut = new QShortcut(QKeySequence(Qt::Key_F1), window);
  shortcut->setContext(Qt::WindowShortcut);
  QObject::connect(shortcut, &QShortcut::activated, &help,
                   [&help, section] { help.show(section); });
}

}  // namespace quintello
