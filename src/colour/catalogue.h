#pragma once
// Thread catalogue files: four fields per thread (number, red, green, blue), read with the
// field reader; the catalogue numbers 1..5 and their files; finding a thread by number.
#include "colour/work_state.h"

#include <QIODevice>
#include <QString>

// The file of catalogue number 1..5 ("dmc1.txt", "dmc5.txt", "dmc10.txt", "dmc.txt", "personal.txt").
QString catalogueFile(int catalogo);

struct CatalogueRead {
    int count = 0; // whole records read
    QString error; // empty when the file was read to its end
};
// Reads records into entries 1.. of `into` until the end of the file, at most `limit` of them.
// A field that is not a whole number, a component outside 0..255, a record cut short or
// more than `limit` records is an error; `into` is then left as it was.
CatalogueRead readCatalogue(QIODevice& device, std::vector<color_dmc>& into, int limit);
// Reads the catalogue file named `fileName` (in the current folder) the same way; the error
// names the file.
CatalogueRead readCatalogueFile(const QString& fileName, std::vector<color_dmc>& into, int limit);
// Reads exactly `count` records into entries 1..count of `into`, whatever follows them (the
// full catalogue at start-up). Fewer records, or one that cannot be read, is an error, and
// `into` is then left as it was.
CatalogueRead readFullCatalogue(QIODevice& device, std::vector<color_dmc>& into, int count);
CatalogueRead readFullCatalogueFile(const QString& fileName, std::vector<color_dmc>& into, int count);

// Reads catalogue number `catalogo` (1..5) from its file into entries 1.. of `into`, as
// readCatalogueFile does, and holds the partial catalogues 1..3 to more: they must list at
// least one thread, and only threads of the full catalogue in `st` (same number and colour).
// A refused catalogue leaves `into` as it was; the error names the file.
CatalogueRead readActiveCatalogueFile(int catalogo, const WorkState& st, std::vector<color_dmc>& into);

// Copies the four delivered catalogue files from the folder `from` into `to`, reading only
// plain files and checking that each copy holds what its source holds. Empty text on
// success, else a message naming the file.
QString copyCatalogueFiles(const QString& from, const QString& to);

// Position of a thread number in the full catalogue (1..426), 427 when it is not there.
Integer dmcn(const WorkState& st, Long numero);
// The text a catalogue list shows for a thread: "Ecru", "Blanco" or its number.
QString threadListText(Long numero);
// Empties (creates) the personal catalogue file in the current folder; false when it cannot be written.
bool emptyPersonalCatalogue();
