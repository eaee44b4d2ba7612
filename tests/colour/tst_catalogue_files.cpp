// The catalogue files delivered in data/: their line format, the nesting of the three smaller
// catalogues inside the full one, and how evenly each covers the colours of the full catalogue.
// The files are parsed here on purpose, so a fault in the program's own reader cannot hide a
// fault in the data.

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QTextStream>
#include <QVector>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

struct Thread {
    int number = 0;
    int red = 0;
    int green = 0;
    int blue = 0;
};

struct Lab {
    double l = 0;
    double a = 0;
    double b = 0;
};

QString dataPath(const QString& name) { return QStringLiteral(PUNTELA_DATA_DIR "/") + name; }

// Strict form of the delivered files: one thread a line, four plain decimal fields, every line
// ended by '\n'. The program's field reader would accept more; the delivered files need not.
bool readCatalogue(const QString& name, QVector<Thread>& threads, QString& error)
{
    QFile file(dataPath(name));
    if (!file.open(QIODevice::ReadOnly)) {
        error = name + QStringLiteral(": cannot open ") + file.fileName();
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (bytes.isEmpty() || !bytes.endsWith('\n') || bytes.contains('\r')) {
        error = name + QStringLiteral(": empty, without a final line end or with carriage returns");
        return false;
    }
    static const QRegularExpression line(QStringLiteral("^([0-9]{1,9}),([0-9]{1,9}),([0-9]{1,9}),([0-9]{1,9})$"));
    QTextStream in(bytes);
    int lineNumber = 0;
    while (!in.atEnd()) {
        const QString text = in.readLine();
        ++lineNumber;
        const QRegularExpressionMatch m = line.match(text);
        if (!m.hasMatch()) {
            error = QStringLiteral("%1:%2: not four decimal fields: \"%3\"").arg(name).arg(lineNumber).arg(text);
            return false;
        }
        threads.append({ m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(), m.captured(4).toInt() });
    }
    return true;
}

// The six cells the nearest-thread search keeps apart; a colour is only ever matched to a
// thread of its own cell.
int cellOf(const Thread& t)
{
    if (t.red >= t.green && t.red >= t.blue)
        return t.green > t.blue ? 0 : 1;
    if (t.green >= t.red && t.green >= t.blue)
        return t.red > t.blue ? 2 : 3;
    return t.red > t.green ? 4 : 5;
}

const char* const cellNames[6]
    = { "red, g > b", "red, b >= g", "green, r > b", "green, b >= r", "blue, r > g", "blue, g >= r" };

Lab labOf(const Thread& t)
{
    auto linear = [](int c) {
        const double v = c / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    const double r = linear(t.red), g = linear(t.green), b = linear(t.blue);
    const double x = 0.4124564 * r + 0.3575761 * g + 0.1804375 * b;
    const double y = 0.2126729 * r + 0.7151522 * g + 0.0721750 * b;
    const double z = 0.0193339 * r + 0.1191920 * g + 0.9503041 * b;
    const double delta = 6.0 / 29.0;
    auto f
        = [delta](double v) { return v > delta * delta * delta ? std::cbrt(v) : v / (3 * delta * delta) + 4.0 / 29.0; };
    const double fx = f(x / 0.95047), fy = f(y), fz = f(z / 1.08883);
    return { 116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz) };
}

double deltaE(const Lab& p, const Lab& q)
{
    return std::sqrt((p.l - q.l) * (p.l - q.l) + (p.a - q.a) * (p.a - q.a) + (p.b - q.b) * (p.b - q.b));
}

// The largest distance from a thread of the full catalogue to its nearest thread of `subset`,
// with the thread that is worst off.
double coveringRadius(const QVector<Thread>& all, const QVector<Thread>& subset, int& worst)
{
    QVector<Lab> chosen;
    for (const Thread& t : subset)
        chosen.append(labOf(t));
    double radius = 0;
    worst = -1;
    for (const Thread& t : all) {
        const Lab lab = labOf(t);
        double nearest = std::numeric_limits<double>::infinity();
        for (const Lab& c : chosen)
            nearest = std::min(nearest, deltaE(lab, c));
        if (nearest > radius) {
            radius = nearest;
            worst = t.number;
        }
    }
    return radius;
}

} // namespace

class TestCatalogueFiles : public QObject {
    Q_OBJECT

private slots:
    void records_data();
    void records();
    void hueCells_data();
    void hueCells();
    void nesting_data();
    void nesting();
    void coverage_data();
    void coverage();
    void coverageShrinksWithSize();
};

void TestCatalogueFiles::records_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("count");
    QTest::newRow("full catalogue: 426 threads") << "dmc.txt" << 426;
    QTest::newRow("Grande: 248 threads") << "dmc10.txt" << 248;
    QTest::newRow("Media: 112 threads") << "dmc5.txt" << 112;
    QTest::newRow("Mínima: 57 threads") << "dmc1.txt" << 57;
}

// Counts, component range, distinct numbers, and Blanco, Ecru and black present.
void TestCatalogueFiles::records()
{
    QFETCH(QString, file);
    QFETCH(int, count);
    QVector<Thread> threads;
    QString error;
    QVERIFY2(readCatalogue(file, threads, error), qPrintable(error));
    QCOMPARE(threads.size(), count);

    QSet<int> numbers;
    for (const Thread& t : threads) {
        for (int c : { t.red, t.green, t.blue })
            QVERIFY2(c >= 0 && c <= 255, qPrintable(QStringLiteral("thread %1 has component %2").arg(t.number).arg(c)));
        QVERIFY2(!numbers.contains(t.number), qPrintable(QStringLiteral("thread %1 repeated").arg(t.number)));
        numbers.insert(t.number);
    }
    for (int required : { 0, 1, 310 })
        QVERIFY2(numbers.contains(required), qPrintable(QStringLiteral("thread %1 missing").arg(required)));
}

