// Files written whole or not at all: on a full disk a BMP or a PDF save reports the failure,
// leaves no file cut short and keeps the earlier file of the same name.
#include "app/printer_qt.h"
#include "output/bmp_file.h"
#include "output/whole_file.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    return p.waitForFinished(10000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

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
} // namespace

class TestWholeFile : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void fullDisk_data();
    void fullDisk();
    void pdfComplete_data();
    void pdfComplete();

private:
    QTemporaryDir m_dir;
    QString m_disk; // a 2 MB file system, empty when none could be mounted
};

void TestWholeFile::initTestCase()
{
    const QString mountPoint = m_dir.filePath(QStringLiteral("disk"));
    QDir().mkpath(mountPoint);
    if (run(QStringLiteral("mount"), { "-t", "tmpfs", "-o", "size=2m", "tmpfs", mountPoint }))
        m_disk = mountPoint;
}

void TestWholeFile::cleanupTestCase()
{
    if (!m_disk.isEmpty())
        run(QStringLiteral("umount"), { m_disk });
}

void TestWholeFile::fullDisk_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("BMP") << "bmp";
    QTest::newRow("PDF") << "pdf";
}

void TestWholeFile::fullDisk()
{
    QFETCH(QString, kind);
    if (m_disk.isEmpty())
        QSKIP("no small file system could be mounted here (mounting a tmpfs needs root)");
    const QString path = m_disk + QStringLiteral("/patron.") + kind;
    const QImage small = noisy(1);
    const QImage big = noisy(3);
    const auto save = [&](const QImage& picture) {
        return kind == QLatin1String("bmp") ? writeBmp(picture, path) : printPagesToPdf({ picture }, path);
    };

    QCOMPARE(save(small), QString());
    const QByteArray earlier = contents(path);
    QVERIFY(earlier.size() > 500000);

    const QString failure = save(big);
    QVERIFY2(failure.startsWith(QStringLiteral("No se ha podido guardar el archivo \"%1\".").arg(path)),
        qPrintable(failure));
    QCOMPARE(contents(path), earlier);
    // nothing half-written is left beside it
    QCOMPARE(QDir(m_disk).entryList(QDir::Files), QStringList { QStringLiteral("patron.") + kind });
    QFile::remove(path);
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
