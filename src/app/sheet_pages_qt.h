#pragma once
// Walking the chart of the main window page by page, as printing and saving do: the view
// options of each pass, every sheet drawn afresh into Picture11, each page passed through the
// system clipboard.
#include "output/sheet_walk.h"

#include <QImage>
#include <functional>
#include <vector>

class Form1;

// Sets the options of a pass: grid and symbols ticked while listo is False (no redraw), then
// "Ver colores" ticked or not with listo True, so its click handler redraws the chart when the
// value changes.
void setPassOptions(Form1& f, bool colour);

// Draws `page` afresh into Picture11 through the sheet selectors; when both already stand at
// the page, no change event fires and patron1 is called directly.
void drawPage(Form1& f, const SheetPage& page);

// Puts a picture on the system clipboard and returns the bitmap read back (the picture itself
// if the clipboard gives nothing back); the clipboard keeps it.
QImage throughClipboard(const QImage& picture);

// Walks `pages` in order: pass options at the first page of each pass, the page drawn and
// passed through the clipboard, then handed to `sink`. Stops early when `sink` returns false;
// returns whether every page was taken.
bool walkPages(
    Form1& f, const std::vector<SheetPage>& pages, const std::function<bool(const SheetPage&, const QImage&)>& sink);

// The pages of one command on the chart now set up in `f` (sheets from the selectors' maxima).
std::vector<SheetPage> chartPages(const Form1& f, bool colour, bool blackWhite);
