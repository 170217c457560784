#pragma once

#include <QString>

#include "core/grid.h"

class QPrinter;

namespace quintello {

class Dialogs;

// The one copy and the one print of a grid: every "Copia tabella" and every "Stampa grid"
// of the program goes through these, naming only the grid and, to print, the margins.

// Replaces the clipboard with the whole grid as text: header row and first column included,
// a tab between cells, a carriage return between rows.
void copyGridToClipboard(const Grid& grid);

// The print dialog, then the grid on as many pages as it needs. Margins are in twips
// (1440 = one inch). False when the user cancels or the printer cannot start (told in a
// message box).
bool printGrid(Dialogs& dialogs, const Grid& grid, int marginLeftRightTwips,
               int marginTopBottomTwips);

// Prints the grid on a printer already set up: the visible columns as a table, scaled down
// to the page width when wider, the header row repeated at the top of every page, back and
// text colours, bold, flood bars and merged columns as on screen, "Pagina n di m" under each
// page. The number of pages printed; 0 when the printer could not start.
int printGridTo(QPrinter& printer, const Grid& grid, int marginLeftRightTwips,
                int marginTopBottomTwips);

// "Salva come CSV...": the save dialog, then the grid's CSV text (UTF-8 with a byte order mark,
// so that spreadsheets read the accents) written under a temporary name and renamed when
// complete. False when the user cancels or the file cannot be written (told in a message box).
bool saveGridAsCsv(Dialogs& dialogs, const Grid& grid);

// The same into a PDF file on A4 paper, for users without a printer and for tests.
int printGridToPdf(const QString& path, const Grid& grid, int marginLeftRightTwips,
                   int marginTopBottomTwips);

}  // namespace quintello
