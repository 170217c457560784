#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/color.h"
#include "core/draw_archive.h"
#include "core/grid.h"

namespace quintello {

// The grids of the three browsing views: the mini draw list (one draw, all eleven wheels),
// the draw list its opener fills, and the 9 x 10 board of the number picker.

// A highlighted cell of the mini list and of the number board; every other cell is white.
inline constexpr Color kHighlight = kGreen;
// The number just clicked on the board.
inline constexpr Color kPickedNumber = kYellow;

// --- Mini draw list (fG2) ---

// Header "Ruota| N1 | N2 | N3 | N4 | N5 ", rows 1..11 = wheels BA..NZ with the wheel code in
// column 0 (bold, fixed), columns 1..5 for the positions; every column centred.
Grid miniListGrid();
// Writes draw `draw` into the grid: the five numbers of every wheel (0 when the wheel had no
// draw that day), and every number cell back to white, which clears earlier highlights.
void showDrawInMiniList(Grid& grid, const DrawArchive& archive, int draw);
// "PM=" month ordinal "   PA=" year ordinal: "PM=3   PA=40".
std::string ordinalsText(const DrawArchive& archive, int draw);
// A click on a number cell: green becomes white, any other colour green. The header row and
// the wheel codes are not numbers and stay as they are; false when nothing changed.
bool toggleHighlight(Grid& grid, int row, int col);
// Every cell below the header and right of column 0 back to white.
void clearHighlights(Grid& grid);

// The answer to "Inserire il n° indice dell'archivio modello.": the draw index it names, or
// nothing when it is not a whole number or lies outside 1..drawCount.
std::optional<int> drawIndexFromAnswer(std::string_view answer, int drawCount);
// The first draw whose date text is exactly `dateText` ("GG/MM/AAAA", compared character by
// character, so "5/12/2025" never matches "05/12/2025"), or nothing.
std::optional<int> findDrawByDate(const DrawArchive& archive, std::string_view dateText);

// --- Draw list (FgE) ---

// Columns of FgE.
namespace fgE {
enum Column : int { kRif, kNEstr, kDataEstraz, kRuota, kNumeri, kQN = kNumeri + kPositions };
}

// The empty draw list: header "Rif  |N° Estr|Data Estraz  |Ruota|N1|N2|N3|N4|N5|QN", every
// column centred. Its opener appends the lines and hands the grid to the window.
Grid drawListWindowGrid();

// --- Number picker (Fg1 of Numeri) ---

inline constexpr int kBoardRows = 9;
inline constexpr int kBoardCols = 10;

// 9 rows x 10 columns without header: cell (r, c) shows 10r + c + 1, so row 0 holds 1..10
// and row 8 holds 81..90; every cell white, every column centred.
Grid numberBoardGrid();
// The number shown at (row, col) of the board, or 0 outside it.
int boardNumber(int row, int col);
// Every cell white, then green on the cells of `numbers` (numbers outside 1..90 are ignored).
void markBoardNumbers(Grid& board, std::span<const int> numbers);
// Every cell white, then yellow on the clicked cell; the clicked cell's number, 0 outside.
int pickBoardNumber(Grid& board, int row, int col);

}  // namespace quintello
