// The batch command: the same files as the window for the same picture and settings, a PDF of
// both passes, and bad input answered with a message and a failing exit code.
#include "app/thread_list_dialog.h"
#include "colour/quality_report.h"
#include "made_pattern.h"
#include "output/file_names.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTimer>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

namespace {
struct Run {
    int code = -1;
    QString out, err;
};

QString cliPath() { return QCoreApplication::applicationDirPath() + QStringLiteral("/puntela-cli"); }

// Runs the command; with `fileSizeLimit` every file it writes is held to that many bytes, a
// write crossing the limit taken only in part.
Run runCli(const QStringList& args, qint64 fileSizeLimit = 0)
{
    QProcess p;
    if (fileSizeLimit > 0)
        p.setChildProcessModifier([fileSizeLimit] {
            const rlimit limit { rlim_t(fileSizeLimit), rlim_t(fileSizeLimit) };
            setrlimit(RLIMIT_FSIZE, &limit);
            std::signal(SIGXFSZ, SIG_IGN);
        });
    p.start(cliPath(), args);
    Run r;
    if (!p.waitForFinished(240000))
        return r;
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    r.err = QString::fromLocal8Bit(p.readAllStandardError());
    return r;
}

// What a user does in the window for the same settings: load, catalogue, size, colours,
// variant, single or double stitch, save.
void makeAndSaveInWindow(Form1& f, const QString& picture, int catalogue, int width, int height, int colours,
    bool variant, bool doubleStitch, const QString& out)
{
    const QFileInfo info(picture);
    f.Dir1Path = info.absolutePath();
    f.Dir1_Change();
    f.File1->setCurrentItem(f.File1->findItems(info.fileName(), Qt::MatchExactly).value(0));
    f.File1_DblClick();
    f.Option1[std::size_t(catalogue)]->setChecked(true);
    const int side = width ? width : height;
    if (side > 100) {
        (width ? f.VScroll4 : f.VScroll5)->setValue(side * 3);
    } else if (side > 0) {
        (width ? f.Text4 : f.Text5)->setText(QString::number(side));
        int key = 13;
        width ? f.Text4_KeyPress(key) : f.Text5_KeyPress(key);
    }
    if (colours) {
        f.Text1->setText(QString::number(colours));
        int key = 13;
        f.Text1_KeyPress(key);
    }
    setCheckValue(f.Check9, variant ? 1 : 0);
    doubleStitch ? f.Command5_Click() : f.Command1_Click();
    f.Dir1Path = out;
    f.Command7_Click();
}
} // namespace

