#include "colour/quality_report.h"

#include "colour/catalogue.h"
#include "colour/colour_value.h"
#include "colour/delta_e.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <unordered_map>

QString qualityGrade(double deltaE)
{
    if (deltaE < 1)
        return QStringLiteral("Exacto");
    if (deltaE < 3)
        return QStringLiteral("Muy cerca");
    if (deltaE < 5)
        return QStringLiteral("Bien");
    if (deltaE < 10)
        return QStringLiteral("Regular");
    if (deltaE < 20)
        return QStringLiteral("Lejos");
    return QStringLiteral("Muy lejos");
}

std::vector<long> loneStitches(const Pattern& pattern)
{
    std::vector<long> lone(pattern.palette.size(), 0);
    for (int y = 0; y < pattern.height; ++y)
        for (int x = 0; x < pattern.width; ++x) {
            const int c = pattern.at(x, y);
            if (c < 0 || std::size_t(c) >= lone.size())
                continue;
            bool alone = true;
            for (int dy = -1; dy <= 1 && alone; ++dy)
                for (int dx = -1; dx <= 1 && alone; ++dx) {
                    const int nx = x + dx, ny = y + dy;
                    if ((dx || dy) && nx >= 0 && ny >= 0 && nx < pattern.width && ny < pattern.height
                        && pattern.at(nx, ny) == c)
                        alone = false;
                }
            lone[std::size_t(c)] += alone;
        }
    return lone;
}

namespace {
QString noStitchesGrade() { return QStringLiteral("Sin puntos"); }

// Sum of ΔE2000 per palette index; each distinct pixel and thread pair is measured once.
std::vector<double> differenceSums(const Pattern& pattern, const std::vector<Long>& pixels)
{
    std::vector<double> sum(pattern.palette.size(), 0.0);
    std::vector<Lab> threadLab;
    for (const PatternThread& t : pattern.palette)
        threadLab.push_back(labFromColour(t.colour));
    std::unordered_map<long long, double> measured;
    const std::size_t n = std::min(pattern.cells.size(), pixels.size());
    for (std::size_t k = 0; k < n; ++k) {
        const int c = pattern.cells[k];
        if (c < 0 || std::size_t(c) >= sum.size())
            continue;
        const Components p = split(pixels[k]);
        const long long key = (long long)RGB(p.r, p.g, p.b) << 16 | c;
        auto it = measured.find(key);
        if (it == measured.end())
            it = measured.emplace(key, deltaE2000(labFromColour(pixels[k]), threadLab[std::size_t(c)])).first;
        sum[std::size_t(c)] += it->second;
    }
    return sum;
}
} // namespace

QualityReport qualityReport(const Pattern& pattern, const std::vector<Long>& pixels)
{
    QualityReport r;
    const std::vector<long> counts = pattern.stitchCounts();
    const std::vector<long> lone = loneStitches(pattern);
    const std::vector<double> sums = differenceSums(pattern, pixels);
    double total = 0;
    for (std::size_t i = 0; i < pattern.palette.size(); ++i) {
        ThreadQuality t;
        t.index = int(i);
        t.numero = pattern.palette[i].numero;
        t.colour = pattern.palette[i].colour;
        t.stitches = counts[i];
        t.meanDeltaE = counts[i] > 0 ? sums[i] / double(counts[i]) : 0.0;
        t.grade = counts[i] > 0 ? qualityGrade(t.meanDeltaE) : noStitchesGrade();
        t.lone = lone[i];
        r.stitches += counts[i];
        r.lone += lone[i];
        total += sums[i];
        r.threads.push_back(t);
    }
    r.meanDeltaE = r.stitches > 0 ? total / double(r.stitches) : 0.0;
    r.grade = r.stitches > 0 ? qualityGrade(r.meanDeltaE) : noStitchesGrade();
    for (int index : threadsWorstFirst(r))
        if (r.threads[std::size_t(index)].stitches > 0 && r.worst.size() < 5)
            r.worst.push_back(index);
    return r;
}

std::vector<int> threadsWorstFirst(const QualityReport& report)
{
    std::vector<int> order;
    for (const ThreadQuality& t : report.threads)
        order.push_back(t.index);
    std::stable_sort(order.begin(), order.end(), [&report](int a, int b) {
        return report.threads[std::size_t(a)].meanDeltaE > report.threads[std::size_t(b)].meanDeltaE;
    });
    return order;
}

QString qualityReference() { return QStringLiteral("el color medio de la imagen bajo cada punto"); }

QString qualityAdvice(const QualityReport& report, bool faithful)
{
    if (report.stitches == 0)
        return {};
    if (report.meanDeltaE > 5 && !faithful)
        return QStringLiteral("Pruebe «Colores fieles a la imagen» en «Opciones de color»: elige los hilos para "
                              "esta imagen.");
    if (report.meanDeltaE > 5)
        return QStringLiteral("Pruebe con más colores: el patrón aún se aleja de la imagen.");
    if (report.lone * 20 > report.stitches)
        return QStringLiteral("Quite los puntos sueltos con «Quitar puntos sueltos» en «Opciones de color».");
    return QStringLiteral("El patrón se parece a la imagen: no hace falta cambiar nada.");
}

namespace {
double rounded(double v) { return std::round(v * 10000.0) / 10000.0; }

QJsonObject threadJson(const ThreadQuality& t)
{
    return QJsonObject { { QStringLiteral("indice"), t.index }, { QStringLiteral("hilo"), threadListText(t.numero) },
        { QStringLiteral("color"),
            QStringLiteral("#%1").arg(QString::number(rgbFromColour(t.colour) & 0xffffff, 16), 6, QLatin1Char('0')) },
        { QStringLiteral("puntos"), double(t.stitches) }, { QStringLiteral("delta_e"), rounded(t.meanDeltaE) },
        { QStringLiteral("calidad"), t.grade }, { QStringLiteral("puntos_sueltos"), double(t.lone) } };
}
} // namespace

QByteArray qualityReportJson(const QualityReport& report)
{
    QJsonArray threads, worst;
    for (const ThreadQuality& t : report.threads)
        threads.append(threadJson(t));
    for (int i : report.worst)
        worst.append(threadJson(report.threads[std::size_t(i)]));
    const QJsonObject root { { QStringLiteral("puntos"), double(report.stitches) },
        { QStringLiteral("delta_e_medio"), rounded(report.meanDeltaE) }, { QStringLiteral("calidad"), report.grade },
        { QStringLiteral("puntos_sueltos"), double(report.lone) }, { QStringLiteral("hilos"), threads },
        { QStringLiteral("peores_hilos"), worst }, { QStringLiteral("referencia"), qualityReference() } };
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}
