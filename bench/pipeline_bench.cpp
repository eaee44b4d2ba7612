// Times the pattern pipeline on a large picture: the full catalogue "Completa", 248 colours and a
// 1024 x 768-stitch pattern, single stitch then double stitch. Prints the time of each stage
// (reading, grouping, palette, embroidery, chart), the chart pages, saving every file, the PDF
// chart of the single-stitch pattern (time, size, pages), saving the pattern file and opening it
// again (each to stay under 1.5 s), "Punto sencillo" with the faithful colours and without at
// 1024 x 768 with 248 colours and at 150 x 150 with 40 (adding under 1 s and 0.1 s), and ends
// with the whole run of each button:
//   single: <seconds> s
//   double: <seconds> s
// Run from the build folder (it makes its own working folder with copies of the catalogues):
//   cmake --build build-pipe --target puntela-bench
//   cd build-pipe && QT_QPA_PLATFORM=offscreen ./puntela-bench [picture-file]
// Without a file it draws a 2048 x 1536 photograph-like picture (smooth shading, edges and noise).
#include "colour/catalogue.h"
#include "colour/clean_up.h"
#include "colour/hue_groups.h"
#include "colour/matching.h"
#include "colour/palette.h"
#include "colour/perceptual.h"
#include "colour/stitch_reading.h"
#include "photograph.h"
#include "render/embroidery.h"
#include "work/work.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace {
// Declines every question and keeps the messages, to list them at the end.
class RecordedDialogs : public Dialogs {
public:
    int MsgBox(const QString& prompt, int buttons, const QString&) override
    {
        shown << prompt;
        return (buttons & 7) == vbYesNo ? vbNo : vbOK;
    }
    QString InputBox(const QString& prompt, const QString&, const QString&) override
    {
        shown << prompt;
        return QStringLiteral("1");
    }
    QString SaveFileName(const QString&, const QString&, const QString&) override { return {}; }
    QStringList shown;
};

double seconds(const QElapsedTimer& t) { return double(t.nsecsElapsed()) / 1e9; }

// Times the stages one by one with the library procedures on the window's own surfaces; the
// embroidery box is sized as the button just left it.
void timeStages(Work& f, bool doble, Long colours)
{
    const Progress quiet;
    forgetCachedMatcher();
    f.st.num_colores = colours;
    f.st.punto_doble = doble ? True : False;
    QElapsedTimer t;
    t.start();
    colores(f.st, f.Picture3, f.Picture2, quiet);
    const double reading = seconds(t);
    t.restart();
    separa(f.st, quiet);
    const double grouping = seconds(t);
    t.restart();
    gama(f.st, quiet, {});
    gama1(f.st, f.Picture8, quiet, {});
    const double palette = seconds(t);
    t.restart();
    if (doble)
        pinta2(f.st, f.Picture2, quiet);
    else
        dibujar(f.st, f.Picture2, quiet);
    const double embroidery = seconds(t);
    t.restart();
    f.patron();
    const double chart = seconds(t);
    std::printf("%s stitch stages: colores %.3f s, grouping %.3f s, palette %.3f s, embroidery %.3f s, "
                "chart %.3f s (%d stitches, %d palette colours)\n",
        doble ? "double" : "single", reading, grouping, palette, embroidery, chart, int(f.st.num_puntos),
        f.st.paletteSize());
}

// The whole of "Guardar imágenes" on the pattern on show, into a fresh folder that is removed
// afterwards; prints what was written.
double timeSave(Work& f, const QString& folder)
{
    QDir().mkpath(folder);
    QElapsedTimer t;
    t.start();
    const QString failure = f.saveImages(folder);
    if (!failure.isEmpty())
        std::fprintf(stderr, "save: %s\n", qPrintable(failure));
    const double elapsed = seconds(t);
    qint64 bytes = 0;
    const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files);
    for (const QFileInfo& file : files)
        bytes += file.size();
    std::printf("save: %.3f s (%d files, %.0f MB)\n", elapsed, int(files.size()), double(bytes) / 1e6);
    QDir(folder).removeRecursively();
    return elapsed;
}

// One PDF chart: its time, size and pages; a PDF must stay under 5 s and 25 MB.
void reportChartPdf(const char* what, double elapsed, const QString& file, int pages, int colours)
{
    const double mb = double(QFileInfo(file).size()) / 1e6;
    std::printf("chart pdf, %s: %.3f s, %.1f MB, %d pages, %d colours%s\n", what, elapsed, mb, pages, colours,
        elapsed < 5 && mb < 25 ? "" : " (over 5 s or 25 MB)");
    QFile::remove(file);
}

