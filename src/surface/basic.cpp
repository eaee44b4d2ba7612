#include "surface/basic.h"

#include <QLocale>

double Val(const QString &text)
{
    QString s;
    s.reserve(text.size());
    for (QChar c : text) {
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\n') && c != QLatin1Char('\r'))
            s.append(c);
    }
    if (s.startsWith(QLatin1String("&h"), Qt::CaseInsensitive)) {
        qint64 v = 0;
        int i = 2;
        for (; i < s.size(); ++i) {
            const int d = QString(s[i]).toInt(nullptr, 16);
            if (!s[i].isDigit() && (s[i].toLower() < QLatin1Char('a') || s[i].toLower() > QLatin1Char('f')))
                break;
            v = v * 16 + d;
        }
        // four or fewer digits read as a 16-bit value, more as a 32-bit one
        if (i - 2 <= 4 && v >= 0x8000)
            return double(v - 0x10000);
        if (v >= 0x80000000LL && v <= 0xFFFFFFFFLL)
            return double(v - 0x100000000LL);
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

QString CStr(double v)
{
    if (v == std::trunc(v) && std::fabs(v) < 1e15)
        return QString::number(static_cast<qint64>(v));
    QString s = QString::number(v, 'g', 7);
    if (s.startsWith(QLatin1String("0.")))
        s.remove(0, 1);
    else if (s.startsWith(QLatin1String("-0.")))
        s.remove(1, 1);
    return s;
}

QString Str(double v)
{
    const QString s = CStr(v);
    return v < 0 ? s : QLatin1Char(' ') + s;
}

QString Hex(Long v)
{
    return QString::number(static_cast<quint32>(v), 16).toUpper();
}
