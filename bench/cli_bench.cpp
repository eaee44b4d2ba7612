// Times whole runs of the batch command on the largest pattern (a 2048 x 1536 photograph-like
// picture to 1024 x 768 stitches on the full catalogue) beside what a user would script to get the
// same stitches onto the same thread colours with ImageMagick:
//   convert big.ppm -sample 1024x768! +dither -remap threads.png out.ppm
// The three commands run in turn, five times, and the median of each is printed:
//   imagemagick: <seconds> s
//   single: <seconds> s (<ratio> of ImageMagick, goal at most 0.5)
//   double: <seconds> s (<ratio> of ImageMagick, goal at most 0.7)
// Without ImageMagick's convert (Debian package imagemagick) it says so and times the batch
// command alone. Run from the build folder, where puntela-cli is:
//   cmake --build build --target puntela-cli puntela-cli-bench && cd build && ./puntela-cli-bench
// or name the batch command to time and a folder to leave the pictures in:
//   ./puntela-cli-bench PUNTELA-CLI FOLDER
#include "colour/catalogue.h"
#include "photograph.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
constexpr int kRuns = 5;

// ImageMagick's convert: Debian's first, else the first on the path that says it is ImageMagick.
QString imageMagick()
{
    for (const QString& candidate :
        { QStringLiteral("/usr/bin/convert"), QStandardPaths::findExecutable(QStringLiteral("convert")) }) {
        if (candidate.isEmpty() || !QFileInfo(candidate).isExecutable())
            continue;
        QProcess p;
        p.start(candidate, { QStringLiteral("-version") });
        if (p.waitForFinished(10000) && p.readAllStandardOutput().contains("ImageMagick"))
            return candidate;
    }
    return {};
}

// Seconds one run of a command takes; negative when it fails.
double timed(const QString& program, const QStringList& arguments, const QString& folder)
{
    QProcess p;
    p.setWorkingDirectory(folder);
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer t;
    t.start();
    p.start(program, arguments);
    if (!p.waitForFinished(300000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        std::fprintf(stderr, "%s failed\n", qPrintable(program));
        return -1;
    }
    return double(t.nsecsElapsed()) / 1e9;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The full catalogue's colours, one pixel each, as ImageMagick's -remap reads them.
bool writeThreadColours(const QString& path)
{
    std::vector<color_dmc> all(kCatalogueSize);
    const CatalogueRead read = readFullCatalogueFile(QStringLiteral(PUNTELA_DATA_DIR "/dmc.txt"), all, kFullCatalogue);
    if (read.count <= 0)
        return false;
    QImage colours(read.count, 1, QImage::Format_RGB32);
    for (int i = 1; i <= read.count; ++i) {
        const color_dmc& e = all[std::size_t(i)];
        colours.setPixel(i - 1, 0, qRgb(e.rojo, e.verde, e.azul));
    }
    return colours.save(path, "PNG");
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString cli = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                 : QCoreApplication::applicationDirPath() + QStringLiteral("/puntela-cli");
    if (!QFileInfo(cli).isExecutable()) {
        std::fprintf(stderr, "no batch command at %s\n", qPrintable(cli));
        return 1;
    }
    QTemporaryDir temporary;
    const QDir folder(argc > 2 ? QString::fromLocal8Bit(argv[2]) : temporary.path());
    const QImage picture = photographLike(2048, 1536);
    if (!folder.exists() || !picture.save(folder.filePath(QStringLiteral("big.bmp")), "BMP")
        || !picture.save(folder.filePath(QStringLiteral("big.ppm")), "PPM")
        || !writeThreadColours(folder.filePath(QStringLiteral("threads.png")))) {
        std::fprintf(stderr, "cannot write the pictures\n");
        return 1;
    }
    const QString convert = imageMagick();
    if (convert.isEmpty())
        std::printf("ImageMagick's convert is missing (Debian package imagemagick): the batch command alone\n");
    const QStringList single { QStringLiteral("big.bmp"), QStringLiteral("--width"), QStringLiteral("1024"),
        QStringLiteral("--catalogue"), QStringLiteral("completa"), QStringLiteral("--threads-csv"),
        QStringLiteral("t.csv") };
    const QStringList remap { QStringLiteral("big.ppm"), QStringLiteral("-sample"), QStringLiteral("1024x768!"),
        QStringLiteral("+dither"), QStringLiteral("-remap"), QStringLiteral("threads.png"), QStringLiteral("out.ppm") };
    std::vector<double> magick, singles, doubles;
    // in turn, so a busy moment of the machine falls on all three alike
    for (int run = 0; run < kRuns; ++run) {
        if (!convert.isEmpty())
            magick.push_back(timed(convert, remap, folder.absolutePath()));
        singles.push_back(timed(cli, single, folder.absolutePath()));
        doubles.push_back(timed(cli, single + QStringList { QStringLiteral("--double") }, folder.absolutePath()));
    }
    for (const std::vector<double>* v : { &magick, &singles, &doubles })
        if (std::any_of(v->begin(), v->end(), [](double s) { return s < 0; }))
            return 1;
    const auto line = [&](const char* name, const std::vector<double>& times, double goal) {
        const double s = median(times);
        if (magick.empty())
            std::printf("%s: %.3f s\n", name, s);
        else
            std::printf("%s: %.3f s (%.2f of ImageMagick, goal at most %.1f)\n", name, s, s / median(magick), goal);
    };
    if (!magick.empty())
        std::printf("imagemagick: %.3f s\n", median(magick));
    line("single", singles, 0.5);
    line("double", doubles, 0.7);
    return 0;
}
