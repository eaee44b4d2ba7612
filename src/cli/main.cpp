// puntela-cli: makes a pattern from a picture (or opens a pattern file) without a window and saves
// its pictures (and, if asked, a PDF of every sheet, the PDF chart to stitch from, the threads to
// buy and the pattern file), by driving the same work the window drives.
#include "colour/catalogue.h"
#include "image/browser.h"
#include "output/chart_pdf.h"
#include "output/file_names.h"
#include "output/pdf_pages.h"
#include "output/thread_amounts.h"
#include "surface/whole_file.h"
#include "surface/work_folder.h"
#include "work/work.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <optional>

namespace {
constexpr int kUsageError = 2;
constexpr int kFailed = 1;
constexpr int kWidestPattern = kMaxColumns; // the stitch grid's bounds
constexpr int kTallestPattern = kMaxRows;

void say(FILE* to, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), to);
    std::fputc('\n', to);
    std::fflush(to);
}

struct Options {
    QString picture, out, pdf, chartPdf, threadsCsv, oxs, report;
    bool patternFile = false; // the input is an .oxs pattern: opened as it is, not matched anew
    ColourOptions colour;
    int factor = 1, width = 0, height = 0, colours = 0, catalogue = 2;
    bool doubleStitch = false, variant = false;
    ChartPdfOptions chart; // the fabric and strands of the amounts are the chart's
    int removeBackground = 0; // the tolerance of the background removal, 0 for none
    std::optional<QRgb> cloth;
};

// Answers the work's dialogs without a user: the reduction factor (the one question the work
// asks) from the command line, errors written to stderr, other messages to stdout.
class BatchDialogs : public Dialogs {
public:
    explicit BatchDialogs(int factor)
        : m_factor(factor)
    {
    }
    int MsgBox(const QString& prompt, int buttons, const QString&) override
    {
        const QString text = QString(prompt).replace(QLatin1Char('\r'), QLatin1Char(' '));
        if (buttons & vbCritical)
            say(stderr, QStringLiteral("Error: ") + text);
        else
            say(stdout, text);
        return (buttons & 7) == vbYesNo ? vbNo : vbOK;
    }
    QString InputBox(const QString&, const QString&, const QString&) override { return QString::number(m_factor); }
    QString SaveFileName(const QString&, const QString&, const QString&) override { return {}; }

private:
    int m_factor;
};

// Prints the stage and the figure as the window's labels show them: a line when the stage
// changes or the figure reaches another ten.
class ProgressPrinter {
public:
    Progress progress()
    {
        Progress p;
        p.stage = [this](const QString& s) {
            m_stage = s;
            shown();
        };
        p.figure = [this](const QString& s) {
            m_figure = s;
            shown();
        };
        return p;
    }

private:
    void shown()
    {
        if (m_stage == m_lastStage && (m_figure == m_lastFigure || m_figure.toInt() / 10 == m_lastFigure.toInt() / 10))
            return;
        if (!m_stage.isEmpty())
            say(stdout, m_figure.isEmpty() ? m_stage : QStringLiteral("%1 %2 %").arg(m_stage, m_figure));
        m_lastStage = m_stage;
        m_lastFigure = m_figure;
    }
    QString m_stage, m_figure, m_lastStage, m_lastFigure;
};

// Only real failures of the toolkit reach the terminal; its warnings are no news to a user.
void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        say(stderr, message);
}

QString usage()
{
    return QStringLiteral(
        "Uso: puntela-cli IMAGEN --out CARPETA [--factor N] [--width N | --height N] [--colours N]\n"
        "                 [--catalogue minima|media|grande|completa] [--double] [--variant] [--pdf ARCHIVO]\n"
        "                 [--chart-pdf ARCHIVO] [--threads-csv ARCHIVO] [--fabric N] [--strands N]\n"
        "                 [--backstitch-strands N]\n"
        "                 [--paper a4|letter] [--cell-mm X] [--overlap N] [--bw-chart] [--oxs ARCHIVO]\n"
        "                 [--match exact|perceptual] [--dither 0|25|50|100] [--merge-rare M] [--clean N]\n"
        "                 [--faithful] [--report ARCHIVO] [--remove-background T] [--cloth RRGGBB]\n"
        "       puntela-cli PATRON.oxs [--out CARPETA] [--pdf ARCHIVO] [--chart-pdf ARCHIVO] [--oxs ARCHIVO] ...");
}

