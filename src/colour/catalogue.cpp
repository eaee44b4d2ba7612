#include "colour/catalogue.h"

#include "surface/text_file.h"

#include <QFile>

QString catalogueFile(int catalogo)
{
    switch (catalogo) {
    case 1:
        return QStringLiteral("dmc1.txt");
    case 2:
        return QStringLiteral("dmc5.txt");
    case 3:
        return QStringLiteral("dmc10.txt");
    case 4:
        return QStringLiteral("dmc.txt");
    default:
        return QStringLiteral("personal.txt");
    }
}

CatalogueRead readCatalogue(QIODevice &device, std::vector<color_dmc> &into, int limit)
{
    CatalogueRead r;
    std::vector<color_dmc> read;
    FieldReader in(device);
    while (!in.atEnd()) {
        if (int(read.size()) >= limit) {
            r.error = QStringLiteral("tiene más de %1 hilos").arg(limit);
            return r;
        }
        long long f[4];
        for (int k = 0; k < 4; ++k) {
            if (!in.readNumber(f[k])) {
                r.error = QStringLiteral("el hilo %1 no tiene cuatro números").arg(read.size() + 1);
                return r;
            }
        }
        for (int k = 1; k < 4; ++k) {
            if (f[k] < 0 || f[k] > 255) {
                r.error = QStringLiteral("el color del hilo %1 no está entre 0 y 255").arg(read.size() + 1);
                return r;
            }
        }
        read.push_back({Long(f[0]), Integer(f[1]), Integer(f[2]), Integer(f[3])});
    }
    for (std::size_t i = 0; i < read.size(); ++i)
        into[i + 1] = read[i];
    r.count = int(read.size());
    return r;
}

CatalogueRead readCatalogueFile(const QString &fileName, std::vector<color_dmc> &into, int limit)
{
    QFile f(fileName);
    CatalogueRead r;
    if (!f.open(QIODevice::ReadOnly)) {
        r.error = QStringLiteral("No se puede leer el catálogo de hilos \"%1\".").arg(fileName);
        return r;
    }
    r = readCatalogue(f, into, limit);
    if (!r.error.isEmpty())
        r.error = QStringLiteral("El catálogo de hilos \"%1\" está dañado: %2.").arg(fileName, r.error);
    return r;
}

Integer dmcn(const WorkState &st, Long numero)
{
    for (int i = 1; i <= kFullCatalogue; ++i)
        if (st.dmc_todos[i].numero == numero)
            return Integer(i);
    return 427;
}

QString threadListText(Long numero)
{
    if (numero == 1)
        return QStringLiteral("Ecru");
    if (numero == 0)
        return QStringLiteral("Blanco");
    return QString::number(numero);
}

bool emptyPersonalCatalogue()
{
    QFile f(QStringLiteral("personal.txt"));
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate);
}
