#pragma once
// Walking the chart of the main window page by page, as printing and saving do: the work draws
// each page, and the window's sheet selectors and chart options follow it.
#include "output/sheet_walk.h"

#include <QImage>
#include <functional>
#include <vector>

class Form1;

// Puts a picture on the system clipboard and returns the bitmap read back (the picture itself
// if the clipboard gives nothing back); the clipboard keeps it. Every page the window saves or
// prints passes through it.
QImage throughClipboard(const QImage& picture);

// Walks `pages` in order (see Work::walkPages) with the selectors and the option boxes showing
// each page as it is handed to `sink`. Returns whether every page was taken.
bool walkPages(
    Form1& f, const std::vector<SheetPage>& pages, const std::function<bool(const SheetPage&, const QImage&)>& sink);

// The pages of one command on the chart now set up in `f` (sheets from the selectors' maxima).
std::vector<SheetPage> chartPages(Form1& f, bool colour, bool blackWhite);