// What --help prints: the usage, every option and the exit codes.
QString helpText()
{
    return usage()
        + QStringLiteral(
            "\n\n"
            "Hace un patrón de punto de cruz de IMAGEN sin abrir ventanas y guarda sus imágenes BMP,\n"
            "las mismas que \"Guardar imágenes\" en la ventana, y si se pide el gráfico en PDF y la lista de\n"
            "hilos, como \"Exportar PDF\" y \"Lista de hilos\". Con un patrón .oxs en lugar de una imagen,\n"
            "lo abre tal como está (sin buscar los hilos de nuevo) y escribe sus archivos.\n\n"
            "Opciones:\n"
            "  --out CARPETA      carpeta para las imágenes (se crea si falta); obligatoria salvo\n"
            "                     con --chart-pdf, --threads-csv, --oxs o --report\n"
            "  --factor N         factor de reducción para imágenes de más de 196 píxeles (1)\n"
            "  --width N          puntos de ancho; el alto sigue a la imagen\n"
            "  --height N         puntos de alto; el ancho sigue a la imagen\n"
            "                     (sin ninguno de los dos: 100 en el lado más largo)\n"
            "  --colours N        colores aproximados, de 7 a 999 (el tamaño del catálogo)\n"
            "  --catalogue NOMBRE minima, media, grande o completa (grande)\n"
            "  --double           punto doble en vez de punto sencillo\n"
            "  --variant          la otra agrupación de colores\n"
            "  --pdf ARCHIVO      imprime también cada hoja y la clave, en color y en blanco y negro,\n"
            "                     en un PDF\n"
            "  --chart-pdf ARCHIVO  el gráfico para bordar en PDF: portada, hojas con los signos como\n"
            "                     texto y la clave de hilos\n"
            "  --threads-csv ARCHIVO  los hilos en CSV: número, nombre, puntadas, metros y madejas\n"
            "  --fabric N         tela de las cantidades y del tamaño: Aida 11, 14, 16, 18 o 20, lino 28\n"
            "                     o 32 (bordado sobre dos hilos) (14)\n"
            "  --strands N        hebras, de 1 a 6 (2)\n"
            "  --backstitch-strands N  hebras del pespunte, de 1 a 6 (1)\n"
            "  --paper NOMBRE     a4 o letter (el papel del país del sistema)\n"
            "  --cell-mm X        lado de la casilla del gráfico, de 2 a 4 mm (2.5)\n"
            "  --overlap N        filas y columnas de las hojas siguientes repetidas en color\n"
            "                     más claro en cada hoja del gráfico, de 0 a 5 (0)\n"
            "  --bw-chart         gráfico solo con signos, sin colores, para impresoras en blanco\n"
            "                     y negro\n"
            "  --oxs ARCHIVO      guarda también el patrón en un archivo .oxs (\"Open Cross Stitch\"),\n"
            "                     como \"Guardar patrón\" en la ventana\n"
            "  --match exact      elige cada hilo como siempre, canal a canal (así por omisión)\n"
            "  --match perceptual elige el hilo que más se parece a la vista (ΔE2000)\n"
            "  --faithful         colores fieles a la imagen: cada punto toma el color medio de la\n"
            "                     imagen bajo él y los hilos (como mucho --colours) se eligen para que\n"
            "                     el patrón se parezca lo más posible a la imagen; --match no cuenta\n"
            "  --dither P         mezcla puntos de hilos vecinos para los tonos intermedios:\n"
            "                     0, 25, 50 o 100 % (0)\n"
            "  --merge-rare M     los colores con menos de M puntos (1 a 100) pasan al más parecido\n"
            "  --clean N          las manchas de hasta N puntos sueltos (1 a 5) toman el color de\n"
            "                     los puntos que las rodean\n"
            "  --report ARCHIVO   escribe la calidad del patrón (diferencia con la imagen por hilo\n"
            "                     y puntos sueltos) en JSON\n"
            "  --remove-background T  quita el fondo antes de escribir los archivos: la zona unida al\n"
            "                     borde de hilos a menos de ΔE2000 T (1 a 30) del hilo más frecuente\n"
            "                     en el borde queda sin bordar, en la tela; también con un .oxs\n"
            "  --cloth RRGGBB     color de la tela (FFFFFF, blanco, por omisión), el que se ve en los\n"
            "                     puntos sin bordar del bordado y del PDF y se guarda en el .oxs\n"
            "  -h, --help         muestra esta ayuda\n"
            "  --version          muestra la versión\n"
            "  --                 fin de las opciones: lo que sigue es la imagen, aunque su nombre\n"
            "                     empiece por -\n\n"
            "Cada archivo se escribe entero o no se escribe: si el disco se llena, el archivo que\n"
            "hubiera con ese nombre queda como estaba. Las imágenes de --out sustituyen a las que\n"
            "dejó antes otra orden en esa carpeta.\n\n"
            "Los catálogos de hilos se leen de la carpeta actual si tiene \"dmc.txt\"; si no, de la\n"
            "carpeta de datos del usuario ($XDG_DATA_HOME/puntela, o ~/.local/share/puntela), que se\n"
            "crea con los catálogos instalados.\n\n"
            "Códigos de salida:\n"
            "  0  todo escrito\n"
            "  1  el trabajo ha fallado (imagen o patrón que falta o no se puede leer, tamaño\n"
            "     imposible, carpeta o archivo que no se puede escribir, catálogos que no se\n"
            "     encuentran)\n"
            "  2  la línea de órdenes está mal (o pide un patrón nuevo a partir de un .oxs)");
}

