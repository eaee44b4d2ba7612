// Times the pattern pipeline on a large picture: the full catalogue "Completa", 248 colours and a
// 1024 x 768-stitch pattern, single stitch then double stitch. Prints the time of each stage
// (reading, grouping, palette, embroidery, chart), the chart pages, saving every file, the PDF
// chart of the single-stitch pattern (time, size, pages), saving the pattern file and opening it
// again (each to stay under 1.5 s), "Punto sencillo" with the faithful colours and without at
// 1024 x 768 with 248 colours and at 150 x 150 with 40 (adding under 1 s and 0.1 s), and ends
// and editing the single-stitch pattern (a pencil step, a whole fill and background removal and
// their undo), and ends with the whole run of each button:
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
#include "work_loader.h"

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
    load(f).num_colores = colours;
    load(f).punto_doble = doble ? True : False;
    QElapsedTimer t;
    t.start();
    colores(load(f), f.Picture3, f.Picture2, quiet);
    const double reading = seconds(t);
    t.restart();
    separa(load(f), quiet);
    const double grouping = seconds(t);
    t.restart();
    gama(load(f), quiet, {});
    gama1(load(f), f.Picture8, quiet, {});
    const double palette = seconds(t);
    t.restart();
    if (doble)
        pinta2(load(f), f.Picture2, quiet);
    else
        dibujar(load(f), f.Picture2, quiet);
    const double embroidery = seconds(t);
    t.restart();
    f.patron();
    const double chart = seconds(t);
    std::printf("%s stitch stages: colores %.3f s, grouping %.3f s, palette %.3f s, embroidery %.3f s, "
                "chart %.3f s (%d stitches, %d palette colours)\n",
        doble ? "double" : "single", reading, grouping, palette, embroidery, chart, int(load(f).num_puntos),
        load(f).paletteSize());
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
        loadSettings(f).sheetH = h;
        loadSettings(f).sheetV = v;
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
    const double key = best(loadSettings(f).sheetHMax, 1);
    std::printf(
        "chart pages: full sheet %.1f ms, key %.1f ms (%d colours)\n", 1000 * sheet, 1000 * key, load(f).paletteSize());
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
    std::printf("pattern file %d x %d: save %.3f s, open %.3f s (%.0f MB; each under 1.5 s)\n",
        int(load(f).ancho_puntos), int(load(f).alto_puntos), save, open, double(QFileInfo(file).size()) / 1e6);
}

