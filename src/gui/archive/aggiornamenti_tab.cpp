#include "gui/archive/aggiornamenti_tab.h"

#include <QCheckBox>
#include <QFont>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "archive/draw_file.h"
#include "core/error.h"
#include "gui/common/app_context.h"
#include "gui/common/download_task.h"
#include "gui/common/grid_view.h"
#include "gui/common/wait_cursor.h"
#include "gui/common/widgets.h"

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

const QString kNoAddress = "L'indirizzo da cui scaricare gli aggiornamenti non è impostato.";
const QString kNoArchive = "Nessun archivio aperto.";
// The update file, the official archive's text or its zip: the kind is told by content.
const QString kDrawFileFilter =
    "File di estrazioni (*.txt *.Txt *.TXT *.zip *.Zip *.ZIP);;Tutti i file (*)";

}  // namespace

AggiornamentiTab::AggiornamentiTab(AppContext& context, QWidget* parent)
    : QWidget(parent), context_(context), download_(new DownloadTask(this)) {
  setObjectName("Aggiornamenti");
  connect(download_, &DownloadTask::finished, this, &AggiornamentiTab::downloadFinished);
  connect(download_, &DownloadTask::progress, this, [this](qint64 received, qint64 total) {
    context_.progress().setMaximum(int(total));
    context_.progress().setValue(int(total ? received : 0));
  });
  auto* top = new QHBoxLayout;
  top->addWidget(buildImportPanel(), 1);
  top->addWidget(buildCommandPanel());
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addWidget(buildNotes());
  clearImport();
  setBusy(false);
  showSource();
}

AggiornamentiTab::~AggiornamentiTab() { delete download_; }

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
  sourceNote_ = wrappedNote(box, {});
  sourceNote_->setObjectName("NotaFonte");
  layout->addWidget(sourceNote_);
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

bool AggiornamentiTab::downloading() const { return download_->busy(); }

void AggiornamentiTab::setDownloadLimits(std::chrono::milliseconds silence,
                                         std::chrono::milliseconds deadline) {
  limits_.silence = silence;
  limits_.deadline = deadline;
}

UpdateSource AggiornamentiTab::updateSource() {
  if (source_) return *source_;
  return defaultUpdateSource(officialArchiveAddress(context_.programDatabase()));
}

void AggiornamentiTab::setUpdateSource(UpdateSource source) {
  source_ = std::move(source);
  showSource();
}

// The button and the note say where the check takes its draws from.
void AggiornamentiTab::showSource() {
  const UpdateSource source = updateSource();
  const QString address = QString::fromStdString(source.address);
  if (source.kind == UpdateSource::Kind::MakersServer) {
    command18_->setText("CONTROLLO AGGIORNAMENTI\n(server del programma)");
    sourceNote_->setText("Gli aggiornamenti vengono scaricati dal server del programma: " +
                         address);
  } else {
    command18_->setText("CONTROLLO AGGIORNAMENTI\n(archivio ufficiale)");
    sourceNote_->setText(
        "Gli aggiornamenti vengono scaricati dall'archivio storico ufficiale del Lotto: " +
        address + " (si controllano le sue ultime " + QString::number(kOfficialCheckedDraws) +
        " estrazioni; l'indirizzo si cambia nella scheda Salvataggi)");
  }
}

void AggiornamentiTab::showEvent(QShowEvent* event) {
  showSource();  // the address may have changed in "Salvataggi"
  QWidget::showEvent(event);
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
  showSource();
  const UpdateSource source = updateSource();
  if (source.address.empty()) {
    fail(kNoAddress);
    return;
  }
  setBusy(true);
  // The download and the read of the copy run off the window's thread; the check, which
  // reads the archive, runs on it once they are done.
  fetched_ = {};
  fetchFailure_.reset();
  download_->start(
      [this, source, folder = context_.files().folder()](const DownloadLimits& limits) {
        try {
          fetched_ = fetchUpdate(source, folder, limits);
        } catch (const UpdateFailure& failure) {
          fetchFailure_ = failure;
        } catch (const Error& error) {
          fetchFailure_ = UpdateFailure(update_text::kFaseElenco, error.what());
        } catch (const std::exception&) {  // nothing may escape the download's thread
          fetchFailure_ = UpdateFailure(update_text::kFaseElenco,
                                        "Memoria insufficiente per leggere il file scaricato.");
        }
      },
      limits_);
}

void AggiornamentiTab::cancelTransfer() { download_->cancel(); }

void AggiornamentiTab::downloadFinished() {
  setBusy(false);
  context_.progress().setMaximum(1);
  context_.progress().setValue(0);
  const DownloadResult& result = fetched_.download;
  if (fetchFailure_) {
    nomeFase_ = qText(fetchFailure_->phase());
    fail(QString::fromStdString(fetchFailure_->detail()));
  } else if (result.status == DownloadResult::Status::Cancelled) {
    // The user stopped it: nothing to tell, the copy of the last download stays as it was.
  } else if (!result.ok()) {
    fail(QString::fromStdString(result.error));
  } else {
    nomeFase_ = qText(update_text::kFaseElenco);
    showAndCheck(std::move(fetched_.rows));
  }
  emit downloadHandled();
}

void AggiornamentiTab::readAndCheck(const std::string& path, FirstLine firstLine) {
  std::optional<DrawFile> read;
  runStep([&] {
    WaitCursor wait;
    read = readDrawFile(path, firstLine);
  });
  if (!read) return;
  if (read->wrongForm) {
    context_.dialogs().message(qText(update_text::kFormatoNonCorretto),
                               qText(update_text::kTitoloAvviso), Dialogs::Icon::Critical);
    return;
  }
  nomeFase_ = qText(update_text::kFaseElenco);
  showAndCheck(std::move(read->rows));
}

void AggiornamentiTab::showAndCheck(std::vector<UpdateRow> rows) {
  ArchiveDatabase* db = context_.archiveDatabase();
  if (!db) {
    fail(kNoArchive);
    return;
  }
  runStep([&] {
    WaitCursor wait;
    // The lines are in FgImporta before the check, and stay there if it fails.
    check_ = UpdateCheck{rows, {}, 0};
    fgImporta_->setGrid(importGrid(check_));
    nomeFase_ = qText(update_text::kFaseControllo);
    UpdateCheck check = checkUpdateRows(std::move(rows), *db, context_.progress());
    if (check.ran()) showCheck(check);  // no lines: List4 keeps what it showed
    check_ = std::move(check);
  });
}

void AggiornamentiTab::runStep(const std::function<void()>& step) {
  try {
    step();
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
  if (result.nothingToApply || !result.added.empty()) emit firstTabWanted();
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

}  // namespace quintello
