#include "gui/archive/aggiornamenti_tab.h"

#include <QCheckBox>
#include <QFont>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "archive/draw_file.h"
#include "archive/server_addresses.h"
#include "core/error.h"
#include "gui/common/downloader.h"
#include "gui/common/grid_view.h"
#include "gui/common/wait_cursor.h"
#include "gui/common/widgets.h"
#include "gui/shell/app_context.h"

namespace quintello {

namespace {

QPushButton* button(QWidget* parent, const char* name, const QString& text) {
  return namedButton(parent, name, text, 30);
}

// List4 lines up dates and words in the fixed-pitch font the program has always used.
QFont listFont() {
  QFont font("Courier New");
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  return font;
}

const QString kNoServer =
    "L'indirizzo del server degli aggiornamenti non è impostato in questa versione del "
    "programma.";
const QString kNoArchive = "Nessun archivio aperto.";
// The update file, the official archive's text or its zip: the kind is told by content.
const QString kDrawFileFilter =
    "File di estrazioni (*.txt *.Txt *.TXT *.zip *.Zip *.ZIP);;Tutti i file (*)";

}  // namespace

AggiornamentiTab::AggiornamentiTab(AppContext& context, QWidget* parent)
    : QWidget(parent), context_(context), downloader_(new Downloader(this)) {
  setObjectName("Aggiornamenti");
  connect(downloader_, &Downloader::finished, this, &AggiornamentiTab::downloadFinished);
  auto* top = new QHBoxLayout;
  top->addWidget(buildImportPanel(), 1);
  top->addWidget(buildCommandPanel());
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addWidget(buildNotes());
  clearImport();
  setBusy(false);
}

QWidget* AggiornamentiTab::buildImportPanel() {
  auto* box = new QGroupBox("Estrazioni del file di aggiornamento", this);
  fgImporta_ = new GridView(context_.dialogs(), box);
  fgImporta_->setObjectName("FgImporta");
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(fgImporta_);
  return box;
}

QWidget* AggiornamentiTab::buildCommandPanel() {
  auto* panel = new QWidget(this);
  command21_ = button(panel, "Command21", "AGGIORNA DA &FILE");
  command18_ = button(panel, "Command18", "&CONTROLLO AGGIORNAMENTI");
  command26_ = button(panel, "Command26", "Command26");
  command26_->setToolTip("Interrompe lo scaricamento in corso");
  check3_ = new QCheckBox("Corregge estrazioni errate", panel);
  check3_->setObjectName("Check3");
  command28_ = button(panel, "Command28", "AGGIORNAMEN&TO");
  list4_ = new QListWidget(panel);
  list4_->setObjectName("List4");
  list4_->setFont(listFont());
  list4_->setMinimumWidth(300);
  auto* listCaption = new QLabel("Elenco estrazioni mancanti", panel);
  listCaption->setBuddy(list4_);

  connect(command21_, &QPushButton::clicked, this, &AggiornamentiTab::updateFromFile);
  connect(command18_, &QPushButton::clicked, this, &AggiornamentiTab::checkForUpdates);
  connect(command26_, &QPushButton::clicked, this, &AggiornamentiTab::cancelTransfer);
  connect(command28_, &QPushButton::clicked, this, &AggiornamentiTab::applyUpdate);

  auto* download = new QHBoxLayout;
  download->addWidget(command18_, 1);
  download->addWidget(command26_);
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(command21_);
  layout->addLayout(download);
  layout->addSpacing(8);
  layout->addWidget(check3_);
  layout->addWidget(command28_);
  layout->addSpacing(8);
  layout->addWidget(listCaption);
  layout->addWidget(list4_, 1);
  return panel;
}

QWidget* AggiornamentiTab::buildNotes() {
  auto* box = new QWidget(this);
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* service = wrappedNote(box, "L'aggiornamento automatico non è un servizio garantito");
  QFont bold = service->font();
  bold.setBold(true);
  service->setFont(bold);
  layout->addWidget(service);
  for (const char* text :
       {"Di norma, se non ci sono impedimenti, l'aggiornamento dovrebbe essere disponibile il "
        "giorno successivo all'ultima estrazione",
        "Il controllo viene effettuato nelle ultime 100 estrazioni. Per l'archivio completo "
        "contattare il programmatore",
        "Lo sfondo arancione nella colonna della data identifica le estrazioni da importare",
        "La data in rosso e lo sfondo di una ruota bianco identifica una estrazione  con errori "
        "in quella ruota"})
    layout->addWidget(wrappedNote(box, QString::fromUtf8(text)));
  return box;
}

bool AggiornamentiTab::downloading() const { return downloader_->busy(); }

void AggiornamentiTab::setDownloadTimeout(std::chrono::milliseconds timeout) {
  downloader_->setTimeout(timeout);
}

void AggiornamentiTab::setBusy(bool busy) {
  for (auto* b : {command21_, command18_, command28_}) b->setEnabled(!busy);
  command26_->setEnabled(busy);
}

void AggiornamentiTab::updateFromFile() {
  if (downloading()) return;
  nomeFase_.clear();
  const auto path = context_.dialogs().openFile("Apri file di aggiornamento",
                                                QString::fromStdString(context_.files().folder()),
                                                kDrawFileFilter);
  if (!path) {  // a cancelled dialog ends the procedure like a failure
    fail({});
    return;
  }
  checkUpdateFile(path->toStdString());
}

void AggiornamentiTab::checkUpdateFile(const std::string& path) {
  if (downloading()) return;
  readAndCheck(path, FirstLine::Check);
}

void AggiornamentiTab::checkForUpdates() {
  if (downloading()) return;
  nomeFase_ = qText(update_text::kFaseCollegamento);
  const QUrl address = updateFileAddress_.isEmpty()
                           ? QUrl(QString::fromStdString(builtUpdateFileAddress()))
                           : updateFileAddress_;
  if (address.isEmpty()) {
    fail(kNoServer);
    return;
  }
  setBusy(true);
  downloader_->start(address, {}, Downloader::kUpdateFileCap);  // the body in memory
}

void AggiornamentiTab::cancelTransfer() { downloader_->cancel(); }

void AggiornamentiTab::downloadFinished(const DownloadResult& result) {
  setBusy(false);
  if (result.status == DownloadResult::Status::Cancelled) {
    // The user stopped it: nothing to tell, the copy of the last download stays as it was.
  } else if (!result.ok()) {
    fail(result.error);
  } else {
    checkDownloadedText(result.body);
  }
  emit downloadHandled();
}

// The text is kept as Estr_Agg.txt in the program folder, then read like any update file but
// without the first-line check.
void AggiornamentiTab::checkDownloadedText(const QByteArray& body) {
  const std::string copy = context_.files().file(kDownloadedUpdateFile);
  try {
    saveDownloadedUpdateFile(copy, std::string_view(body.constData(), size_t(body.size())));
  } catch (const UpdateFailure& failure) {
    nomeFase_ = qText(failure.phase());
    fail(QString::fromStdString(failure.detail()));
    return;
  }
  readAndCheck(copy, FirstLine::Skip);
}

void AggiornamentiTab::readAndCheck(const std::string& path, FirstLine firstLine) {
  ArchiveDatabase* db = context_.archiveDatabase();
  if (!db) {
    fail(kNoArchive);
    return;
  }
  WaitCursor wait;
  try {
    DrawFile read = readDrawFile(path, firstLine);
    if (read.wrongForm) {
      context_.dialogs().message(qText(update_text::kFormatoNonCorretto),
                                 qText(update_text::kTitoloAvviso), Dialogs::Icon::Critical);
      return;
    }
    nomeFase_ = qText(update_text::kFaseElenco);
    // The lines are in FgImporta before the check, and stay there if it fails.
    check_ = UpdateCheck{read.rows, {}, 0};
    fgImporta_->setGrid(importGrid(check_));
    nomeFase_ = qText(update_text::kFaseControllo);
    UpdateCheck check = checkUpdateRows(std::move(read.rows), *db, context_.progress());
    if (check.ran()) showCheck(check);  // no lines: List4 keeps what it showed
    check_ = std::move(check);
  } catch (const UpdateFailure& failure) {
    nomeFase_ = qText(failure.phase());
    fail(QString::fromStdString(failure.detail()));
  } catch (const Error& error) {
    fail(QString::fromUtf8(error.what()));
  }
}

void AggiornamentiTab::showCheck(const UpdateCheck& check) {
  fgImporta_->setGrid(importGrid(check));
  fgImporta_->setTopRow(fgImporta_->grid().rows() - 1);
  showMessages(check.messages);
}

void AggiornamentiTab::showMessages(const std::vector<std::string>& messages) {
  list4_->clear();
  for (const auto& line : messages) list4_->addItem(QString::fromStdString(line));
}

// "Attenzione qualcosa è andato strorto nella procedura " + NomeFase, and what happened on a
// line of its own.
void AggiornamentiTab::fail(const QString& detail) {
  QString text = qText(update_text::kQualcosaStorto) + nomeFase_;
  if (!detail.isEmpty()) text += "\n\n" + detail;
  context_.dialogs().message(text, qText(update_text::kTitoloAvviso), Dialogs::Icon::Critical);
}

void AggiornamentiTab::applyUpdate() {
  if (downloading()) return;
  ArchiveDatabase* db = context_.archiveDatabase();
  if (!db) {
    context_.dialogs().message(kNoArchive, qText(update_text::kTitoloAggiornamento),
                               Dialogs::Icon::Critical);
    return;
  }
  ApplyResult result;
  try {
    WaitCursor wait;
    result = quintello::applyUpdate(check_, *db, check3_->isChecked(), context_.progress());
  } catch (const Error& error) {
    result.failure = error.what();
  }
  const QString title = qText(update_text::kTitoloAggiornamento);
  if (result.failure) {
    // Nothing was stored: the check's lines and findings stay, to be seen and corrected.
    list4_->addItem(QString::fromStdString(*result.failure));
    context_.dialogs().message(QString::fromStdString(*result.failure), title,
                               Dialogs::Icon::Critical);
    return;
  }
  showMessages(result.messages);
  if (const auto notice = applyNotice(result))
    context_.dialogs().message(qText(*notice), title, Dialogs::Icon::Information);
  if (result.nothingToApply || !result.added.empty()) selectFirstTab();
  if (result.nothingToApply) return;
  try {
    context_.reloadArchive();
  } catch (const Error& error) {
    context_.dialogs().message(QString::fromUtf8(error.what()), "Anomalia archivio",
                               Dialogs::Icon::Critical);
  }
  clearImport();
}

void AggiornamentiTab::clearImport() {
  check_ = UpdateCheck{};
  fgImporta_->setGrid(importGrid(check_));
}

// The archive window's first tab, "Gestione estrazioni", shows the latest draw.
void AggiornamentiTab::selectFirstTab() {
  for (QWidget* w = parentWidget(); w; w = w->parentWidget())
    if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
      tabs->setCurrentIndex(0);
      return;
    }
}

}  // namespace quintello