// A whole number of at least `least` given to an option, or nothing.
std::optional<int> number(const QCommandLineParser& p, const QString& name, int least, QString& error)
{
    bool ok = false;
    const int v = p.value(name).toInt(&ok);
    if (ok && v >= least)
        return v;
    error = QStringLiteral("--%1 necesita un número entero de al menos %2 (se dio \"%3\").")
                .arg(name)
                .arg(least)
                .arg(p.value(name));
    return std::nullopt;
}

// The options of the PDF chart and the thread amounts; an empty text when they are usable.
QString parseChart(const QCommandLineParser& p, ChartPdfOptions& chart)
{
    chart.paper = paperOfLocale(QLocale::system());
    QString error;
    if (p.isSet(QStringLiteral("fabric"))) {
        const std::optional<int> count = number(p, QStringLiteral("fabric"), 1, error);
        chart.stitchesPerInch = count ? stitchesPerInchOfCount(*count) : 0;
        if (chart.stitchesPerInch == 0)
            return QStringLiteral("--fabric admite 11, 14, 16, 18, 20, 28 o 32 (se dio \"%1\").")
                .arg(p.value(QStringLiteral("fabric")));
        chart.fabric = fabrics()[std::size_t(fabricOfCount(*count))].name;
    }
    // strands of the full stitches and of backstitch, 1 to 6
    for (const auto& [name, strands] : { std::pair(QStringLiteral("strands"), &chart.strands),
             std::pair(QStringLiteral("backstitch-strands"), &chart.backstitchStrands) }) {
        if (!p.isSet(name))
            continue;
        const std::optional<int> n = number(p, name, 1, error);
        if (!n || *n > 6)
            return QStringLiteral("--%1 admite de 1 a 6 hebras (se dio \"%2\").").arg(name, p.value(name));
        *strands = *n;
    }
    if (p.isSet(QStringLiteral("paper"))) {
        const QString paper = p.value(QStringLiteral("paper")).toLower();
        if (paper != QLatin1String("a4") && paper != QLatin1String("letter"))
            return QStringLiteral("Papel desconocido \"%1\": a4 o letter.").arg(p.value(QStringLiteral("paper")));
        chart.paper = paper == QLatin1String("letter") ? Paper::Letter : Paper::A4;
    }
    if (p.isSet(QStringLiteral("cell-mm"))) {
        bool ok = false;
        const QString typed = p.value(QStringLiteral("cell-mm"));
        // a decimal comma is taken as the point it means
        const double mm = QLocale::c().toDouble(QString(typed).replace(QLatin1Char(','), QLatin1Char('.')), &ok);
        if (!ok || !(mm >= 2 && mm <= 4))
            return QStringLiteral("--cell-mm admite de 2 a 4 mm (se dio \"%1\").").arg(typed);
        chart.cellMm = mm;
    }
    if (p.isSet(QStringLiteral("overlap"))) {
        bool ok = false;
        chart.overlap = p.value(QStringLiteral("overlap")).toInt(&ok);
        if (!ok || chart.overlap < 0 || chart.overlap > kMostPdfOverlap)
            return QStringLiteral("--overlap admite de 0 a %1 filas y columnas (se dio \"%2\").")
                .arg(kMostPdfOverlap)
                .arg(p.value(QStringLiteral("overlap")));
    }
    chart.colourCells = !p.isSet(QStringLiteral("bw-chart"));
    return {};
}