// The pattern just saved with 100,000 backstitches added, as a designed pattern holds its
// outlines: opened and saved again.
void timeBackstitchFile(Work& f, const QString& saved, const QString& file)
{
    QFile in(saved);
    if (!in.open(QIODevice::ReadOnly))
        return;
    QByteArray text = in.readAll();
    const int w = f.state().ancho_puntos, h = f.state().alto_puntos;
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
    load(f).punto_doble = False;
    auto reading = [&](const ColourOptions& o, bool cold) {
        if (cold) {
            forgetCachedMatcher();
            forgetCachedPerceptualMatcher();
        }
        load(f).num_colores = colours;
        QElapsedTimer t;
        t.start();
        colores(load(f), f.Picture3, f.Picture2, quiet, o);
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
        separa(load(f), quiet);
        gama(load(f), quiet, {});
        gama1(load(f), f.Picture8, quiet, {});
        const int before = load(f).paletteSize();
        QElapsedTimer t;
        t.start();
        applyPaletteOptions(load(f), options);
        const double elapsed = seconds(t);
        return QStringLiteral("%1 s (%2 to %3 colours)").arg(elapsed, 0, 'f', 3).arg(before).arg(load(f).paletteSize());
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
    load(f).num_colores = colours;
    loadSettings(f).colours = int(colours);
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
    const ColourOptions kept = loadSettings(f).colourOptions;
    const double keptWidth = loadSettings(f).width, keptHeight = loadSettings(f).height;
    loadSettings(f).width = width;
    loadSettings(f).height = height;
    const auto button = [&](bool faithful) {
        loadSettings(f).colourOptions.faithful = faithful;
        std::array<double, 3> times {};
        for (double& t : times)
            t = timeButton(f, false, colours);
        std::sort(times.begin(), times.end());
        return times[1];
    };
    const double plain = button(false), faithful = button(true);
    std::printf("faithful %d x %d, %d colours: single %.3f s, without %.3f s: adds %.3f s (goal under %.1f s), "
                "%d threads\n",
        width, height, int(colours), faithful, plain, faithful - plain, goal, load(f).paletteSize());
    loadSettings(f).colourOptions = kept;
    loadSettings(f).width = keptWidth;
    loadSettings(f).height = keptHeight;
}

// Editing the 1024 x 768 single-stitch pattern, each time with the embroidery and the sheet on
// show redrawn: a pencil step (the middle of 41; goal under 16 ms), and a fill and a background
// removal of the whole pattern and their undo (goal under 100 ms each).
void timeEditing(Work& f)
{
    const auto ms = [](const QElapsedTimer& t) { return double(t.nsecsElapsed()) / 1e6; };
    const Long a = f.state().tono[5][0] == f.state().puntos(0, 0) ? f.state().tono[5][1] : f.state().tono[5][0];
    // a stroke away from the sheet on show, and one on it, which redraws the sheet as well
    for (const QPoint start : { QPoint(500, 300), QPoint(2, 2) }) {
        std::vector<double> steps;
        f.beginStroke();
        for (int i = 0; i < 41; ++i) {
            const QPoint from = start + QPoint(i / 2, i % 7), to = from + QPoint(1, 1);
            QElapsedTimer t;
            t.start();
            f.editCells(QStringLiteral("Lápiz"), editLine(f.gridView(), from, to, i % 2 ? a : f.state().puntos(0, 0)));
            steps.push_back(ms(t));
        }
        f.endStroke();
        std::sort(steps.begin(), steps.end());
        std::printf("edit pencil step%s: %.2f ms (goal under 16 ms)\n", start.x() < 10 ? " on the sheet on show" : "",
            steps[steps.size() / 2]);
    }
    const QRect whole(0, 0, f.state().ancho_puntos, f.state().alto_puntos);
    QElapsedTimer t;
    t.start();
    f.editCells(QStringLiteral("Rectángulo"), editRectangle(f.gridView(), whole, true, a));
    std::printf("edit filled rectangle over the pattern: %.1f ms\n", ms(t));
    const Long b = f.state().tono[0][0];
    // the middle of three: one run alone wanders with what else the machine is doing
    const auto timed = [&](const char* what, const std::function<void()>& step) {
        std::array<double, 3> done {}, undone {};
        for (int i = 0; i < 3; ++i) {
            QElapsedTimer t1;
            t1.start();
            step();
            done[std::size_t(i)] = ms(t1);
            t1.start();
            f.history().undo();
            undone[std::size_t(i)] = ms(t1);
        }
        std::sort(done.begin(), done.end());
        std::sort(undone.begin(), undone.end());
        std::printf(
            "edit %s of the whole pattern: %.1f ms, undo %.1f ms (goal under 100 ms each)\n", what, done[1], undone[1]);
    };
    timed("fill", [&] { f.editCells(QStringLiteral("Relleno"), editFill(f.gridView(), { 0, 0 }, b)); });
    timed("background removal", [&] { f.removeBackground({ 0, 0 }, 10); });
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
    loadSettings(f).width = 1024;
    loadSettings(f).height = 768;
    const Long colours = 248;
    std::printf("picture %d x %d, catalogue \"Completa\" (%d threads), %d colours asked, 1024 x 768 stitches\n",
        picture.width(), picture.height(), int(load(f).num_dmc), int(colours));

    const double single = timeButton(f, false, colours);
    timeStages(f, false, colours);
    timeChartPages(f);
    timeSave(f, work.filePath(QStringLiteral("guardar")));
    timeChartPdf(f, work.filePath(QStringLiteral("patron.pdf")));
    timeColourOptions(f, colours);
    timeFaithful(f, 1024, 768, colours, 1.0);
    timeFaithful(f, 150, 150, 40, 0.1);
    timeButton(f, false, colours);
    timeEditing(f);
    const double doble = timeButton(f, true, colours);
    timeStages(f, true, colours);
    timePatternFile(f, work.filePath(QStringLiteral("patron.oxs")));
    timeBackstitchFile(f, work.filePath(QStringLiteral("patron.oxs")), work.filePath(QStringLiteral("pespunte.oxs")));
    for (const QString& s : answers.shown)
        std::fprintf(stderr, "message: %s\n", qPrintable(s));
    std::printf("single: %.3f s\ndouble: %.3f s\n", single, doble);
    return 0;
}