void TestCatalogueFiles::hueCells_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("Grande covers all six cells") << "dmc10.txt";
    QTest::newRow("Media covers all six cells") << "dmc5.txt";
    QTest::newRow("Mínima covers all six cells") << "dmc1.txt";
}

void TestCatalogueFiles::hueCells()
{
    QFETCH(QString, file);
    QVector<Thread> threads;
    QString error;
    QVERIFY2(readCatalogue(file, threads, error), qPrintable(error));
    int perCell[6] = {};
    for (const Thread& t : threads)
        ++perCell[cellOf(t)];
    for (int cell = 0; cell < 6; ++cell)
        QVERIFY2(perCell[cell] > 0, qPrintable(QStringLiteral("no thread in cell %1").arg(cellNames[cell])));
}

void TestCatalogueFiles::nesting_data()
{
    QTest::addColumn<QString>("smaller");
    QTest::addColumn<QString>("larger");
    QTest::newRow("Mínima inside Media") << "dmc1.txt"
                                         << "dmc5.txt";
    QTest::newRow("Media inside Grande") << "dmc5.txt"
                                         << "dmc10.txt";
    QTest::newRow("Grande inside the full catalogue") << "dmc10.txt"
                                                      << "dmc.txt";
}

// Every thread of the smaller file is in the larger one with the same colour, and both follow
// the order of the full catalogue.
void TestCatalogueFiles::nesting()
{
    QFETCH(QString, smaller);
    QFETCH(QString, larger);
    QVector<Thread> all, small, large;
    QString error;
    QVERIFY2(readCatalogue(QStringLiteral("dmc.txt"), all, error), qPrintable(error));
    QVERIFY2(readCatalogue(smaller, small, error), qPrintable(error));
    QVERIFY2(readCatalogue(larger, large, error), qPrintable(error));

    QHash<int, int> position;
    for (int i = 0; i < all.size(); ++i)
        position.insert(all[i].number, i);
    QHash<int, const Thread*> inLarger;
    for (const Thread& t : large)
        inLarger.insert(t.number, &t);

    int previous = -1;
    for (const Thread& t : small) {
        const Thread* match = inLarger.value(t.number, nullptr);
        QVERIFY2(match, qPrintable(QStringLiteral("thread %1 not in %2").arg(t.number).arg(larger)));
        QVERIFY2(match->red == t.red && match->green == t.green && match->blue == t.blue,
            qPrintable(QStringLiteral("thread %1 has another colour in %2").arg(t.number).arg(larger)));
        QVERIFY2(position.contains(t.number), qPrintable(QStringLiteral("thread %1 not in dmc.txt").arg(t.number)));
        QVERIFY2(position.value(t.number) > previous,
            qPrintable(QStringLiteral("thread %1 out of the full catalogue's order").arg(t.number)));
        previous = position.value(t.number);
    }
}

void TestCatalogueFiles::coverage_data()
{
    // The generated files reach 18.4, 12.6 and 7.2 ΔE76; the bounds leave room for a small
    // change of the table without letting a clustered selection pass.
    QTest::addColumn<QString>("file");
    QTest::addColumn<double>("bound");
    QTest::newRow("Mínima: every thread within 20 ΔE") << "dmc1.txt" << 20.0;
    QTest::newRow("Media: every thread within 14 ΔE") << "dmc5.txt" << 14.0;
    QTest::newRow("Grande: every thread within 8 ΔE") << "dmc10.txt" << 8.0;
}

void TestCatalogueFiles::coverage()
{
    QFETCH(QString, file);
    QFETCH(double, bound);
    QVector<Thread> all, subset;
    QString error;
    QVERIFY2(readCatalogue(QStringLiteral("dmc.txt"), all, error), qPrintable(error));
    QVERIFY2(readCatalogue(file, subset, error), qPrintable(error));
    int worst = -1;
    const double radius = coveringRadius(all, subset, worst);
    QVERIFY2(
        radius < bound, qPrintable(QStringLiteral("thread %1 is %2 away from %3").arg(worst).arg(radius).arg(file)));
}

// The worst-matched thread of the full catalogue lies strictly closer to Grande than to Media,
// and to Media than to Mínima.
void TestCatalogueFiles::coverageShrinksWithSize()
{
    QVector<Thread> all;
    QString error;
    QVERIFY2(readCatalogue(QStringLiteral("dmc.txt"), all, error), qPrintable(error));
    double previous = std::numeric_limits<double>::infinity();
    for (const char* file : { "dmc1.txt", "dmc5.txt", "dmc10.txt" }) {
        QVector<Thread> subset;
        QVERIFY2(readCatalogue(QString::fromLatin1(file), subset, error), qPrintable(error));
        int worst = -1;
        const double radius = coveringRadius(all, subset, worst);
        QVERIFY2(radius < previous, qPrintable(QStringLiteral("%1 covers no closer than the smaller one").arg(file)));
        previous = radius;
    }
}

QTEST_MAIN(TestCatalogueFiles)
#include "tst_catalogue_files.moc"