// A whole number from `least` to `most` given to an option, or nothing.
std::optional<int> numberWithin(const QCommandLineParser& p, const QString& name, int least, int most, QString& error)
{
    bool ok = false;
    const int v = p.value(name).toInt(&ok);
    if (ok && v >= least && v <= most)
        return v;
    error = QStringLiteral("--%1 necesita un número entero de %2 a %3 (se dio \"%4\").")
                .arg(name)
                .arg(least)
                .arg(most)
                .arg(p.value(name));
    return std::nullopt;
}

// The colour options and the report file; an empty text when they are usable.
QString parseColourOptions(const QCommandLineParser& p, Options& o)
{
    if (p.isSet(QStringLiteral("match"))) {
        const QString m = p.value(QStringLiteral("match")).toLower();
        if (m != QLatin1String("exact") && m != QLatin1String("perceptual"))
            return QStringLiteral("--match admite exact o perceptual (se dio \"%1\").")
                .arg(p.value(QStringLiteral("match")));
        o.colour.perceptual = m == QLatin1String("perceptual");
    }
    o.colour.faithful = p.isSet(QStringLiteral("faithful"));
    QString error;
    if (p.isSet(QStringLiteral("dither"))) {
        bool ok = false;
        o.colour.dither = p.value(QStringLiteral("dither")).toInt(&ok);
        if (!ok || !o.colour.valid())
            return QStringLiteral("--dither admite 0, 25, 50 o 100 (se dio \"%1\").")
                .arg(p.value(QStringLiteral("dither")));
    }
    if (p.isSet(QStringLiteral("merge-rare"))) {
        const std::optional<int> v = numberWithin(
            p, QStringLiteral("merge-rare"), ColourOptions::kMergeLeast, ColourOptions::kMergeMost, error);
        if (!v)
            return error;
        o.colour.mergeRare = true;
        o.colour.mergeBelow = *v;
    }
    if (p.isSet(QStringLiteral("clean"))) {
        const std::optional<int> v
            = numberWithin(p, QStringLiteral("clean"), ColourOptions::kCleanLeast, ColourOptions::kCleanMost, error);
        if (!v)
            return error;
        o.colour.clean = true;
        o.colour.cleanSize = *v;
    }
    if (p.isSet(QStringLiteral("report")))
        o.report = QFileInfo(p.value(QStringLiteral("report"))).absoluteFilePath();
    return {};
}

// --remove-background and --cloth; empty when they are usable.
QString parseEdits(const QCommandLineParser& p, Options& o)
{
    QString error;
    if (p.isSet(QStringLiteral("remove-background"))) {
        const std::optional<int> v = numberWithin(p, QStringLiteral("remove-background"), 1, 30, error);
        if (!v)
            return error;
        o.removeBackground = *v;
    }
    if (p.isSet(QStringLiteral("cloth"))) {
        QString typed = p.value(QStringLiteral("cloth")).trimmed();
        if (typed.startsWith(QLatin1Char('#')))
            typed.remove(0, 1);
        bool ok = false;
        const uint rgb = typed.toUInt(&ok, 16);
        if (!ok || typed.size() != 6)
            return QStringLiteral("--cloth pide un color RRGGBB, como FFFFFF para el blanco (\"%1\").")
                .arg(p.value(QStringLiteral("cloth")));
        o.cloth = qRgb(int(rgb >> 16) & 0xff, int(rgb >> 8) & 0xff, int(rgb & 0xff));
    }
    return {};
}

