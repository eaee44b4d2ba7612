#include "views/undo_file.h"

#include "surface/text_file.h"
#include "surface/whole_file.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>

namespace {
// One number on a line of its own, with the spaces Print # puts around it.
void appendNumber(QByteArray& out, long long v)
{
    out.append(printNumber(double(v)).toLatin1());
    out.append("\r\n");
}

bool readInt(FieldReader& in, int& v)
{
    long long n = 0;
    if (!in.readNumber(n) || n < -2147483647LL || n > 2147483647LL)
        return false;
    v = int(n);
    return true;
}
} // namespace

QString undoFileName() { return QStringLiteral("puntela$"); }

QString damagedUndoMessage()
{
    return QStringLiteral("El archivo para deshacer el cambio \"puntela$\" está dañado. No se ha deshecho nada.");
}

bool writeUndoRecord(QIODevice& device, const SwapRecord& record)
{
    QByteArray out;
    out.reserve(int(16 + 16 * record.stitches.size()));
    appendNumber(out, record.group0);
    appendNumber(out, record.position);
    for (const StitchPos& p : record.stitches) {
        appendNumber(out, p.column);
        appendNumber(out, p.row);
    }
    return device.write(out) == out.size();
}

QString writeUndoFile(const QString& fileName, const SwapRecord& record)
{
    const bool written
        = writeWhole(fileName, [&](QIODevice& device) { return writeUndoRecord(device, record); }).isEmpty();
    if (written)
        return QString();
    // short enough for the progress line
    return QStringLiteral("No se puede guardar \"%1\": se deshace igual").arg(fileName);
}

UndoRead readUndoRecord(QIODevice& device)
{
    UndoRead r;
    FieldReader in(device);
    const std::size_t most = std::size_t(kMaxColumns) * kMaxRows;
    if (!readInt(in, r.record.group0) || !readInt(in, r.record.position)) {
        r.error = damagedUndoMessage();
        return r;
    }
    while (!in.atEnd()) {
        StitchPos p;
        if (r.record.stitches.size() >= most || !readInt(in, p.column) || !readInt(in, p.row)) {
            r.error = damagedUndoMessage();
            r.record.stitches.clear();
            return r;
        }
        r.record.stitches.push_back(p);
    }
    return r;
}

UndoRead readUndoFile(const QString& fileName)
{
    QFile f(fileName);
    // only a plain file: a pipe of that name would never end
    if (!QFileInfo(fileName).isFile() || !f.open(QIODevice::ReadOnly)) {
        UndoRead r;
        r.error = QStringLiteral("No se encuentra el archivo para deshacer el cambio \"%1\". No se ha deshecho nada.")
                      .arg(fileName);
        return r;
    }
    // read whole: the field reader takes one character at a time
    QByteArray data = f.readAll();
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    return readUndoRecord(buffer);
}
