#include "surface/text_file.h"

#include "surface/basic.h"

FieldReader::FieldReader(QIODevice& device)
    : m_dev(device)
{
}

int FieldReader::peek()
{
    char c;
    return m_dev.peek(&c, 1) == 1 ? static_cast<unsigned char>(c) : -1;
}

int FieldReader::get()
{
    char c;
    return m_dev.getChar(&c) ? static_cast<unsigned char>(c) : -1;
}

bool FieldReader::atEnd()
{
    for (int c = peek(); c == ' ' || c == '\t' || c == '\r' || c == '\n'; c = peek())
        get();
    return peek() < 0;
}

QString FieldReader::readField()
{
    int c = peek();
    while (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
        get();
        c = peek();
    }
    QByteArray field;
    if (c == '"') {
        get();
        for (c = get(); c >= 0 && c != '"'; c = get())
            field.append(char(c));
        // skip up to the separator after the closing quote
        for (c = peek(); c >= 0 && c != ',' && c != '\n'; c = peek())
            get();
        if (c == ',' || c == '\n')
            get();
        return QString::fromLatin1(field);
    }
    for (c = get(); c >= 0 && c != ',' && c != '\n'; c = get()) {
        if (c != '\r')
            field.append(char(c));
    }
    return QString::fromLatin1(field).trimmed();
}

bool FieldReader::readNumber(long long& value)
{
    if (atEnd())
        return false;
    const QString f = readField();
    bool ok = false;
    value = f.toLongLong(&ok);
    return ok;
}

QString printNumber(double v) { return Str(v) + QLatin1Char(' '); }

bool printLine(QIODevice& device, const QString& text)
{
    const QByteArray line = text.toLatin1() + "\r\n";
    return device.write(line) == line.size();
}

bool writeLine(QIODevice& device, const QVariantList& fields)
{
    QByteArray line;
    for (int i = 0; i < fields.size(); ++i) {
        if (i)
            line.append(',');
        const QVariant& f = fields[i];
        if (f.typeId() == QMetaType::QString)
            line.append('"').append(f.toString().toLatin1()).append('"');
        else
            line.append(CStr(f.toDouble()).toLatin1());
    }
    line.append("\r\n");
    return device.write(line) == line.size();
}
