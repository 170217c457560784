#include "gui/shell/startup_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "archive/first_start.h"
#include "core/error.h"
#include "core/parameters.h"
#include "core/text_number.h"
#include "gui/common/app_context.h"
#include "gui/common/progress_bar.h"

namespace quintello {

namespace {

const QString kFirstUse =
    "Attenzione, la prima volta è necessario configurare l'origine dell'archivio";

QPushButton* button(QWidget* parent, const char* name, const QString& text) {
  auto* b = new QPushButton(text, parent);
  b->setObjectName(name);
  return b;
}

QLabel* label(QWidget* parent, const char* name, const QString& text) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(name);
  return l;
}

}  // namespace

StartupWindow::StartupWindow(AppContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
  setObjectName("INIZIO");
  setWindowTitle(AppContext::versionCaption());

  procedi_ = button(this, "Command2", "PROCEDI");
  selezione_ = button(this, "Command4", "SELEZIONE ARCHIVIO");
  fine_ = button(this, "Command3", "FINE");
  help_ = button(this, "CmDHelp", "Help in linea");
  help_->setIcon(style()->standardIcon(QStyle::SP_DialogHelpButton));
  auto* note = label(this, "Label1",
                     "Da utilizzare solamente al primo utilizzo del programma. Consultare "
                     "l'help in linea ------->");
  note->setWordWrap(true);
  auto* caption = label(this, "Label5", "Percorso archivio:");
  pathLabel_ = label(this, "Lbl_Archivio", "");
  pathLabel_->setWordWrap(true);
  pathLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  pathLabel_->setFrameShape(QFrame::StyledPanel);
  pathLabel_->setMinimumHeight(2 * fontMetrics().height() + 8);
  progressBar_ = new QProgressBar(this);
  progressBar_->setObjectName("Pb1");
  progressBar_->setValue(0);

  auto* selection = new QHBoxLayout;
  selection->addWidget(selezione_);
  selection->addWidget(note, 1);
  selection->addWidget(help_);

  auto* commands = new QHBoxLayout;
  commands->addWidget(procedi_);
  commands->addStretch(1);
  commands->addWidget(fine_);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(selection);
  layout->addWidget(caption);
  layout->addWidget(pathLabel_);
  layout->addWidget(progressBar_);
  layout->addLayout(commands);
  resize(620, 230);

  procedi_->setDefault(true);
  connect(procedi_, &QPushButton::clicked, this, &StartupWindow::proceed);
  connect(selezione_, &QPushButton::clicked, this, &StartupWindow::selectArchive);
  connect(fine_, &QPushButton::clicked, this, [this] { context_.finish(); });
  connect(help_, &QPushButton::clicked, this, [this] {
    context_.help().setFile(Help::kMainFile);
    context_.help().show();
  });
  installHelp(this, context_.help(), Help::kMainFile);
}

bool StartupWindow::start() {
  context_.help().setFile(Help::kMainFile);
  try {
    context_.setProgramDatabase(openProgramDatabase(context_.files(), context_.bundledDrawsPath()));
  } catch (const Error& error) {
    context_.dialogs().message(QString::fromStdString(error.what()), "Quintello",
                               Dialogs::Icon::Critical);
    return false;
  }
  std::string archiveProblem;
  try {
    context_.setArchivePath(context_.files().resolvedPath(
        context_.programDatabase()->getParameter(parameter::kPercorsoArchivio).value_or("")));
  } catch (const Error& error) {
    context_.setArchivePath({});
    archiveProblem = error.what();
  }
  pathLabel_->setText(QString::fromStdString(context_.archivePath()));
  openArchiveAtStart(archiveProblem);
  show();
  readParameters();
  return true;
}

void StartupWindow::openArchiveAtStart(std::string problem) {
  if (problem.empty() && !context_.archivePath().empty()) {
    try {
      context_.setArchiveDatabase(ArchiveDatabase::open(context_.archivePath()));
      return;
    } catch (const Error& error) {
      problem = error.what();
    }
  }
  // No archive yet, or one that cannot be used: the first-use road, saying why when an
  // archive was named.
  context_.setArchiveDatabase(std::nullopt);
  context_.dialogs().message(
      problem.empty() ? kFirstUse : kFirstUse + "\n\n" + QString::fromStdString(problem),
      "Selezionare Archivio", Dialogs::Icon::Warning);
  selectArchive();
}

void StartupWindow::readParameters() {
  try {
    context_.setInternetAddress(
        context_.programDatabase()->getParameter(parameter::kIndirizzoInternet).value_or(""));
    ImpostaInizialix();
  } catch (const Error&) {
    context_.dialogs().message(
        "Attenzione, al primo utilizzo drve essere selezionato il database delle estrazioni",
        "Anomalia", Dialogs::Icon::Critical);
  }
}

void StartupWindow::ImpostaInizialix() {
  if (const auto value = context_.programDatabase()->getParameter(parameter::kEstrazioneIniziale))
    context_.setEstrazioneIniziale(leadingInteger(*value));
}

void StartupWindow::selectArchive() {
  const auto chosen = context_.dialogs().openFile(
      "File di archivio (*.Mdb)", QString::fromStdString(context_.files().folder()),
      "File di archivio (*.mdb *.Mdb *.MDB);;Tutti i file (*)");
  if (!chosen) return;
  const std::string path = chosen->toStdString();
  // A file that is not an archive of draws is refused now, rather than at the next start.
  try {
    context_.setArchiveDatabase(ArchiveDatabase::open(path));
  } catch (const Error& error) {
    context_.dialogs().message(QString::fromStdString(error.what()), "Selezione archivio",
                               Dialogs::Icon::Critical);
    return;
  }
  try {
    context_.files().writeArchivePathFile(path);
    context_.setArchivePath(path);
    if (!context_.programDatabase()->setParameter(parameter::kPercorsoArchivio,
                                                  context_.files().storedPath(path)))
      throw Error(
          "Il database del programma non ha il parametro PercorsoArchivio: l'archivio "
          "scelto non sarà ricordato al prossimo avvio.");
  } catch (const Error& error) {
    // The choice is in use for this run but could not be recorded for the next one.
    context_.dialogs().message(QString::fromStdString(error.what()), "Selezione archivio",
                               Dialogs::Icon::Critical);
    return;
  }
  pathLabel_->setText("Database: " + QString::fromStdString(context_.archivePath()));
}

void StartupWindow::proceed() {
  if (context_.archivePath().empty()) {
    context_.dialogs().message(
        "Nessun archivio delle estrazioni selezionato: premere \"SELEZIONE ARCHIVIO\" e "
        "scegliere il file dell'archivio.",
        "Selezionare Archivio", Dialogs::Icon::Warning);
    return;
  }
  ProgressBarAdapter progress(progressBar_);
  try {
    if (!context_.archiveDatabase() || context_.archiveDatabase()->path() != context_.archivePath())
      context_.setArchiveDatabase(ArchiveDatabase::open(context_.archivePath()));
    loadArchive(*context_.archiveDatabase(), context_.archiveForLoading(),
                context_.estrazioneIniziale(), progress);
  } catch (const Error& error) {
    context_.setArchiveDatabase(std::nullopt);
    context_.dialogs().message(QString::fromStdString(error.what()), "Caricamento archivio",
                               Dialogs::Icon::Critical);
    return;
  }
  emit archiveLoaded();
}

}  // namespace quintello
