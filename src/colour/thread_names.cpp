#include "colour/thread_names.h"

#include <QFile>

std::map<Long, QString> readThreadNames(QIODevice& device)
{
    std::map<Long, QString> names;
    device.readLine(); // header
    while (!device.atEnd()) {
        const QString line = QString::fromUtf8(device.readLine()).trimmed();
        const int comma = int(line.indexOf(QLatin1Char(',')));
        if (comma <= 0)
            continue;
        bool ok = false;
        const Long numero = line.left(comma).toInt(&ok);
        const QString name = line.mid(comma + 1).trimmed();
        if (ok && !name.isEmpty())
            names[numero] = name;
    }
    return names;
}

QString threadName(Long numero)
{
    static const std::map<Long, QString> names = [] {
        QFile file(QStringLiteral(":/puntela/thread_names.csv"));
        return file.open(QIODevice::ReadOnly) ? readThreadNames(file) : std::map<Long, QString> {};
    }();
    const auto it = names.find(numero);
    return it == names.end() ? QString() : it->second;
}

QString threadCode(Long numero)
{
    if (numero == 0)
        return QStringLiteral("DMC Blanc");
    if (numero == 1)
        return QStringLiteral("DMC Ecru");
    return QStringLiteral("DMC %1").arg(numero);
}
