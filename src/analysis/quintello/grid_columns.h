#pragma once

#include "analysis/quintello/limits.h"
#include "core/wheels.h"

namespace quintello {

// The columns of the Quintello grids, one namespace per grid. Where a grid holds a run of
// numbers, the run's first column is named and position p (1..) is at that column + p - 1.

// Result list Fg1.
namespace fg1 {
enum Column : int {
  kNumero,  // "N°"
  kEstr,
  kDataEstraz,
  kInizio,
  kFine,
  kEnd,
  kPr,
  kRR,
  kRG,
  kEsito,  // "1".."5": the numbers of the outcome draw
  kC = kEsito + kPositions,
  kNEst,  // "N° Est"
  kDataEsito,
  kS,
  kGe,
  kColumns
};
}  // namespace fg1

// Per-number statistics FgN.
namespace fgN {
enum Column : int { kNumero, kTU, kES, kSC, kRIT, kColumns };
}

// Forecast list Fg_ZZ.
namespace fgZZ {
enum Column : int {
  kNumero,
  kSorte,
  kEsiti,
  kET,
  kNumeri,  // "1".."7"
  kColumns = kNumeri + kNumeriPrevisione
};
}  // namespace fgZZ

// Combination list Fg_CC.
namespace fgCC {
enum Column : int { kCC, kNumeri /* "N1".."N7" */, kColumns = kNumeri + kNumeriPrevisione };
}

// Draws of the uncovered windows FgU.
namespace fgU {
enum Column : int { kRow, kNumeri, kDraw = kNumeri + kPositions, kColumns };
}

// Ranked results of the combination search Fg_I2: the score and up to 85 numbers, of which
// the first k are shown.
namespace fgI2 {
enum Column : int { kScore, kNumeri, kColumns = 86 };
}

// Pair list Fg9090.
namespace fg9090 {
enum Column : int { kBlank, kN1, kN2, kCC, kColumns };
}

// Draw display fga: one row per wheel.
namespace fga {
enum Column : int { kWheel, kNumeri, kColumns = kNumeri + kPositions };
}

// Fg1 of the occurrence detail window (VerificaPrevisione).
namespace verificaFg1 {
enum Column : int {
  kBlank,
  kColpo,
  kNEstr,
  kDataEstraz,
  kRuota,
  kNumeri,  // "N1".."N5"
  kNP = kNumeri + kPositions,
  kQN,
  kEsito,
  kColumns
};
}  // namespace verificaFg1

// Fg1 of the statistical summary: outcomes by forecast size ("Q Num") and hit count.
namespace riepilogoFg1 {
enum Column : int { kQNum, kHits /* "1".."5" */, kColumns = kHits + kPositions };
}

// fG2 of the statistical summary: outcomes by colpo.
namespace riepilogoFG2 {
enum Column : int { kColpo, kEsiti, kPerc, kColumns };
}

// Forecast delays report fGR.
namespace fgR {
enum Column : int {
  kNumero,
  kNumeri,                                 // "N1".."N7"
  kRitardi = kNumeri + kNumeriPrevisione,  // "R1".."R7"
  kRM = kRitardi + kNumeriPrevisione,
  kP360,
  kPSpan,  // "P" and the span of the list
  kColumns
};
}  // namespace fgR

// The comparison of the forecasts with chance ("caso").
namespace caso {
enum Column : int {
  kNumero,
  kSorte,
  kNumeri,
  kFinestre,
  kEsiti,
  kAttesi,
  kRapporto,
  kProbabilita,
  kColumns
};
}  // namespace caso

}  // namespace quintello