// Reads the command line; an empty text when it is usable, else what is wrong with it.
QString parse(const QStringList& args, Options& o)
{
    QCommandLineParser p;
    for (const char* name : { "out", "factor", "width", "height", "colours", "catalogue", "pdf", "chart-pdf",
             "threads-csv", "fabric", "strands", "backstitch-strands", "paper", "cell-mm", "overlap", "oxs", "match",
             "dither", "merge-rare", "clean", "report", "remove-background", "cloth" })
        p.addOption(QCommandLineOption(QLatin1String(name), QString(), QStringLiteral("valor")));
    p.addOption(QCommandLineOption(QStringLiteral("double")));
    p.addOption(QCommandLineOption(QStringLiteral("variant")));
    p.addOption(QCommandLineOption(QStringLiteral("bw-chart")));
    p.addOption(QCommandLineOption(QStringLiteral("faithful")));
    p.addOption(QCommandLineOption(QStringList { QStringLiteral("h"), QStringLiteral("help") }));
    p.addOption(QCommandLineOption(QStringLiteral("version")));
    if (!p.parse(args))
        return p.errorText();
    if (p.isSet(QStringLiteral("help")))
        return QStringLiteral("help");
    if (p.isSet(QStringLiteral("version")))
        return QStringLiteral("version");
    if (p.positionalArguments().size() != 1)
        return QStringLiteral("Hay que dar una sola imagen.");
    if (!p.isSet(QStringLiteral("out")) && !p.isSet(QStringLiteral("chart-pdf"))
        && !p.isSet(QStringLiteral("threads-csv")) && !p.isSet(QStringLiteral("oxs"))
        && !p.isSet(QStringLiteral("report")))
        return QStringLiteral("Falta --out CARPETA.");
    if (p.isSet(QStringLiteral("width")) && p.isSet(QStringLiteral("height")))
        return QStringLiteral("Se puede dar --width o --height, no los dos.");
    o.picture = QFileInfo(p.positionalArguments().first()).absoluteFilePath();
    const struct {
        const char* name;
        QString* to;
    } files[] = { { "out", &o.out }, { "pdf", &o.pdf }, { "chart-pdf", &o.chartPdf }, { "threads-csv", &o.threadsCsv },
        { "oxs", &o.oxs } };
    for (const auto& f : files)
        if (p.isSet(QLatin1String(f.name)))
            *f.to = QFileInfo(p.value(QLatin1String(f.name))).absoluteFilePath();
    o.patternFile = isPatternFileName(o.picture);
    for (const char* name : { "factor", "width", "height", "colours", "catalogue", "double", "variant" })
        if (o.patternFile && p.isSet(QLatin1String(name)))
            return QStringLiteral("--%1 no sirve con un patrón .oxs: el patrón se abre tal como está.")
                .arg(QLatin1String(name));
    o.doubleStitch = p.isSet(QStringLiteral("double"));
    o.variant = p.isSet(QStringLiteral("variant"));
    QString error;
    const struct {
        const char* name;
        int* to;
        int least;
    } numbers[] = { { "factor", &o.factor, 1 }, { "width", &o.width, 4 }, { "height", &o.height, 4 },
        { "colours", &o.colours, 7 } };
    for (const auto& n : numbers) {
        if (!p.isSet(QLatin1String(n.name)))
            continue;
        const std::optional<int> v = number(p, QLatin1String(n.name), n.least, error);
        if (!v)
            return error;
        *n.to = *v;
    }
    if (o.colours > 999)
        return QStringLiteral("--colours admite de 7 a 999 colores.");
    if (const QString wrong = parseColourOptions(p, o); !wrong.isEmpty())
        return wrong;
    if (const QString wrong = parseEdits(p, o); !wrong.isEmpty())
        return wrong;
    const QStringList catalogues { "minima", "media", "grande", "completa" };
    if (p.isSet(QStringLiteral("catalogue"))) {
        o.catalogue = int(catalogues.indexOf(p.value(QStringLiteral("catalogue")).toLower()));
        if (o.catalogue < 0)
            return QStringLiteral("Catálogo desconocido \"%1\": minima, media, grande o completa.")
                .arg(p.value(QStringLiteral("catalogue")));
    }
    return parseChart(p, o.chart);
}

// Fills `work` with the thread catalogues, from where the window program would find them.
QString copyCatalogues(const QString& work)
{
    const ChosenFolder from = findWorkFolder();
    if (from.path.isEmpty())
        return from.error;
    return copyCatalogueFiles(from.path, work);
}

