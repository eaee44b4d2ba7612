// Files written whole or not at all: when the disk fills up or the file size limit cuts the last
// write short, every writer reports the failure, leaves no file cut short and keeps the earlier
// file of the same name.
#include "app/printer_qt.h"
#include "output/bmp_file.h"
#include "output/pdf_pages.h"
#include "surface/whole_file.h"
#include "views/undo_file.h"

#include "test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

namespace {
// A picture whose BMP takes about `megabytes`.
QImage noisy(int megabytes)
{
    const int side = int(std::sqrt(megabytes * 1024.0 * 1024.0 / 3));
    QImage im(side, side, QImage::Format_RGB32);
    quint32 v = 12345;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            v = v * 1664525u + 1013904223u;
            im.setPixel(x, y, 0xff000000u | (v >> 8));
        }
    return im;
}

QString writeText(const QString& path, int bytes)
{
    const QByteArray text(bytes, 'x');
    return writeWhole(path, [&](QIODevice& d) { return d.write(text) == text.size(); });
}

// Writes one file of the kind the row names: a small one that fits, or a large one that does
// not fit in the room a row leaves.
QString write(const QString& kind, const QString& path, bool large)
{
    if (kind == QLatin1String("BMP"))
        return writeBmp(noisy(large ? 3 : 1), path);
    if (kind == QLatin1String("printed PDF"))
        return printPagesToPdf({ noisy(large ? 3 : 1) }, path);
    if (kind == QLatin1String("PDF pages")) {
        PdfPages pdf(path);
        if (pdf.begin())
            pdf.addPage(noisy(large ? 3 : 1));
        pdf.end();
        return pdf.error();
    }
    if (kind == QLatin1String("text"))
        return writeText(path, large ? 4129 : 1000);
    if (kind == QLatin1String("appended")) {
        if (!large)
            return writeText(path, 3000);
        const QByteArray line(2000, 'y');
        return appendWhole(path, [&](QIODevice& d) { return d.write(line) == line.size(); });
    }
    SwapRecord record;
    for (int i = 0; i < (large ? 20000 : 100); ++i)
        record.stitches.push_back({ i % 1000, i / 1000 });
    return writeUndoFile(path, record);
}

// Holds every file this process writes to `bytes`, a write crossing it taken only in part, as
// long as it lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(qint64 bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_previous);
        const rlimit limit { rlim_t(bytes), m_previous.rlim_max };
        m_set = setrlimit(RLIMIT_FSIZE, &limit) == 0;
        m_signal = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_signal);
    }
    bool isSet() const { return m_set; }

private:
    rlimit m_previous {};
    bool m_set = false;
    void (*m_signal)(int) = nullptr;
};

} // namespace

class TestWholeFile : public QObject {
    Q_OBJECT
private slots:
    void cutShort_data();
    void cutShort();
    void pdfComplete_data();
    void pdfComplete();

private:
    QTemporaryDir m_dir;
    SmallDisk m_disk { 8 };
};

void TestWholeFile::cutShort_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("fullDisk"); // else the file size limit
    QTest::addColumn<qint64>("room");
    const struct {
        const char* kind;
        qint64 room;
    } kinds[] = { { "BMP", 2 << 20 }, { "printed PDF", 2 << 20 }, { "PDF pages", 2 << 20 },
        // 4,129 bytes stay in the buffer until the file is closed: the last write is cut
        { "text", 4096 }, { "appended", 4096 }, { "undo record", 64 << 10 } };
    for (const auto& k : kinds) {
        QTest::addRow("%s, full disk", k.kind) << k.kind << true << k.room;
        QTest::addRow("%s, file size limit", k.kind) << k.kind << false << k.room;
    }
}

void TestWholeFile::cutShort()
{
    QFETCH(QString, kind);
    QFETCH(bool, fullDisk);
    QFETCH(qint64, room);
    if (fullDisk && m_disk.path().isEmpty())
        QSKIP("no small file system could be mounted here (mounting a tmpfs needs root)");
    const QString folder = fullDisk ? m_disk.path() : m_dir.filePath(QStringLiteral("limite"));
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/patron");

    QCOMPARE(write(kind, path, false), QString());
    const QByteArray earlier = fileContents(path);
    QVERIFY(!earlier.isEmpty());
    QString failure;
    if (fullDisk) {
        QVERIFY(m_disk.fillLeaving(room));
        failure = write(kind, path, true);
    } else {
        FileSizeLimit limit(room);
        QVERIFY(limit.isSet());
        failure = write(kind, path, true);
    }
    QVERIFY2(failure.contains(QStringLiteral("\"%1\"").arg(path)), qPrintable(failure));
    QVERIFY(fileContents(path) == earlier);
    // nothing half-written is left beside it
    const QStringList left = fullDisk ? QStringList { "patron", "relleno" } : QStringList { "patron" };
    QCOMPARE(QDir(folder).entryList(QDir::Files, QDir::Name), left);
    QFile::remove(path);
    QFile::remove(folder + QStringLiteral("/relleno"));
}

void TestWholeFile::pdfComplete_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("complete");
    const QByteArray pdf = "%PDF-1.4\n1 0 obj\n<< >>\nendobj\ntrailer\n<< >>\n%%EOF\n";
    QTest::newRow("whole, with a final line end") << pdf << true;
    QTest::newRow("cut before its end marker") << pdf.left(pdf.size() - 7) << false;
    QTest::newRow("not a PDF") << QByteArray("GIF89a").append(pdf) << false;
}

void TestWholeFile::pdfComplete()
{
    QFETCH(QByteArray, data);
    QFETCH(bool, complete);
    const QString path = m_dir.filePath(QStringLiteral("prueba.pdf"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(data);
    f.close();
    QCOMPARE(::pdfComplete(path), complete);
}

QTEST_MAIN(TestWholeFile)
#include "tst_whole_file.moc"
