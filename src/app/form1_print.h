#pragma once
// Printing the whole chart of the main window, shared by "Imprimir" and the batch command, and
// the save questions of the window's outputs.
#include <QString>

class Form1;
class QPrinter;
class ThreadListDialog;

// Prints every sheet and the key, the colour pass first when `colour`, then the black-and-white
// pass when `blackWhite`, as one job on `printer`. Leaves the options and selectors as the last
// pass set them and the clipboard holding the last page. Empty text on success, else the message.
QString printPattern(Form1& f, QPrinter& printer, bool colour, bool blackWhite);

// The file the user chose in a save question, with `extension` (".pdf") added when none was
// typed; a name that then points at an existing file is only taken after a yes. Empty when
// cancelled.
QString chosenSaveFile(const QString& title, const QString& suggested, const QString& filter, const QString& extension);

// Tells on the progress line what an output wrote and where, without a box to click: `what`
// ("8 imágenes guardadas en ") and then `where`, a path shortened in its middle to fit the
// line; the whole text is the line's tool tip.
void showOutputDone(Form1& f, const QString& what, const QString& where);

// "Imprimir…" of "Lista de hilos": the list on the installed printer or, without one, in a PDF
// file the user names, as "Imprimir" does; says where it went.
void printThreadList(Form1& f, const ThreadListDialog& list);
