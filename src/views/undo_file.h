#pragma once
// The undo record of the last colour swap, kept in a text file in the current folder: the
// strip, the position, then the column and row of every recoloured stitch, one number a line
// as Print # writes numbers.
#include "views/swap.h"

#include <QIODevice>
#include <QString>

// The undo file's name, in the current folder.
QString undoFileName();

// Writes the record's lines to a device; false when the device did not take them all.
bool writeUndoRecord(QIODevice& device, const SwapRecord& record);
// Replaces the file with the record, and only when the whole record could be written (an
// earlier record stays otherwise); the message for the progress line, or empty on success.
QString writeUndoFile(const QString& fileName, const SwapRecord& record);

struct UndoRead {
    SwapRecord record;
    QString error; // the message to show; empty when the record was read whole
};
// Reads a record with the field reader: two numbers, then pairs of numbers to the end. Text
// that is not a whole number, a column without its row or more stitches than a pattern holds
// is a damaged record.
UndoRead readUndoRecord(QIODevice& device);
// Reads the record from the file; a missing file or a damaged record gives a message.
UndoRead readUndoFile(const QString& fileName);
// The message for a record that was read but does not fit the pattern.
QString damagedUndoMessage();