// Loads the picture as a double click in the file list does; false after the message (in
// `error`, or through the dialogs when the work says it).
bool loadPicture(Work& work, const QString& picture, QString& error)
{
    const QFileInfo info(picture);
    if (!pictureFiles(info.absolutePath()).contains(info.fileName())) {
        error = QStringLiteral("\"%1\" no es un tipo de imagen que Puntela pueda abrir.").arg(picture);
        return false;
    }
    return work.openPicture(picture);
}

// Applies the settings of the command line to the loaded picture; false after the message (in
// `error`, or through the dialogs when the work says it).
bool applySettings(Work& work, const Options& o, QString& error)
{
    if (work.settings().catalogue != o.catalogue + 1 && !work.chooseCatalogue(o.catalogue + 1))
        return false;
    if (o.width > 0 || o.height > 0) {
        error = work.setStitches(o.width > 0, o.width > 0 ? o.width : o.height);
        if (!error.isEmpty())
            return false;
    }
    const int w = int(work.settings().width), h = int(work.settings().height);
    if (w < 2 || h < 2 || w > kWidestPattern || h > kTallestPattern) {
        error = QStringLiteral("Tamaño imposible: el patrón tendría %1 x %2 puntos (de 2 x 2 a %3 x %4).")
                    .arg(w)
                    .arg(h)
                    .arg(kWidestPattern)
                    .arg(kTallestPattern);
        return false;
    }
    if (o.colours > 0)
        work.setColourCountFromSpinner(o.colours);
    work.setVariant(o.variant);
    work.setColourOptions(o.colour);
    return true;
}

// The pattern made or opened: its size and the threads it uses, those of the window's colour box
// and those only its part stitches, backstitch, knots or beads use.
void sayPattern(const Work& work)
{
    long extrasOnly = 0;
    if (!work.stitchExtras().empty()) {
        const std::vector<ThreadAmount> threads = threadAmounts(work.threadList(), AmountOptions());
        extrasOnly = std::count_if(threads.begin(), threads.end(), [](const ThreadAmount& t) { return t.index < 0; });
    }
    say(stdout,
        QStringLiteral("Patrón de %1 x %2 puntos, %3 colores")
            .arg(int(work.settings().width))
            .arg(int(work.settings().height))
            .arg(work.settings().colours + extrasOnly));
}

// The cloth and the background removal of the command line, on the pattern made or opened.
void applyEdits(Work& work, const Options& o)
{
    if (o.cloth)
        work.setCloth(*o.cloth);
    if (o.removeBackground > 0)
        say(stdout,
            QStringLiteral("Fondo quitado: %1 puntos sin bordar").arg(work.removeBorderBackground(o.removeBackground)));
}

// Writes every page of both passes into one PDF file.
QString writePdf(Work& work, const QString& file)
{
    PdfPages pdf(file);
    if (!pdf.begin())
        return pdf.error();
    work.walkPages(
        work.chartPages(true, true), [&pdf](const SheetPage&, const QImage& page) { return pdf.addPage(page); });
    pdf.end();
    return pdf.error();
}

// Saves the pictures into `out` as one set: written beside it first, they take the places of an
// earlier set only once all are written, and that set's other sheets go.
QString saveImageSet(Work& w, const QString& out)
{
    QTemporaryDir fresh(fileInFolder(out, QStringLiteral(".puntela-XXXXXX")));
    if (!fresh.isValid())
        return unwrittenFileMessage(fileInFolder(out, embroideryFileName()));
    const QString failure = w.saveImages(fresh.path());
    if (!failure.isEmpty())
        return QString(failure).replace(fresh.path(), out);
    return replaceSavedSet(fresh.path(), out);
}