// "Exportar PDF" on the pattern on show, then on the same palette scattered at random over the
// same size (no two neighbours alike: the most text and rectangles a page can hold).
void timeChartPdf(Work& f, const QString& file)
{
    const ChartPdfOptions options;
    QElapsedTimer t;
    t.start();
    QString failure = f.exportChartPdf(file, options);
    const double elapsed = seconds(t);
    Pattern p = f.threadList();
    reportChartPdf("pattern on show", elapsed, file, chartPdfLayout(p, options).totalPages(), int(p.palette.size()));
    std::mt19937 scatter(777);
    std::uniform_int_distribution<int> thread(0, int(p.palette.size()) - 1);
    for (int& cell : p.cells)
        cell = thread(scatter);
    t.restart();
    if (failure.isEmpty())
        failure = writeChartPdf(file, p, f.Picture2.Image(), QStringLiteral("scatter"), options);
    reportChartPdf("scattered", seconds(t), file, chartPdfLayout(p, options).totalPages(), int(p.palette.size()));
    if (!failure.isEmpty())
        std::fprintf(stderr, "chart pdf: %s\n", qPrintable(failure));
}

// One full chart sheet and the key through patron1, as the sheet selectors draw them; the best
// of three, since the first drawing in a font also makes its symbol set.
void timeChartPages(Work& f)
{
    auto best = [&](int h, int v) {
        f.settings.sheetH = h;
        f.settings.sheetV = v;
        double least = 1e9;
        for (int run = 0; run < 3; ++run) {
            QElapsedTimer t;
            t.start();
            f.patron1();
            least = std::min(least, seconds(t));
        }
        return least;
    };
    const double sheet = best(1, 1);
    const double key = best(f.settings.sheetHMax, 1);
    std::printf(
        "chart pages: full sheet %.1f ms, key %.1f ms (%d colours)\n", 1000 * sheet, 1000 * key, f.st.paletteSize());
}

// "Guardar patrón" and a double-click on the file it wrote, on the pattern on show; prints both.
void timePatternFile(Work& f, const QString& file)
{
    QElapsedTimer t;
    t.start();
    const QString failure = f.savePattern(file);
    const double save = seconds(t);
    t.restart();
    const bool opened = failure.isEmpty() && f.openPattern(file);
    const double open = seconds(t);
    if (!failure.isEmpty() || !opened)
        std::fprintf(stderr, "pattern file: %s\n", failure.isEmpty() ? "not opened" : qPrintable(failure));
    std::printf("pattern file %d x %d: save %.3f s, open %.3f s (%.0f MB; each under 1.5 s)\n", int(f.st.ancho_puntos),
        int(f.st.alto_puntos), save, open, double(QFileInfo(file).size()) / 1e6);
}

// The pattern just saved with 100,000 backstitches added, as a designed pattern holds its
// outlines: opened and saved again.
void timeBackstitchFile(Work& f, const QString& saved, const QString& file)
{
    QFile in(saved);
    if (!in.open(QIODevice::ReadOnly))
        return;
    QByteArray text = in.readAll();
    const int w = f.st.ancho_puntos, h = f.st.alto_puntos;
    QByteArray backs = " <backstitches>\n";
    for (int k = 0; k < 100000; ++k) {
        const int x = (k * 7) % w, y = (k * 13) % h;
        backs += QStringLiteral("  <backstitch x1=\"%1\" y1=\"%2\" x2=\"%3.5\" y2=\"%4\" palindex=\"%5\" "
                                "objecttype=\"backstitch\" sequence=\"0\"/>\n")
                     .arg(x)
                     .arg(y)
                     .arg(std::min(x, w - 1))
                     .arg(std::min(y + 1, h))
                     .arg(1 + k % 3)
                     .toLatin1();
    }
    backs += " </backstitches>\n";
    text.replace(" <backstitches/>\n", backs);
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size())
        return;
    out.close();
    QElapsedTimer t;
    t.start();
    const bool opened = f.openPattern(file);
    const double open = seconds(t);
    t.restart();
    const QString failure = opened ? f.savePattern(file) : QStringLiteral("not opened");
    const double save = seconds(t);
    if (!failure.isEmpty())
        std::fprintf(stderr, "backstitch file: %s\n", qPrintable(failure));
    std::printf("pattern file %d x %d with %zu backstitches: open %.3f s, save %.3f s (%.0f MB; each under 1.5 s)\n", w,
        h, f.stitchExtras().backs.size(), open, save, double(QFileInfo(file).size()) / 1e6);
}