class TestCli : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(QFileInfo(cliPath()).isExecutable(), "puntela-cli is not built beside the tests"); }

    void sameFilesAsTheWindow_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("catalogue");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("colours");
        QTest::addColumn<bool>("variant");
        QTest::addColumn<bool>("doubleStitch");
        QTest::newRow("defaults") << QStringList() << 2 << 0 << 0 << 0 << false << false;
        QTest::newRow("double stitch, 60 wide, 20 colours, Media")
            << QStringList { "--double", "--width", "60", "--colours", "20", "--catalogue", "media" } << 1 << 60 << 0
            << 20 << false << true;
        QTest::newRow("colour options given as off")
            << QStringList { "--match", "exact", "--dither", "0" } << 2 << 0 << 0 << 0 << false << false;
        QTest::newRow("160 high through the spinner, other grouping, Completa")
            << QStringList { "--height", "160", "--variant", "--catalogue", "completa" } << 3 << 0 << 160 << 0 << true
            << false;
    }
    void sameFilesAsTheWindow()
    {
        QFETCH(QStringList, args);
        QFETCH(int, catalogue);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, colours);
        QFETCH(bool, variant);
        QFETCH(bool, doubleStitch);
        WorkFolder folder;
        const QString picture = savePicture(folder, QStringLiteral("dibujo.bmp"), gradientPicture(180, 120));
        const QString byWindow = folder.file(QStringLiteral("ventana"));
        const QString byCli = folder.file(QStringLiteral("cli"));
        QVERIFY(QDir().mkpath(byWindow));
        {
            ScriptedDialogs answers;
            auto f = startedForm();
            makeAndSaveInWindow(*f, picture, catalogue, width, height, colours, variant, doubleStitch, byWindow);
            QCOMPARE(answers.countTitled(QStringLiteral("Error")), 0);
        }
        const Run r = runCli(QStringList { picture, QStringLiteral("--out"), byCli } + args);
        QVERIFY2(r.code == 0, qPrintable(r.err));
        const QStringList files = QDir(byWindow).entryList(QDir::Files, QDir::Name);
        QVERIFY(files.size() >= 6);
        QCOMPARE(QDir(byCli).entryList(QDir::Files, QDir::Name), files);
        for (const QString& name : files) {
            QFile a(byWindow + QLatin1Char('/') + name), b(byCli + QLatin1Char('/') + name);
            QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
            QVERIFY2(a.readAll() == b.readAll(), qPrintable(name));
        }
    }

    void pdfOfBothPasses()
    {
        WorkFolder folder;
        const QString picture = savePicture(folder, QStringLiteral("dibujo.bmp"), gradientPicture(150, 100));
        const QString pdf = folder.file(QStringLiteral("patron.pdf"));
        const Run r = runCli(
            { picture, QStringLiteral("--out"), folder.file(QStringLiteral("cli")), QStringLiteral("--pdf"), pdf });
        QVERIFY2(r.code == 0, qPrintable(r.err));
        // 100 x 66 stitches: two sheets and the key, in colour and in black and white
        QCOMPARE(pdfPages(pdf), 6);
        QVERIFY(r.out.contains(QStringLiteral("Leyendo colores...")));
    }

    void patternFileInAndOut()
    {
        WorkFolder folder;
        const QString picture = savePicture(folder, QStringLiteral("dibujo.bmp"), gradientPicture(150, 100));
        const QString oxs = folder.file(QStringLiteral("dibujo.oxs"));
        const QString fromPicture = folder.file(QStringLiteral("imagen")),
                      fromPattern = folder.file(QStringLiteral("oxs"));
        Run r = runCli({ picture, QStringLiteral("--out"), fromPicture, QStringLiteral("--width"), QStringLiteral("40"),
            QStringLiteral("--oxs"), oxs });
        QVERIFY2(r.code == 0, qPrintable(r.err));
        // the pattern file given where a picture goes: its files, without matching anew
        r = runCli({ oxs, QStringLiteral("--out"), fromPattern });
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QVERIFY(!r.out.contains(QStringLiteral("Leyendo colores")));
        const QStringList files = QDir(fromPicture).entryList(QDir::Files, QDir::Name);
        QCOMPARE(QDir(fromPattern).entryList(QDir::Files, QDir::Name), files);
        for (const QString& name : files) {
            QFile a(fromPicture + QLatin1Char('/') + name), b(fromPattern + QLatin1Char('/') + name);
            QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
            QVERIFY2(a.readAll() == b.readAll(), qPrintable(name));
        }
        r = runCli({ oxs, QStringLiteral("--out"), fromPattern, QStringLiteral("--colours"), QStringLiteral("20") });
        QCOMPARE(r.code, 2);
        QVERIFY2(r.err.contains(QStringLiteral("--colours")), qPrintable(r.err));
    }

    // A thread only the backstitch uses is one of the colours the pattern line tells.
    void patternLineCountsBackstitchThreads()
    {
        WorkFolder folder;
        const QString oxs = folder.file(QStringLiteral("contorno.oxs"));
        QFile file(oxs);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<chart>\n"
                   "<properties oxsversion=\"1.0\" chartwidth=\"2\" chartheight=\"2\" palettecount=\"3\"/>\n"
                   "<palette><palette_item index=\"0\" number=\"cloth\" color=\"FFFFFF\"/>"
                   "<palette_item index=\"1\" number=\"DMC 817\" color=\"BB051F\"/>"
                   "<palette_item index=\"2\" number=\"DMC 700\" color=\"07731B\"/>"
                   "<palette_item index=\"3\" number=\"DMC 310\" color=\"000000\"/></palette>\n"
                   "<fullstitches><stitch x=\"0\" y=\"0\" palindex=\"1\"/><stitch x=\"1\" y=\"0\" palindex=\"1\"/>"
                   "<stitch x=\"0\" y=\"1\" palindex=\"2\"/><stitch x=\"1\" y=\"1\" palindex=\"2\"/></fullstitches>\n"
                   "<backstitches><backstitch x1=\"0\" y1=\"0\" x2=\"2\" y2=\"2\" palindex=\"3\" "
                   "objecttype=\"backstitch\" sequence=\"0\"/></backstitches>\n</chart>\n");
        file.close();
        const Run r = runCli({ oxs, QStringLiteral("--threads-csv"), folder.file(QStringLiteral("hilos.csv")) });
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QVERIFY2(r.out.contains(QStringLiteral("Patrón de 2 x 2 puntos, 3 colores")), qPrintable(r.out));
    }

    // A red disc on a flat grey ground: the ground becomes cloth of the colour given, the disc stays.
    void removeBackgroundLeavesCloth()
    {
        WorkFolder folder;
        QImage disc(120, 80, QImage::Format_RGB32);
        disc.fill(qRgb(190, 190, 190));
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < 120; ++x)
                if ((x - 60) * (x - 60) + (y - 40) * (y - 40) < 25 * 25)
                    disc.setPixel(x, y, qRgb(200, 30, 40));
        const QString picture = savePicture(folder, QStringLiteral("disco.bmp"), disc);
        const QString oxs = folder.file(QStringLiteral("disco.oxs"));
        const Run r
            = runCli({ picture, "--width", "60", "--oxs", oxs, "--remove-background", "5", "--cloth", "F0E8D0" });
        QVERIFY2(r.code == 0, qPrintable(r.err));
        const QString text = QString::fromUtf8(fileContents(oxs));
        QVERIFY(text.contains(QStringLiteral("number=\"cloth\" name=\"cloth\" color=\"F0E8D0\"")));
        // 60 x 40 stitches: the corners and the edges are cloth, the disc's middle is stitched
        for (const char* cell : { "x=\"0\" y=\"0\"", "x=\"59\" y=\"39\"", "x=\"30\" y=\"0\"", "x=\"0\" y=\"20\"" })
            QVERIFY2(!text.contains(QLatin1String("<stitch ") + QLatin1String(cell)), cell);
        QVERIFY(text.contains(QStringLiteral("<stitch x=\"30\" y=\"20\"")));
        // the disc's stitches only, about pi x 12.5 x 12.5 of them
        const int stitches = int(text.count(QStringLiteral("<stitch ")));
        QVERIFY2(stitches > 400 && stitches < 600, qPrintable(QString::number(stitches)));
    }

    void colourOptions_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::newRow("unknown matching") << QStringList { "--match", "ojo" } << 2;
        QTest::newRow("dither between the steps") << QStringList { "--dither", "30" } << 2;
        QTest::newRow("merging past 100") << QStringList { "--merge-rare", "101" } << 2;
        QTest::newRow("clean-up of 0") << QStringList { "--clean", "0" } << 2;
        QTest::newRow("report in a missing folder") << QStringList { "--report", "%d/no_hay/calidad.json" } << 1;
        QTest::newRow("every option and the report") << QStringList { "--match", "perceptual", "--dither", "25",
            "--merge-rare", "3", "--clean", "2", "--report", "%d/calidad.json" }
                                                     << 0;
        QTest::newRow("faithful colours, 12 at most, and the report")
            << QStringList { "--faithful", "--colours", "12", "--report", "%d/calidad.json" } << 0;
    }
    void colourOptions()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        WorkFolder folder;
        const QString picture = savePicture(folder, QStringLiteral("dibujo.bmp"), gradientPicture(60, 40));
        for (QString& a : args)
            a.replace(QStringLiteral("%d"), folder.path());
        const Run r = runCli(
            QStringList { picture, QStringLiteral("--out"), folder.file(QStringLiteral("cli")), "--width", "60" }
            + args);
        QVERIFY2(r.code == code, qPrintable(r.err));
        const QString report = args.last();
        if (!report.endsWith(QLatin1String(".json")))
            return;
        QFile f(report);
        QCOMPARE(f.exists(), code == 0);
        if (code == 0) {
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QJsonObject root = QJsonDocument::fromJson(f.readAll()).object();
            QCOMPARE(root.value(QStringLiteral("puntos")).toInt(), 60 * 40);
            QVERIFY(!root.value(QStringLiteral("hilos")).toArray().isEmpty());
            QVERIFY(root.value(QStringLiteral("hilos")).toArray().size() <= 12 || !args.contains("--faithful"));
            QCOMPARE(root.value(QStringLiteral("referencia")).toString(), qualityReference());
        }
    }

    void badInput_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing picture") << QStringList { "%d/no_hay.bmp", "--out", "%d/cli" }
                                         << "no se encuentra la imagen";
        QTest::newRow("unknown catalogue")
            << QStringList { "%p", "--out", "%d/cli", "--catalogue", "enorme" } << "Catálogo desconocido";
        QTest::newRow("width past the stitch grid")
            << QStringList { "%p", "--out", "%d/cli", "--width", "1300" } << "Tamaño imposible";
        QTest::newRow("height past the spinner")
            << QStringList { "%p", "--out", "%d/cli", "--height", "4000" } << "Tamaño imposible";
        // three pixels a stitch would overflow a 32-bit number
        QTest::newRow("width whose pixels overflow")
            << QStringList { "%p", "--out", "%d/cli", "--width", "1431655966" } << "Tamaño imposible";
        QTest::newRow("width too small") << QStringList { "%p", "--out", "%d/cli", "--width", "3" } << "--width";
        QTest::newRow("folder under a file")
            << QStringList { "%p", "--out", "%d/archivo/sub" } << "no se puede crear la carpeta";
        QTest::newRow("file in the way of the first picture")
            << QStringList { "%p", "--out", "%d/ocupada" } << "bordado_i.bmp";
        QTest::newRow("not a picture") << QStringList { "%d/roto.bmp", "--out", "%d/cli" } << "roto.bmp";
        QTest::newRow("no folder given") << QStringList { "%p" } << "--out";
        QTest::newRow("thread list into a missing folder")
            << QStringList { "%p", "--threads-csv", "%d/no_hay/hilos.csv" } << "hilos.csv";
        QTest::newRow("background tolerance past 30")
            << QStringList { "%p", "--out", "%d/cli", "--remove-background", "31" } << "--remove-background";
        QTest::newRow("cloth not a colour")
            << QStringList { "%p", "--out", "%d/cli", "--cloth", "blanco" } << "--cloth";
    }
    // The chart and the thread list alone, on Letter, 4 mm cells, 28-count evenweave (14 stitches
    // an inch), 3 strands, two rows and columns repeated and symbols only; the cover says so.
    void chartPdfAndThreads()
    {
        WorkFolder folder;
        const QString picture = savePicture(folder, QStringLiteral("dibujo.bmp"), gradientPicture(150, 100));
        const QString pdf = folder.file(QStringLiteral("dibujo.pdf")), csv = folder.file(QStringLiteral("hilos.csv"));
        const Run r = runCli({ picture, "--chart-pdf", pdf, "--threads-csv", csv, "--fabric", "28", "--strands", "3",
            "--paper", "letter", "--cell-mm", "4", "--colours", "20", "--overlap", "2", "--bw-chart" });
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), { pdf });
        QVERIFY(info.waitForFinished());
        // 100 x 66 stitches in 40 x 60-stitch pages: the cover, 3 x 2 chart pages and one page of key
        const QString text = QString::fromUtf8(info.readAllStandardOutput());
        QVERIFY2(text.contains(QStringLiteral("(letter)")), qPrintable(text));
        QCOMPARE(pdfPages(pdf), 8);
        QProcess cover;
        cover.start(QStringLiteral("pdftotext"), { "-l", "1", pdf, "-" });
        QVERIFY(cover.waitForFinished());
        QVERIFY(QString::fromUtf8(cover.readAllStandardOutput()).contains("Lino 28 (sobre dos hilos), 3 hebras"));
        QFile file(csv);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.value(0), QStringLiteral("number,name,stitches,metres,skeins"));
        long total = 0;
        for (const QString& line : lines.mid(1)) {
            const QStringList f = line.split(QLatin1Char(','));
            const long stitches = f.value(f.size() - 3).toLong();
            total += stitches;
            const double metres = stitches * 4.828427 * 25.4 / 14 * 3 * 1.2 / 1000;
            QCOMPARE(f.value(f.size() - 2), QString::number(metres, 'f', 2));
        }
        QCOMPARE(total, 100L * 66);
        // the colour count told is the threads the pattern uses, not the 20 asked
        QVERIFY2(r.out.contains(QStringLiteral("Patrón de 100 x 66 puntos, %1 colores").arg(lines.size() - 1)),
            qPrintable(r.out));
    }

    // "Guardar CSV…" of "Lista de hilos" writes the very file of --threads-csv.
    void threadListCsvAsTheBatchWrites()
    {
        WorkFolder folder;
        const QString picture = savePicture(folder, QStringLiteral("dibujo.bmp"), gradientPicture(150, 100));
        const QString byList = folder.file(QStringLiteral("lista.csv")), byCli = folder.file(QStringLiteral("cli.csv"));
        QVERIFY(QDir().mkpath(folder.file(QStringLiteral("ventana"))));
        {
            ScriptedDialogs answers;
            answers.fileAnswers = { byList };
            auto f = startedForm();
            makeAndSaveInWindow(*f, picture, 2, 0, 0, 0, false, false, folder.file(QStringLiteral("ventana")));
            QTimer poll;
            poll.setInterval(10);
            connect(&poll, &QTimer::timeout, this, [] {
                if (auto* d = qobject_cast<ThreadListDialog*>(QApplication::activeModalWidget())) {
                    d->setFabric(3);
                    d->setStrands(3);
                    d->saveCsvClick();
                    d->reject();
                }
            });
            poll.start();
            f->threadListButton->click();
            QCOMPARE(answers.countTitled(QStringLiteral("Error")), 0);
        }
        const Run r = runCli({ picture, "--threads-csv", byCli, "--fabric", "18", "--strands", "3" });
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QFile a(byList), b(byCli);
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        const QByteArray list = a.readAll();
        QVERIFY(list.count('\n') > 3);
        QCOMPARE(list, b.readAll());
    }

    // Values the chart options do not take are a usage error, and nothing is written.
    void chartOptionsChecked_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("fabric of no known count") << QStringList { "--fabric", "15" };
        QTest::newRow("seven strands") << QStringList { "--strands", "7" };
        QTest::newRow("A3 paper") << QStringList { "--paper", "a3" };
        QTest::newRow("cells under 2 mm") << QStringList { "--cell-mm", "1.5" };
        QTest::newRow("cell size not a number") << QStringList { "--cell-mm", "grande" };
        QTest::newRow("overlap past five") << QStringList { "--overlap", "6" };
    }
    void chartOptionsChecked()
    {
        QFETCH(QStringList, args);
        WorkFolder folder;
        const QString picture = savePicture(folder, QStringLiteral("dibujo.bmp"), gradientPicture(20, 20));
        const QString pdf = folder.file(QStringLiteral("dibujo.pdf"));
        const Run r = runCli(QStringList { picture, QStringLiteral("--chart-pdf"), pdf } + args);
        QCOMPARE(r.code, 2);
        QVERIFY2(r.err.contains(args.first()), qPrintable(r.err));
        QVERIFY(!QFileInfo::exists(pdf));
    }

    // An output cut short, by the file size limit taking part of the last write or by a disk
    // without room: the command fails naming the file, the earlier file stays as it was and
    // nothing cut is left beside it.
    void cutOutput_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<bool>("fullDisk"); // else the file size limit
        for (const char* option : { "--pdf", "--chart-pdf", "--threads-csv", "--oxs", "--report" })
            QTest::addRow("%s, full disk", option) << option << true;
        // the catalogues copied at the start are under 8 KB: only larger outputs can be cut alone
        for (const char* option : { "--pdf", "--chart-pdf", "--oxs" })
            QTest::addRow("%s, file size limit", option) << option << false;
    }
    void cutOutput()
    {
        QFETCH(QString, option);
        QFETCH(bool, fullDisk);
        if (fullDisk && m_disk.path().isEmpty())
            QSKIP("no small file system could be mounted here (mounting a tmpfs needs root)");
        WorkFolder folder;
        const QString picture = savePicture(folder, QStringLiteral("dibujo.bmp"), gradientPicture(150, 100));
        const QString outputs = fullDisk ? m_disk.path() : folder.file(QStringLiteral("salidas"));
        QVERIFY(QDir().mkpath(outputs));
        const QString file = outputs + QStringLiteral("/salida");
        QStringList args { picture, option, file };
        if (option == QLatin1String("--pdf")) // which needs another output beside it
            args << QStringLiteral("--report") << folder.file(QStringLiteral("calidad.json"));
        Run r = runCli(args);
        QVERIFY2(r.code == 0, qPrintable(r.err));
        const QByteArray earlier = fileContents(file);
        qint64 limit = 0;
        if (fullDisk)
            QVERIFY(m_disk.fillLeaving(earlier.size() / 2 / 4096 * 4096));
        else
            limit = earlier.size() - 1;
        r = runCli(args, limit);
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(QStringLiteral("\"%1\"").arg(file)), qPrintable(r.err));
        QVERIFY(fileContents(file) == earlier);
        QStringList left = QDir(outputs).entryList(QDir::Files | QDir::Hidden, QDir::Name);
        left.removeOne(QStringLiteral("relleno"));
        QCOMPARE(left, QStringList { "salida" });
        QFile::remove(file);
        QFile::remove(outputs + QStringLiteral("/relleno"));
    }

    // A second run into the same folder leaves only its own set of pictures there (a smaller
    // chart after a larger one), and other files alone. Names that start with a dash: the picture
    // given after "--", the end of the options, and a folder named as an option of Qt's.
    void secondSetReplacesTheFirst()
    {
        WorkFolder folder;
        const QString picture = savePicture(folder, QStringLiteral("-raya.bmp"), gradientPicture(150, 100));
        const QString out = folder.file(QStringLiteral("-platform"));
        Run r = runCli({ "--out", out, "--width", "150", "--", picture });
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QVERIFY(QDir(out).entryList(QDir::Files).size() > 6);
        QFile notes(out + QStringLiteral("/notas.txt"));
        QVERIFY(notes.open(QIODevice::WriteOnly));
        notes.close();
        r = runCli({ "--out", "-platform", "--width", "40", "--", "-raya.bmp" });
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QStringList expected = savedFileNames(1, 1) << QStringLiteral("notas.txt");
        expected.sort();
        QCOMPARE(QDir(out).entryList(QDir::Files | QDir::Hidden | QDir::AllDirs | QDir::NoDotAndDotDot, QDir::Name),
            expected);
    }

    void badInput()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        WorkFolder folder;
        const QString picture = savePicture(folder, QStringLiteral("dibujo.bmp"), gradientPicture(150, 100));
        QFile plain(folder.file(QStringLiteral("archivo")));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        QVERIFY(QDir().mkpath(folder.file(QStringLiteral("ocupada/bordado_i.bmp"))));
        QFile broken(folder.file(QStringLiteral("roto.bmp")));
        QVERIFY(broken.open(QIODevice::WriteOnly) && broken.write("no soy una imagen") > 0);
        broken.close();
        for (QString& a : args)
            a.replace(QStringLiteral("%d"), folder.path()).replace(QStringLiteral("%p"), picture);
        const Run r = runCli(args);
        QVERIFY2(r.code > 0, qPrintable(QString::number(r.code)));
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(!QFileInfo::exists(folder.file(QStringLiteral("cli/bordado_i.bmp"))));
    }

private:
    SmallDisk m_disk { 8 };
};

QTEST_MAIN(TestCli)
#include "tst_cli.moc"
