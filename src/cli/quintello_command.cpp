#include <algorithm>
#include <optional>

#include "analysis/quintello/session.h"
#include "cli/commands.h"
#include "cli/grid_output.h"
#include "core/error.h"

namespace quintello::cli {

namespace {

std::string numbersText(const std::vector<int>& numbers) {
  std::string text;
  for (const int n : numbers) text += (text.empty() ? "" : ",") + std::to_string(n);
  return text;
}

void applyInputs(const QuintelloOptions& q, const DrawArchive& archive, QuintelloInputs& in) {
  in = QuintelloSession::defaultInputs(archive);
  in.EstrazioneCorrente = q.estrazione.value_or(archive.count());
  in.FineRicerca = q.fine;
  in.NumeroCercato = q.numero;
  in.RuotaRilevazione = q.rilevazione;
  in.RuotaGioco = q.giocoOrDetection();
  in.PosizioniRilevazione = q.posizioni;
  in.NumPresenze = q.presenze;
  in.Colpi = q.colpi;
  in.NumeriCombinazione = q.numeri;
  in.VerificaAutomatica = q.verificaAutomatica;
}

void runAction(QuintelloSession& session, const Action& action, std::ostream& err) {
  const auto notAdded = [&](std::string_view option) {
    err << "quintello-cli: avviso: " << option << ' ' << numbersText(action.numbers)
        << ": nessuna previsione aggiunta (elenco delle previsioni pieno o tutte le presenze "
           "coperte).\n";
  };
  switch (action.kind) {
    case Action::Kind::Previsione:
      if (!session.addThroughCombinationList(action.numbers)) notAdded("--previsione");
      break;
    case Action::Kind::Tabellone: {
      session.clearBoard();
      // The command line gives at most seven distinct numbers: the board takes them all.
      bool marked = true;
      for (const int n : action.numbers) marked = session.toggleBoardNumber(n) && marked;
      if (!marked || !session.addFromBoard()) notAdded("--tabellone");
      session.clearBoard();
      break;
    }
    case Action::Kind::Coppia:
      if (!session.addPairNumbers(action.numbers.at(0), action.numbers.at(1))) notAdded("--coppia");
      break;
    case Action::Kind::Rimuovi: {
      const int numero = action.numbers.at(0);
      const auto& forecasts = session.book().forecasts();
      const auto found = std::find_if(forecasts.begin(), forecasts.end(),
                                      [&](const Previsione& p) { return p.Numero == numero; });
      if (found == forecasts.end() ||
          !session.removeForecast(static_cast<int>(found - forecasts.begin()) + 1))
        err << "quintello-cli: avviso: --rimuovi " << numero
            << ": nessuna previsione con questo numero.\n";
      break;
    }
    case Action::Kind::Verifica:
      session.verifyForecasts();
      break;
    case Action::Kind::Elabora:
      session.elabora();
      break;
    case Action::Kind::Coppie:
      session.searchPairs();
      break;
  }
}

[[noreturn]] void noSuchRow(const PrintItem& item, std::string_view list, size_t rows) {
  throw UsageError("--stampa " + item.name + ": " + std::string(list) + " ha " +
                   std::to_string(rows) + (rows == 1 ? " riga." : " righe."));
}

// The grids asked for, rendered once each in the order given.
struct Printed {
  std::vector<std::pair<std::string, Grid>> grids;
  bool labels = false;  // "etichette" is among the items, at grids.size() when first met
  size_t labelsAt = 0;
  Label drawListLabel;  // Label1 of the last draw list printed
};

Printed renderItems(const QuintelloSession& session, const std::vector<PrintItem>& items) {
  Printed printed;
  const auto forecastRow = [&](const PrintItem& item) {
    const size_t rows = session.book().forecasts().size();
    if (static_cast<size_t>(item.row) > rows) noSuchRow(item, "l'elenco delle previsioni", rows);
    return item.row;
  };
  for (const auto& item : items) {
    using Kind = PrintItem::Kind;
    std::optional<Grid> grid;
    switch (item.kind) {
      case Kind::Elenco:
        grid = renderFg1(session.list());
        break;
      case Kind::Numeri:
        grid = renderFgN(session.list());
        break;
      case Kind::Previsioni:
        grid = renderFg_ZZ(session.book());
        break;
      case Kind::Combinazioni:
        grid = renderFg_CC(session.search());
        break;
      case Kind::Scoperte:
        grid = renderFgU(session.search());
        break;
      case Kind::Coppie:
        grid = renderFg9090(session.search());
        break;
      case Kind::Riepilogo:
        grid = session.statisticalSummary().Fg1;
        break;
      case Kind::Colpi:
        grid = session.statisticalSummary().fG2;
        break;
      case Kind::Ritardi:
        grid = session.delaysReport();
        if (!grid) noSuchRow(item, "l'elenco delle previsioni", 0);
        break;
      case Kind::Caso:
        grid = session.chanceReport();
        break;
      case Kind::Ristretto:
      case Kind::Completo: {
        const int row = forecastRow(item);
        auto list = item.kind == Kind::Ristretto ? session.restrictedDrawList(row)
                                                 : session.completeDrawList(row);
        if (!list) noSuchRow(item, "l'elenco delle previsioni", session.book().forecasts().size());
        printed.drawListLabel = list->Label1;
        grid = std::move(list->FgE);
        break;
      }
      case Kind::Dettaglio: {
        const size_t rows = session.occurrences().size();
        if (static_cast<size_t>(item.row) > rows) noSuchRow(item, "l'elenco delle presenze", rows);
        grid = session.occurrenceDetail(item.row);
        if (!grid) noSuchRow(item, "l'elenco delle presenze", rows);
        break;
      }
      case Kind::Etichette:
        if (!printed.labels) printed.labelsAt = printed.grids.size();
        printed.labels = true;
        break;
    }
    if (grid) printed.grids.emplace_back(item.name, std::move(*grid));
  }
  return printed;
}

std::vector<LabelOutput> sessionLabels(const QuintelloSession& session, const Label& drawList) {
  const QuintelloLabels labels = renderLabels(session.list(), session.book());
  const Label total = session.statisticalSummary().Label3;
  std::vector<LabelOutput> out;
  const auto add = [&](std::string name, const Label& label) {
    out.push_back({std::move(name), label.text, label.back, label.fore});
  };
  add("LBL_NC", labels.LBL_NC);
  add("Label7", labels.Label7);
  add("Lbl_T", labels.Lbl_T);
  add("Lbl_S", labels.Lbl_S);
  add("Label3", total);
  add("Label1", drawList);
  return out;
}

}  // namespace

void runQuintello(const Options& options, const DrawArchive& archive, std::ostream& out,
                  std::ostream& err) {
  const QuintelloOptions& q = options.quintello;
  if (archive.count() == 0) throw Error("L'archivio delle estrazioni è vuoto.");
  if (q.estrazione) checkDrawIndex(*q.estrazione, archive.count());

  QuintelloSession session(archive);
  applyInputs(q, archive, session.inputs());
  if (q.seme) session.random().setSeed(*q.seme);

  session.elenco();
  for (const auto& action : q.actions) runAction(session, action, err);

  const std::vector<PrintItem> items =
      q.stampa.empty() ? std::vector<PrintItem>{{PrintItem::Kind::Elenco, 0, "elenco"}} : q.stampa;
  const Printed printed = renderItems(session, items);
  const auto labels = sessionLabels(session, printed.drawListLabel);

  if (options.json) {
    std::vector<GridOutput> grids;
    for (const auto& [name, grid] : printed.grids) grids.push_back({name, &grid});
    out << gridsJson(grids, labels) << '\n';
    return;
  }
  for (size_t i = 0; i <= printed.grids.size(); ++i) {
    if (printed.labels && i == printed.labelsAt) {
      out << "# etichette\n";
      printLabels(out, labels);
    }
    if (i < printed.grids.size()) printGrid(out, printed.grids[i].first, printed.grids[i].second);
  }
}

}  // namespace quintello::cli