// Each colour option on its own on the single-stitch pattern: the reading from cold answer
// caches (the middle of three) (and once more warm for perceptual matching; then perceptual matching with dithering,
// which matches stitch by stitch), then merging and the clean-up after the palette step of the
// plain reading.
void timeColourOptions(Work& f, Long colours)
{
    const Progress quiet;
    f.st.punto_doble = False;
    auto reading = [&](const ColourOptions& o, bool cold) {
        if (cold) {
            forgetCachedMatcher();
            forgetCachedPerceptualMatcher();
        }
        f.st.num_colores = colours;
        QElapsedTimer t;
        t.start();
        colores(f.st, f.Picture3, f.Picture2, quiet, o);
        return seconds(t);
    };
    // a cold reading taken three times, the middle one kept: one alone wanders with what else
    // the machine is doing
    const auto coldReading = [&](const ColourOptions& o) {
        std::array<double, 3> times {};
        for (double& t : times)
            t = reading(o, true);
        std::sort(times.begin(), times.end());
        return times[1];
    };
    ColourOptions o;
    std::printf("option none: colores %.3f s\n", coldReading(o));
    o.perceptual = true;
    const double cold = coldReading(o);
    const double warm = reading(o, false);
    std::printf("option --match perceptual: colores %.3f s (again, answers kept: %.3f s)\n", cold, warm);
    o.perceptual = false;
    o.dither = 100;
    std::printf("option --dither 100: colores %.3f s\n", coldReading(o));
    o.perceptual = true;
    std::printf("option --match perceptual --dither 100: colores %.3f s\n", coldReading(o));
    const auto afterPalette = [&](const ColourOptions& options) {
        reading(ColourOptions(), false);
        separa(f.st, quiet);
        gama(f.st, quiet, {});
        gama1(f.st, f.Picture8, quiet, {});
        const int before = f.st.paletteSize();
        QElapsedTimer t;
        t.start();
        applyPaletteOptions(f.st, options);
        const double elapsed = seconds(t);
        return QStringLiteral("%1 s (%2 to %3 colours)").arg(elapsed, 0, 'f', 3).arg(before).arg(f.st.paletteSize());
    };
    ColourOptions merge;
    merge.mergeRare = true;
    std::printf("option --merge-rare 5: %s\n", qPrintable(afterPalette(merge)));
    ColourOptions clean;
    clean.clean = true;
    std::printf("option --clean 2: %s\n", qPrintable(afterPalette(clean)));
}

// The whole run of a pattern button, from a cold answer cache.
double timeButton(Work& f, bool doble, Long colours)
{
    f.st.num_colores = colours;
    f.settings.colours = int(colours);
    forgetCachedMatcher();
    QElapsedTimer t;
    t.start();
    f.makePattern(doble);
    return seconds(t);
}
// "Punto sencillo" with the faithful colours and without, at a size and colour count (the middle of
// three runs each); the faithful colours should add under `goal` seconds.
void timeFaithful(Work& f, int width, int height, Long colours, double goal)
{
    const ColourOptions kept = f.settings.colourOptions;
    const double keptWidth = f.settings.width, keptHeight = f.settings.height;
    f.settings.width = width;
    f.settings.height = height;
    const auto button = [&](bool faithful) {
        f.settings.colourOptions.faithful = faithful;
        std::array<double, 3> times {};
        for (double& t : times)
            t = timeButton(f, false, colours);
        std::sort(times.begin(), times.end());
        return times[1];
    };
    const double plain = button(false), faithful = button(true);
    std::printf("faithful %d x %d, %d colours: single %.3f s, without %.3f s: adds %.3f s (goal under %.1f s), "
                "%d threads\n",
        width, height, int(colours), faithful, plain, faithful - plain, goal, f.st.paletteSize());
    f.settings.colourOptions = kept;
    f.settings.width = keptWidth;
    f.settings.height = keptHeight;
}
} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QImageReader::setAllocationLimit(1024);
    QTemporaryDir work;
    if (!enterWorkFolder(work))
        return 1;
    RecordedDialogs answers;

    const QImage picture = benchPicture(argc, argv);
    if (picture.isNull())
        return 1;
    Work f(answers);
    if (!f.startUp())
        return 1;
    f.Picture3.setPicture(picture);
    f.chooseCatalogue(4);
    f.settings.width = 1024;
    f.settings.height = 768;
    const Long colours = 248;
    std::printf("picture %d x %d, catalogue \"Completa\" (%d threads), %d colours asked, 1024 x 768 stitches\n",
        picture.width(), picture.height(), int(f.st.num_dmc), int(colours));

    const double single = timeButton(f, false, colours);
    timeStages(f, false, colours);
    timeChartPages(f);
    timeSave(f, work.filePath(QStringLiteral("guardar")));
    timeChartPdf(f, work.filePath(QStringLiteral("patron.pdf")));
    timeColourOptions(f, colours);
    timeFaithful(f, 1024, 768, colours, 1.0);
    timeFaithful(f, 150, 150, 40, 0.1);
    const double doble = timeButton(f, true, colours);
    timeStages(f, true, colours);
    timePatternFile(f, work.filePath(QStringLiteral("patron.oxs")));
    timeBackstitchFile(f, work.filePath(QStringLiteral("patron.oxs")), work.filePath(QStringLiteral("pespunte.oxs")));
    for (const QString& s : answers.shown)
        std::fprintf(stderr, "message: %s\n", qPrintable(s));
    std::printf("single: %.3f s\ndouble: %.3f s\n", single, doble);
    return 0;
}
