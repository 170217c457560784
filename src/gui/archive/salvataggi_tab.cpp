#include "gui/archive/salvataggi_tab.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDesktopServices>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "archive/download.h"
#include "archive/update_download.h"
#include "core/error.h"
#include "core/parameters.h"
#include "gui/common/app_context.h"
#include "gui/common/wait_cursor.h"
#include "gui/common/widgets.h"

namespace quintello {

namespace {

QPushButton* button(QWidget* parent, const char* name, const QString& text) {
  return namedButton(parent, name, text, 30);
}

QLabel* valueLabel(QWidget* parent, const char* name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setFrameShape(QFrame::StyledPanel);
  label->setMinimumWidth(260);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

constexpr const char* kTitoloAvviso = "Avviso";

}  // namespace

SalvataggiTab::SalvataggiTab(AppContext& context, QWidget* parent)
    : QWidget(parent), context_(context), zefiralPath_(zefiralPath()) {
  setObjectName("Salvataggi");
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(buildExports(), 1);
  layout->addWidget(buildAddress(), 1);
}

QWidget* SalvataggiTab::buildExports() {
  auto* box = new QGroupBox("Salvataggio dell'archivio per altri programmi", this);
  auto* command10 = button(box, "Command10", "SALVA IN FORMATO AMBROSA 3 (Dati.iii)");
  auto* command7 = button(box, "Command7", "SALVA IN FORMATO ZEFIRAL");
  auto* command34 = button(box, "Command34", "SALVA NAZIONALE FORMATO TESTO");
  auto* command35 = button(box, "Command35", "RENDE PREDEFINITA");
  std::string datiPath;
  if (ProgramDatabase* db = context_.programDatabase()) try {
      datiPath = db->getParameter(parameter::kPercorsoDatiIii).value_or("");
    } catch (const Error&) {
      // an unreadable parameter leaves the label empty
    }
  label13_ = valueLabel(box, "Label13", QString::fromStdString(datiPath));
  // Kept from the older program; no export reads it.
  check1_ = new QCheckBox(
      "Aggiunge estrazione del 10-06-1961 (necessaria per compatibilità metodi creati con "
      "Schemara 2.0",
      box);
  check1_->setObjectName("Check1");

  connect(command10, &QPushButton::clicked, this, &SalvataggiTab::saveDatiIii);
  connect(command7, &QPushButton::clicked, this, &SalvataggiTab::saveZefiral);
  connect(command34, &QPushButton::clicked, this, &SalvataggiTab::saveNazionale);
  connect(command35, &QPushButton::clicked, this, &SalvataggiTab::makeDatiPathDefault);

  auto* path = new QHBoxLayout;
  path->addWidget(label13_, 1);
  path->addWidget(command35);
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(command10);
  layout->addWidget(command7);
  layout->addWidget(
      wrappedNote(box,
                  "Attenzione: questi due formati non prevedono i dati della ruota "
                  "nazionale. Vengono salvate le estrazioni delle 10 ruote classiche."));
  layout->addSpacing(8);
  layout->addLayout(path);
  layout->addWidget(
      wrappedNote(box,
                  "Attenzione, questo file deve essere obbligatoriamente salvato nella "
                  "cartella C:/Ambrosa3/ ....."));
  layout->addWidget(check1_);
  layout->addSpacing(8);
  layout->addWidget(command34);
  layout->addStretch(1);
  return box;
}

QWidget* SalvataggiTab::buildAddress() {
  auto* box = new QGroupBox("Sito internet", this);
  const QString address = QString::fromStdString(context_.internetAddress());
  auto* label6 = new QLabel("Indirizzo Internet", box);
  label6->setObjectName("Label6");
  label5_ = valueLabel(box, "Label5", address);
  auto* command5 = button(box, "Command5", "COLLEGA AL SITO");
  auto* label15 = new QLabel("Indirizzo Internet", box);
  label15->setObjectName("Label15");
  text2_ = new QLineEdit(address, box);
  text2_->setObjectName("Text2");
  text2_->installEventFilter(this);
  text2_->setToolTip("Doppio clic per svuotare la casella");
  label15->setBuddy(text2_);
  auto* command16 = button(box, "Command16", "Incolla contenuto appunti");
  auto* command15 = button(box, "Command15", "RENDE PREDEFINITO");

  connect(command5, &QPushButton::clicked, this, &SalvataggiTab::openSite);
  connect(command16, &QPushButton::clicked, this, &SalvataggiTab::pasteAddress);
  connect(command15, &QPushButton::clicked, this, &SalvataggiTab::makeAddressDefault);

  auto* layout = new QVBoxLayout(box);
  layout->addWidget(label6);
  layout->addWidget(label5_);
  layout->addWidget(command5);
  layout->addSpacing(12);
  layout->addWidget(label15);
  layout->addWidget(text2_);
  layout->addWidget(
      wrappedNote(box,
                  "Per modificare l'indirizzo internet predefinito, copiare l'indirizzo "
                  "desiderato ed incollarlo in questa casella dopodichè usare il pulsante "
                  "RENDE PREDEFINITO"));
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(command16);
  buttons->addWidget(command15);
  layout->addLayout(buttons);
  layout->addSpacing(12);
  addOfficialAddress(box, layout);
  layout->addStretch(1);
  return box;
}

// The official archive's address, where "CONTROLLO AGGIORNAMENTI" downloads from when the
// program names no maker's server.
void SalvataggiTab::addOfficialAddress(QWidget* box, QVBoxLayout* layout) {
  auto* caption = new QLabel("Indirizzo dell'archivio storico ufficiale", box);
  textUfficiale_ = new QLineEdit(
      QString::fromStdString(officialArchiveAddress(context_.programDatabase())), box);
  textUfficiale_->setObjectName("TextArchivioUfficiale");
  textUfficiale_->setCursorPosition(0);  // the scheme and host in sight
  caption->setBuddy(textUfficiale_);
  auto* makeDefault = button(box, "CommandArchivioUfficiale", "RENDE PREDEFINITO");
  connect(makeDefault, &QPushButton::clicked, this, &SalvataggiTab::makeOfficialAddressDefault);
  layout->addWidget(caption);
  layout->addWidget(textUfficiale_);
  layout->addWidget(wrappedNote(
      box,
      "Da questo indirizzo CONTROLLO AGGIORNAMENTI scarica le estrazioni quando il programma "
      "non ha un server degli aggiornamenti. Vale subito; una casella vuota ripristina "
      "l'indirizzo originale."));
  layout->addWidget(makeDefault, 0, Qt::AlignRight);
}

bool SalvataggiTab::eventFilter(QObject* watched, QEvent* event) {
  if (watched == text2_ && event->type() == QEvent::MouseButtonDblClick) {
    text2_->clear();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

std::optional<std::string> SalvataggiTab::askSavePath(const QString& folder, const QString& filter,
                                                      const QString& extension) {
  auto chosen = context_.dialogs().saveFile("Salva con nome", folder, filter);
  if (!chosen || chosen->isEmpty()) return std::nullopt;
  if (QFileInfo(*chosen).suffix().isEmpty()) *chosen += "." + extension;
  return chosen->toStdString();
}

// What an export must never replace: the open archive and the program database.
std::vector<std::string> SalvataggiTab::filesInUse() {
  ArchiveDatabase* db = context_.archiveDatabase();
  return {db ? db->path() : std::string(), context_.files().programDatabasePath()};
}

// Written under a temporary name and renamed when complete; a failure is told, never
// passed over in silence.
void SalvataggiTab::exportTo(ExportFormat format, const std::string& path) {
  try {
    WaitCursor wait;
    exportArchive(format, context_.archive(), path, context_.progress(), filesInUse());
  } catch (const Error& error) {
    context_.dialogs().message(QString::fromUtf8(error.what()), kTitoloAvviso,
                               Dialogs::Icon::Critical);
    return;
  }
  if (format == ExportFormat::DatiIii) label13_->setText(QString::fromStdString(path));
}

void SalvataggiTab::saveDatiIii() {
  const QString folder = label13_->text().isEmpty()
                             ? QString::fromStdString(context_.files().folder())
                             : label13_->text();
  if (const auto path = askSavePath(folder, "File di archivio (*.iii)", "iii"))
    exportTo(ExportFormat::DatiIii, *path);
}

void SalvataggiTab::saveNazionale() {
  if (const auto path = askSavePath(QString::fromStdString(context_.files().folder()),
                                    "File di archivio (*.Txt)", "Txt"))
    exportTo(ExportFormat::Nazionale, *path);
}

void SalvataggiTab::saveZefiral() {
  try {
    WaitCursor wait;
    exportZefiral(context_.archive(), context_.progress(), zefiralPath_, filesInUse());
  } catch (const Error& error) {
    context_.dialogs().message(QString::fromUtf8(error.what()), qText(export_text::kTitoloAvviso),
                               Dialogs::Icon::Critical);
  }
}

// A parameter row that exists gets the value and "Salvataggio effettuato"; a missing row or
// a failure of the database ends without a word.
void SalvataggiTab::storeParameter(std::string_view key, const QString& value) {
  ProgramDatabase* db = context_.programDatabase();
  if (!db) return;
  try {
    if (db->setParameter(key, value.toStdString()))
      context_.dialogs().message("Salvataggio effettuato", "Salvataggio",
                                 Dialogs::Icon::Information);
  } catch (const Error&) {
  }
}

void SalvataggiTab::makeDatiPathDefault() {
  storeParameter(parameter::kPercorsoDatiIii, label13_->text());
}

// Label5 and the running program keep the address read at start-up; the new one counts
// from the next start.
void SalvataggiTab::makeAddressDefault() {
  storeParameter(parameter::kIndirizzoInternet, text2_->text());
}

// Only an http or https address is stored; an empty box returns to the program's own.
void SalvataggiTab::makeOfficialAddressDefault() {
  const QString address = textUfficiale_->text().trimmed();
  if (!address.isEmpty() && !isWebAddress(address.toStdString())) {
    context_.dialogs().message(QString("Indirizzo non valido: \"%1\". Si possono usare solo "
                                       "indirizzi http e https.")
                                   .arg(address),
                               kTitoloAvviso, Dialogs::Icon::Warning);
    return;
  }
  if (ProgramDatabase* db = context_.programDatabase()) try {
      db->addMissingParameter(parameter::kIndirizzoArchivioUfficiale, "");
    } catch (const Error&) {
    }
  storeParameter(parameter::kIndirizzoArchivioUfficiale, address);
  textUfficiale_->setText(
      QString::fromStdString(officialArchiveAddress(context_.programDatabase())));
}

void SalvataggiTab::pasteAddress() { text2_->setText(QGuiApplication::clipboard()->text()); }

// Only a web address goes to the browser: anything else (a file, a program) is refused.
void SalvataggiTab::openSite() {
  const QString address = label5_->text().trimmed();
  const QUrl url = QUrl::fromUserInput(address);
  if (!isWebAddress(url.toString().toStdString())) {
    context_.dialogs().message(QString("Indirizzo internet non valido: \"%1\". Si possono aprire "
                                       "solo indirizzi http e https.")
                                   .arg(address),
                               kTitoloAvviso, Dialogs::Icon::Warning);
    return;
  }
  if (!QDesktopServices::openUrl(url))
    context_.dialogs().message(
        QString("Impossibile aprire l'indirizzo \"%1\" nel browser.").arg(url.toString()),
        kTitoloAvviso, Dialogs::Icon::Warning);
}

}  // namespace quintello
