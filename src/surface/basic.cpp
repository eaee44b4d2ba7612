#include "surface/basic.h"

double Val(const QString& text)
{
    QString s;
    s.reserve(text.size());
    for (QChar c : text) {
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\n') && c != QLatin1Char('\r'))
            s.append(c);
    }
    const bool hex = s.startsWith(QLatin1String("&h"), Qt::CaseInsensitive);
    if (hex || s.startsWith(QLatin1String("&o"), Qt::CaseInsensitive)) {
        const int base = hex ? 16 : 8;
        quint64 v = 0;
        int i = 2;
        for (; i < s.size(); ++i) {
            const ushort u = s[i].toLower().unicode();
            const int d = u >= '0' && u <= '9' ? u - '0' : u >= 'a' && u <= 'f' ? u - 'a' + 10 : 99;
            if (d >= base)
                break;
            v = (v * quint64(base) + quint64(d)) & 0xFFFFFFFFull;
        }
        // four or fewer hexadecimal digits (six octal) read as a 16-bit value, more as a 32-bit one
        if (i - 2 <= (hex ? 4 : 6) && v >= 0x8000 && v <= 0xFFFF)
            return double(qint64(v) - 0x10000);
        if (v >= 0x80000000ull)
            return double(qint64(v) - 0x100000000LL);
        return double(v);
    }
    // sign, digits, one decimal point, exponent
    int i = 0;
    QString num;
    if (i < s.size() && (s[i] == QLatin1Char('-') || s[i] == QLatin1Char('+')))
        num.append(s[i++]);
    bool digits = false, point = false;
    for (; i < s.size(); ++i) {
        if (s[i].isDigit() && s[i].unicode() < 128) {
            num.append(s[i]);
            digits = true;
        } else if (s[i] == QLatin1Char('.') && !point) {
            num.append(s[i]);
            point = true;
        } else {
            break;
        }
    }
    if (!digits)
        return 0;
    if (i < s.size() && (s[i] == QLatin1Char('e') || s[i] == QLatin1Char('E'))) {
        QString ex = QStringLiteral("e");
        int k = i + 1;
        if (k < s.size() && (s[k] == QLatin1Char('-') || s[k] == QLatin1Char('+')))
            ex.append(s[k++]);
        bool expDigits = false;
        for (; k < s.size() && s[k].isDigit() && s[k].unicode() < 128; ++k) {
            ex.append(s[k]);
            expDigits = true;
        }
        if (expDigits)
            num.append(ex);
    }
    return num.toDouble();
}

namespace {
// Up to seven significant digits, a whole number in full.
QString numberText(double v)
{
    if (v == std::trunc(v) && std::fabs(v) < 1e15)
        return QString::number(static_cast<qint64>(v));
    return QString::number(v, 'g', 7).toUpper();
}
} // namespace

QString CStr(double v) { return numberText(v); }

QString Str(double v)
{
    QString s = numberText(v);
    if (s.startsWith(QLatin1String("0.")))
        s.remove(0, 1);
    else if (s.startsWith(QLatin1String("-0.")))
        s.remove(1, 1);
    return v < 0 ? s : QLatin1Char(' ') + s;
}

QString Hex(Long v) { return QString::number(static_cast<quint32>(v), 16).toUpper(); }
