#include "colour/catalogue.h"

#include "surface/text_file.h"
#include "surface/whole_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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

namespace {
// Reads the next record's four fields; false with `error` set when one is missing or is not a
// number in its range.
bool readRecord(FieldReader& in, int position, color_dmc& record, QString& error)
{
    long long f[4];
    for (long long& field : f) {
        if (!in.readNumber(field)) {
            error = QStringLiteral("el hilo %1 no tiene cuatro números").arg(position);
            return false;
        }
    }
    if (f[0] < -2147483647LL - 1 || f[0] > 2147483647LL) {
        error = QStringLiteral("el número del hilo %1 es demasiado grande").arg(position);
        return false;
    }
    for (int k = 1; k < 4; ++k) {
        if (f[k] < 0 || f[k] > 255) {
            error = QStringLiteral("el color del hilo %1 no está entre 0 y 255").arg(position);
            return false;
        }
    }
    record = { Long(f[0]), Integer(f[1]), Integer(f[2]), Integer(f[3]) };
    return true;
}

// Reads up to `limit` records, stopping at the end of the file when `toEnd`; with `toEnd` a
// record beyond `limit` is an error. Nothing is stored into `into` unless all went well.
CatalogueRead readRecords(QIODevice& device, std::vector<color_dmc>& into, int limit, bool toEnd)
{
    CatalogueRead r;
    std::vector<color_dmc> read;
    FieldReader in(device);
    while (int(read.size()) < limit && !(toEnd && in.atEnd())) {
        if (in.atEnd()) {
            r.error = QStringLiteral("tiene %1 hilos y deben ser %2").arg(read.size()).arg(limit);
            return r;
        }
        color_dmc record;
        if (!readRecord(in, int(read.size()) + 1, record, r.error))
            return r;
        read.push_back(record);
    }
    if (toEnd && !in.atEnd()) {
        r.error = QStringLiteral("tiene más de %1 hilos").arg(limit);
        return r;
    }
    for (std::size_t i = 0; i < read.size(); ++i)
        into[i + 1] = read[i];
    r.count = int(read.size());
    return r;
}

CatalogueRead readFile(const QString& fileName, std::vector<color_dmc>& into, int limit, bool toEnd)
{
    QFile f(fileName);
    CatalogueRead r;
    // a pipe or a device of that name would never end, or never even open
    const QFileInfo info(fileName);
    if (info.exists() && !info.isFile()) {
        r.error = QStringLiteral("El catálogo de hilos \"%1\" no es un archivo normal.").arg(fileName);
        return r;
    }
    if (!f.open(QIODevice::ReadOnly)) {
        // say where it was looked for: the working folder is not always the program's own
        const QFileInfo where(fileName);
        r.error = QStringLiteral("No se puede leer el catálogo de hilos \"%1\" en %2.")
                      .arg(where.fileName(), QDir::toNativeSeparators(where.absolutePath()));
        return r;
    }
    r = readRecords(f, into, limit, toEnd);
    if (!r.error.isEmpty())
        r.error = QStringLiteral("El catálogo de hilos \"%1\" está dañado: %2.").arg(fileName, r.error);
    return r;
}
} // namespace

CatalogueRead readCatalogue(QIODevice& device, std::vector<color_dmc>& into, int limit)
{
    return readRecords(device, into, limit, true);
}

CatalogueRead readCatalogueFile(const QString& fileName, std::vector<color_dmc>& into, int limit)
{
    return readFile(fileName, into, limit, true);
}

CatalogueRead readFullCatalogue(QIODevice& device, std::vector<color_dmc>& into, int count)
{
    return readRecords(device, into, count, false);
}

CatalogueRead readFullCatalogueFile(const QString& fileName, std::vector<color_dmc>& into, int count)
{
    return readFile(fileName, into, count, false);
}

CatalogueRead readActiveCatalogueFile(int catalogo, const WorkState& st, std::vector<color_dmc>& into)
{
    const QString fileName = catalogueFile(catalogo);
    std::vector<color_dmc> read = into;
    CatalogueRead r = readCatalogueFile(fileName, read, kFullCatalogue);
    if (!r.error.isEmpty() || catalogo < 1 || catalogo > 3) {
        if (r.error.isEmpty())
            into = read;
        return r;
    }
    // a partial catalogue that lists nothing would leave every stitch without a thread
    QString wrong;
    if (r.count == 0)
        wrong = QStringLiteral("no tiene ningún hilo");
    for (int i = 1; i <= r.count && wrong.isEmpty(); ++i) {
        const color_dmc& d = read[std::size_t(i)];
        const Integer at = dmcn(st, d.numero);
        const bool known = at <= kFullCatalogue && st.dmc_todos[at].rojo == d.rojo && st.dmc_todos[at].verde == d.verde
            && st.dmc_todos[at].azul == d.azul;
        if (!known)
            wrong = QStringLiteral("el hilo %1 (%2) no está en el catálogo completo").arg(i).arg(d.numero);
    }
    if (!wrong.isEmpty()) {
        r.count = 0;
        r.error = QStringLiteral("El catálogo de hilos \"%1\" está dañado: %2.").arg(fileName, wrong);
        return r;
    }
    into = read;
    return r;
}

QString copyCatalogueFiles(const QString& from, const QString& to)
{
    for (const int catalogo : { 4, 1, 2, 3 }) {
        const QString name = catalogueFile(catalogo);
        const QString source = from + QLatin1Char('/') + name;
        const QString target = to + QLatin1Char('/') + name;
        if (!QFileInfo(source).isFile())
            return QStringLiteral("El catálogo de hilos \"%1\" no es un archivo normal.").arg(source);
        QFile in(source);
        if (!in.open(QIODevice::ReadOnly))
            return QStringLiteral("No se puede leer el catálogo de hilos \"%1\".").arg(source);
        const QByteArray data = in.readAll();
        bool copied = in.error() == QFileDevice::NoError
            && writeWhole(target, [&data](QIODevice& out) { return out.write(data) == data.size(); }).isEmpty();
        QFile check(target);
        copied = copied && check.open(QIODevice::ReadOnly) && check.readAll() == data;
        if (!copied)
            return QStringLiteral("No se puede copiar el catálogo de hilos \"%1\" a la carpeta de trabajo \"%2\".")
                .arg(source, QDir::toNativeSeparators(to));
    }
    return {};
}

Integer dmcn(const WorkState& st, Long numero)
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
    const QString name = QStringLiteral("personal.txt");
    // opening a pipe of that name for writing would wait for a reader for ever
    if (QFileInfo::exists(name) && !QFileInfo(name).isFile())
        return false;
    return writeWhole(name, [](QIODevice&) { return true; }).isEmpty();
}
