#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTextBrowser>
class QWidget;

namespace quintello {

// The program's Italian help pages, shown in one help window. Windows name their help
// file ("helpquintello.chm", "Cimavert.chm", ...); the page shown is the bundled page of
// the same name.
class Help : public QObject {
  Q_OBJECT

 public:
  static constexpr const char* kMainFile = "helpquintello.chm";

  Help();
  ~Help() override;

  void setFile(const QString& helpFile);
  const QString& file() const { return file_; }
  // Opens (or brings to the front) the help window on the current file's page, at one of
  // its sections when `section` names an anchor of the page.
  void show(const QString& section = {});
  QTextBrowser* window() const { return window_; }

  // The resource page of a help file name: "Cimavert.chm" -> "qrc:/help/Cimavert.html".
  static QString pageFor(const QString& helpFile);

 private:
  QString file_ = kMainFile;
  QPointer<QTextBrowser> window_;
};

// Makes a window set the help file when it opens and whenever it is activated, and open
// the help on F1, at `section` when one is named. An empty helpFile leaves the current file
// as it is.
void installHelp(QWidget* window, Help& help, const QString& helpFile, const QString& section = {});

}  // namespace quintello
