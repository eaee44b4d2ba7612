#pragma once
// Sequential text files: the field reader (fields end at a comma or a line end, spaces around
// a field are skipped, a field in double quotes may hold commas) and the two writers.
#include <QIODevice>
#include <QString>
#include <QVariant>

class FieldReader {
public:
    explicit FieldReader(QIODevice& device);
    // True when only spaces and line ends are left.
    bool atEnd();
    // The next field as text; empty past the end.
    QString readField();
    // The next field as a whole number; false when it is missing or not a number.
    bool readNumber(long long& value);

private:
    int peek();
    int get();
    QIODevice& m_dev;
};

// "Print #": numbers are written with a space for their sign and one after them.
QString printNumber(double v);
// Both writers return false when the device did not take the whole line.
bool printLine(QIODevice& device, const QString& text);
// "Write #": fields separated by commas, texts in double quotes, numbers without spaces.
bool writeLine(QIODevice& device, const QVariantList& fields);
