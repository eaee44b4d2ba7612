#pragma once
// The public names of the DMC threads of the full catalogue ("Black", "Lavender Very Dark"), kept
// in a data file built into the program.
#include "surface/basic.h"

#include <QIODevice>
#include <QString>
#include <map>

// Reads "number,name" lines after a header line; lines that are not a number and a name are skipped.
std::map<Long, QString> readThreadNames(QIODevice& device);
// The name of a thread number of the full catalogue; empty for a number it does not have.
QString threadName(Long numero);
// "DMC 310", "DMC Blanc" (thread 0) or "DMC Ecru" (thread 1), as stitchers and other programs write them.
QString threadCode(Long numero);