// Writes what the command line asks for of the pattern made: the pictures, the printed sheets,
// the PDF chart and the threads; the first failure's message, or empty when all are written.
QString writeOutputs(Work& w, const Options& o)
{
    if (!w.hasPattern())
        return QStringLiteral("No hay ningún patrón que guardar.");
    QString failure;
    if (!o.out.isEmpty())
        failure = saveImageSet(w, o.out);
    if (failure.isEmpty() && !o.pdf.isEmpty())
        failure = writePdf(w, o.pdf);
    if (failure.isEmpty() && !o.chartPdf.isEmpty())
        failure = w.exportChartPdf(o.chartPdf, o.chart);
    if (failure.isEmpty() && !o.threadsCsv.isEmpty())
        failure = w.exportThreadsCsv(o.threadsCsv, pdfAmounts(o.chart));
    if (failure.isEmpty() && !o.oxs.isEmpty())
        failure = w.savePattern(o.oxs);
    if (failure.isEmpty() && !o.report.isEmpty()) {
        const QByteArray json = qualityReportJson(w.qualityReport());
        failure = writeWhole(o.report, [&json](QIODevice& d) { return d.write(json) == json.size(); });
    }
    return failure;
}

// The work after the application exists; returns the exit code.
int run(const Options& o, BatchDialogs& answers)
{
    if (!QFileInfo(o.picture).isFile()) {
        say(stderr,
            QStringLiteral("Error: no se encuentra %1 \"%2\".")
                .arg(o.patternFile ? QStringLiteral("el patrón") : QStringLiteral("la imagen"), o.picture));
        return kFailed;
    }
    if (!o.out.isEmpty() && !QFileInfo(o.out).isDir() && !QDir().mkpath(o.out)) {
        say(stderr, QStringLiteral("Error: no se puede crear la carpeta \"%1\".").arg(o.out));
        return kFailed;
    }
    QTemporaryDir work;
    QString error
        = work.isValid() ? copyCatalogues(work.path()) : QStringLiteral("No se puede crear una carpeta temporal.");
    if (!error.isEmpty()) {
        say(stderr, QStringLiteral("Error: ") + error);
        return kFailed;
    }
    const QString previous = QDir::currentPath();
    QDir::setCurrent(work.path());
    ProgressPrinter printer;
    Work w(answers, printer.progress());
    // the working folder is thrown away at the end: no last pattern is kept there
    w.keepsLastPattern = false;
    // the embroidery and the chart are drawn only for the outputs that show them
    w.drawsPictures = !o.out.isEmpty() || !o.pdf.isEmpty() || !o.chartPdf.isEmpty();
    // each step says its own failure as it happens; the exit code comes from what they return
    bool done = w.startUp();
    if (done && o.patternFile)
        done = w.openPattern(o.picture);
    else if (done)
        done = loadPicture(w, o.picture, error) && applySettings(w, o, error) && w.makePattern(o.doubleStitch);
    if (done && w.hasPattern()) {
        applyEdits(w, o);
        sayPattern(w);
    }
    if (done) {
        error = writeOutputs(w, o);
        done = error.isEmpty();
    }
    QDir::setCurrent(previous);
    if (!error.isEmpty())
        say(stderr, QStringLiteral("Error: ") + error);
    if (!done)
        return kFailed;
    QStringList written;
    const struct {
        const char* what;
        const QString& where;
    } outputs[]
        = { { "Imágenes guardadas en %1", o.out }, { "PDF en %1", o.pdf }, { "gráfico en PDF en %1", o.chartPdf },
              { "hilos en %1", o.threadsCsv }, { "patrón en %1", o.oxs }, { "calidad en %1", o.report } };
    for (const auto& out : outputs)
        if (!out.where.isEmpty())
            written << QString::fromUtf8(out.what).arg(out.where);
    QString line = written.join(QStringLiteral("; "));
    if (!line.isEmpty())
        line[0] = line[0].toUpper();
    say(stdout, line);
    return 0;
}
} // namespace

int main(int argc, char* argv[])
{
    // a batch command needs no screen (and touches no clipboard: only the window passes its pages
    // through one)
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    Options options;
    const QString wrong = parse(args, options);
    if (wrong == QLatin1String("help")) {
        say(stdout, helpText());
        return 0;
    }
    if (wrong == QLatin1String("version")) {
        say(stdout, QStringLiteral("puntela-cli " PUNTELA_VERSION));
        return 0;
    }
    if (!wrong.isEmpty()) {
        say(stderr, QStringLiteral("Error: ") + wrong);
        say(stderr, usage());
        return kUsageError;
    }
    qInstallMessageHandler(quietMessages);
    // Qt sees no argument of ours: a folder named "-platform" is never taken for its option
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    QImageReader::setAllocationLimit(1024);
    BatchDialogs answers(options.factor);
    return run(options, answers);
}
