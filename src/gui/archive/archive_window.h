#pragma once

#include <QWidget>

class QTabWidget;

namespace quintello {

class AggiornamentiTab;
class AppContext;
class ElencoEstrazioniTab;
class GestioneEstrazioniTab;
class SalvataggiTab;

// archivio, the archive window: where the user keeps the draw archive, in four tabs,
// "&Gestione estrazioni" (a draw keyed in, pasted, saved, modified or deleted; the year
// calendar and the searches), "Elenco estrazioni" (every draw), "Salvataggi" (exports) and
// "Aggiornamenti" (updates from a file or the maker's server).
class archivio : public QWidget {
  Q_OBJECT

 public:
  explicit archivio(AppContext& context, QWidget* parent = nullptr);

  QTabWidget* tabs() const { return tabs_; }
  GestioneEstrazioniTab* gestione() const { return gestione_; }
  ElencoEstrazioniTab* elenco() const { return elenco_; }
  SalvataggiTab* salvataggi() const { return salvataggi_; }
  AggiornamentiTab* aggiornamenti() const { return aggiornamenti_; }

 private:
  void load();

  AppContext& context_;
  QTabWidget* tabs_;
  GestioneEstrazioniTab* gestione_;
  ElencoEstrazioniTab* elenco_;
  SalvataggiTab* salvataggi_;
  AggiornamentiTab* aggiornamenti_;
};

}  // namespace quintello
