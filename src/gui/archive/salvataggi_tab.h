#pragma once

#include <QWidget>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "archive/exports.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace quintello {

class AppContext;

// "Salvataggi": the whole archive written for other lottery programs (Ambrosa 3's Dati.iii,
// Zefiral's fixed file, the Nazionale as text), the default folder of the Dati.iii file, and
// the internet address of the maker's site, opened in the browser or made the default, and
// the address of the official historical archive the update check downloads from.
class SalvataggiTab : public QWidget {
  Q_OBJECT

 public:
  explicit SalvataggiTab(AppContext& context, QWidget* parent = nullptr);

  // The tab's commands, as the user gives them.
  void saveDatiIii();          // Command10 "SALVA IN FORMATO AMBROSA 3 (Dati.iii)"
  void saveZefiral();          // Command7 "SALVA IN FORMATO ZEFIRAL"
  void saveNazionale();        // Command34 "SALVA NAZIONALE FORMATO TESTO"
  void makeDatiPathDefault();  // Command35 "RENDE PREDEFINITA"
  void openSite();             // Command5 "COLLEGA AL SITO"
  void pasteAddress();         // Command16 "Incolla contenuto appunti"
  void makeAddressDefault();   // Command15 "RENDE PREDEFINITO"
  // "RENDE PREDEFINITO" beside the official archive's address.
  void makeOfficialAddressDefault();

  // The Zefiral file's place (its fixed place unless set).
  void setZefiralPath(std::string path) { zefiralPath_ = std::move(path); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* buildExports();
  QWidget* buildAddress();
  void addOfficialAddress(QWidget* box, QVBoxLayout* layout);
  // The file dialog for saving; nothing when cancelled. The default extension is added to a
  // name given without one.
  std::vector<std::string> filesInUse();
  std::optional<std::string> askSavePath(const QString& folder, const QString& filter,
                                         const QString& extension);
  void exportTo(ExportFormat format, const std::string& path);
  void storeParameter(std::string_view key, const QString& value);

  AppContext& context_;
  std::string zefiralPath_;

  QLabel* label13_ = nullptr;
  QCheckBox* check1_ = nullptr;
  QLabel* label5_ = nullptr;
  QLineEdit* text2_ = nullptr;
  QLineEdit* textUfficiale_ = nullptr;
};

}  // namespace quintello
