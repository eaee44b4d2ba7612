// Times the pattern pipeline on a large picture: the full catalogue "Completa", 248 colours and a
// 1024 x 768-stitch pattern, single stitch then double stitch. Prints the time of each stage
// (reading, grouping, palette, embroidery, chart) and ends with the whole run of each button:
//   single: <seconds> s
//   double: <seconds> s
// Run from the build folder (it makes its own working folder with copies of the catalogues):
//   cmake --build build-pipe --target puntela-bench
//   cd build-pipe && QT_QPA_PLATFORM=offscreen ./puntela-bench [picture-file]
// Without a file it draws a 2048 x 1536 photograph-like picture (smooth shading, edges and noise).
#include "colour/clean_up.h"
#include "colour/hue_groups.h"
#include "colour/matching.h"
#include "colour/palette.h"
#include "colour/perceptual.h"
#include "colour/stitch_reading.h"
#include "render/embroidery.h"
#include "work/work.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>

namespace {
// Smooth shading in every channel, a few hard-edged shapes and some grain, like a photograph.
QImage photographLike(int w, int h)
{
    QImage im(w, h, QImage::Format_RGB32);
    std::mt19937 grain(12345);
    std::uniform_int_distribution<int> noise(-10, 10);
    for (int y = 0; y < h; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(im.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const double u = double(x) / w, v = double(y) / h;
            double r = 128 + 100 * std::sin(6.0 * u + 2.0 * v);
            double g = 110 + 90 * std::sin(4.0 * v - 3.0 * u + 1.0);
            double b = 120 + 110 * std::cos(5.0 * u * v + 2.5 * v);
            if ((x - w / 3) * (x - w / 3) + (y - h / 2) * (y - h / 2) < (h / 5) * (h / 5))
                r = 230 - 60 * v, g = 190 - 80 * u, b = 60;
            if (x > 3 * w / 5 && y > 2 * h / 3)
                r *= 0.35, g *= 0.4, b *= 0.5;
            const auto c = [&](double val) { return std::clamp(int(val) + noise(grain), 0, 255); };
            line[x] = qRgb(c(r), c(g), c(b));
        }
    }
    return im;
}

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

// Each colour option on its own on the single-stitch pattern: the reading from cold answer
// caches (and once more warm for perceptual matching), then merging and the clean-up after the
// palette step of the plain reading.
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
    ColourOptions o;
    std::printf("option none: colores %.3f s\n", reading(o, true));
    o.perceptual = true;
    const double cold = reading(o, true);
    const double warm = reading(o, false);
    std::printf("option --match perceptual: colores %.3f s (again, answers kept: %.3f s)\n", cold, warm);
    o.perceptual = false;
    o.dither = 100;
    std::printf("option --dither 100: colores %.3f s\n", reading(o, true));
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
} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QImageReader::setAllocationLimit(1024);
    QTemporaryDir work;
    for (const char* name : { "dmc.txt", "dmc1.txt", "dmc5.txt", "dmc10.txt" })
        QFile::copy(QStringLiteral(PUNTELA_DATA_DIR "/") + QLatin1String(name), work.filePath(QLatin1String(name)));
    QDir::setCurrent(work.path());
    RecordedDialogs answers;

    QImage picture = argc > 1 ? QImageReader(QString::fromLocal8Bit(argv[1])).read() : photographLike(2048, 1536);
    if (picture.isNull()) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
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
    timeColourOptions(f, colours);
    const double doble = timeButton(f, true, colours);
    timeStages(f, true, colours);
    for (const QString& s : answers.shown)
        std::fprintf(stderr, "message: %s\n", qPrintable(s));
    std::printf("single: %.3f s\ndouble: %.3f s\n", single, doble);
    return 0;
}
