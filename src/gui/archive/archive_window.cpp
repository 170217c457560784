#include "gui/archive/archive_window.h"

#include <QTabWidget>
#include <QVBoxLayout>

#include "core/error.h"
#include "gui/archive/aggiornamenti_tab.h"
#include "gui/archive/elenco_tab.h"
#include "gui/archive/gestione_tab.h"
#include "gui/archive/salvataggi_tab.h"
#include "gui/common/app_context.h"
#include "gui/common/single_window.h"

namespace quintello {

archivio::archivio(AppContext& context, QWidget* parent) : QWidget(parent), context_(context) {
  setObjectName("archivio");
  setWindowTitle("Gestione archivio");
  makeToolWindow(this);
  installHelp(this, context_.help(), {});

  tabs_ = new QTabWidget(this);
  tabs_->setObjectName("Schede");
  gestione_ = new GestioneEstrazioniTab(context_, tabs_);
  elenco_ = new ElencoEstrazioniTab(context_, tabs_);
  salvataggi_ = new SalvataggiTab(context_, tabs_);
  aggiornamenti_ = new AggiornamentiTab(context_, tabs_);
  tabs_->addTab(gestione_, "&Gestione estrazioni");
  tabs_->addTab(elenco_, "Elenco estrazioni");
  tabs_->addTab(salvataggi_, "Salvataggi");
  tabs_->addTab(aggiornamenti_, "Aggiornamenti");
  connect(gestione_, &GestioneEstrazioniTab::updateCheckOutdated, aggiornamenti_,
          &AggiornamentiTab::clearImport);
  connect(aggiornamenti_, &AggiornamentiTab::firstTabWanted, this,
          [this] { tabs_->setCurrentIndex(0); });
  connect(elenco_, &ElencoEstrazioniTab::drawSelected, this,
          [this](int draw, const std::string& dateText) {
            gestione_->selectDraw(draw, dateText);
            tabs_->setCurrentIndex(0);
          });

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(tabs_);
  load();
  resize(sizeHint().expandedTo(QSize(940, 800)));
}

void archivio::load() {
  tabs_->setCurrentIndex(0);
  gestione_->AggiornaEtichette();
  gestione_->showDrawAt(context_.archive().count());
  // CaricaTabellaArchivio: the draws again from the file, listed in FgDB.
  try {
    context_.loadArchiveTable();
  } catch (const Error& error) {
    context_.dialogs().message(QString::fromUtf8(error.what()), "Anomalia archivio",
                               Dialogs::Icon::Critical);
  }
  elenco_->fill();
  gestione_->setCalendarToToday();
  gestione_->fillYearList();
}

}  // namespace quintello
