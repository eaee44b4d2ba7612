#pragma once
// Printing the whole chart of the main window: shared by "Imprimir" and the batch command.
#include <QString>

class Form1;
class QPrinter;

// Prints every sheet and the key, the colour pass first when `colour`, then the black-and-white
// pass when `blackWhite`, as one job on `printer`. Leaves the options and selectors as the last
// pass set them and the clipboard holding the last page. Empty text on success, else the message.
QString printPattern(Form1& f, QPrinter& printer, bool colour, bool blackWhite);

// True when a pattern has been made, so there is something to print or save.
bool hasPattern(const Form1& f);
