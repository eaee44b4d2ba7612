// Decoding in the helper process: the same pictures as decoding in place, and files that crash
// it, outlast its limits or are damaged refused with a message while the caller's events go on.
#include "image/decode_apart.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {
QString samplePath(const QString& name) { return QStringLiteral(PUNTELA_SAMPLES_DIR "/") + name; }

constexpr qint64 kMetafileMemory = 1536LL * 1024 * 1024;
} // namespace

class TestDecodeApart : public QObject {
    Q_OBJECT
private slots:
    void sameAsInPlace_data();
    void sameAsInPlace();
    void refused_data();
    void refused();
    void memoryLimit();
    void busyMachineStillHeard();
};

void TestDecodeApart::sameAsInPlace_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("WMF") << "hand.wmf";
    QTest::newRow("EMF") << "hand.emf";
    QTest::newRow("BMP") << "base16x8.bmp";
    QTest::newRow("JPEG") << "base16x8.jpg";
}

void TestDecodeApart::sameAsInPlace()
{
    QFETCH(QString, file);
    const PictureResult apart = loadPictureApart(samplePath(file));
    const PictureResult inPlace = loadPictureFile(samplePath(file));
    QVERIFY2(apart.ok(), qPrintable(apart.error));
    QCOMPARE(apart.image, inPlace.image);
}

void TestDecodeApart::refused_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("helper"); // "real", "crashing" or "missing"
    QTest::addColumn<int>("cpuSeconds");
    QTest::addColumn<int>("waitMillis");
    QTest::addColumn<QString>("reason");

    QTest::newRow("WMF drawing past the wait") << "slow.wmf"
                                               << "real" << 60 << 1500 << "tarda demasiado";
    QTest::newRow("EMF drawing past the wait") << "slow.emf"
                                               << "real" << 60 << 1500 << "tarda demasiado";
    QTest::newRow("WMF past its processor time") << "slow.wmf"
                                                 << "real" << 1 << 60000 << "tarda demasiado";
    QTest::newRow("helper that crashes") << "hand.wmf"
                                         << "crashing" << 10 << 10000 << "está dañado";
    QTest::newRow("no helper beside the program") << "hand.wmf"
                                                  << "missing" << 10 << 10000 << "falta el programa";
    QTest::newRow("damaged file, told by the helper") << "big_record.wmf"
                                                      << "real" << 10 << 10000 << "está dañado";
}

void TestDecodeApart::refused()
{
    QFETCH(QString, file);
    QFETCH(QString, helper);
    QFETCH(int, cpuSeconds);
    QFETCH(int, waitMillis);
    QFETCH(QString, reason);

    QTemporaryDir dir;
    QString program = decodeHelperPath();
    if (helper == QLatin1String("crashing")) {
        // a helper that dies of a segmentation fault before answering
        program = dir.filePath(QStringLiteral("crash"));
        QFile script(program);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nkill -SEGV $$\n");
        script.close();
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    } else if (helper == QLatin1String("missing")) {
        program = dir.filePath(QStringLiteral("puntela-decode"));
    }

    // the caller's timers (and so its repainting) keep running while it waits
    QElapsedTimer clock;
    clock.start();
    qint64 lastTick = 0;
    qint64 longestGap = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, this, [&] {
        longestGap = qMax(longestGap, clock.elapsed() - lastTick);
        lastTick = clock.elapsed();
    });
    ticker.start(20);
    const PictureResult result
        = loadPictureApart(samplePath(file), program, { kMetafileMemory, cpuSeconds, waitMillis });
    ticker.stop();
    const qint64 took = clock.elapsed();

    QVERIFY(result.image.isNull());
    QVERIFY2(result.error.startsWith(QStringLiteral("No se puede leer la imagen \"%1\": ").arg(file)),
        qPrintable(result.error));
    QVERIFY2(result.error.contains(reason), qPrintable(result.error));
    if (took > 500) {
        qInfo("%s: refused after %lld ms, longest pause of the caller's timer %lld ms", qPrintable(file), took,
            longestGap);
        QVERIFY2(longestGap < 500, qPrintable(QString::number(longestGap)));
    }
}

// A 9000 x 9000 one-bit PNG of a few kilobytes needs 324 MB once decoded: beyond an address
// space of 256 MB, which still decodes a small picture.
void TestDecodeApart::memoryLimit()
{
    QTemporaryDir dir;
    QImage mono(9000, 9000, QImage::Format_Mono);
    mono.fill(0);
    const QString big = dir.filePath(QStringLiteral("grande.png"));
    QVERIFY(mono.save(big, "png"));
    const DecodeLimits limits { 256LL * 1024 * 1024, 10, 20000 };

    QVERIFY2(loadPictureApart(samplePath(QStringLiteral("hand.wmf")), decodeHelperPath(), limits).ok(),
        "a small picture must decode within the limit");
    const PictureResult result = loadPictureApart(big, decodeHelperPath(), limits);
    QVERIFY(result.image.isNull());
    QVERIFY2(result.error.startsWith(QStringLiteral("No se puede leer la imagen \"grande.png\": ")),
        qPrintable(result.error));
}

// A helper that gets the processor late, as on a busy machine, answers past its processor time
// in wall-clock time: what bounds it is the processor time, and its answer is still heard.
void TestDecodeApart::busyMachineStillHeard()
{
    QTemporaryDir dir;
    const QString program = dir.filePath(QStringLiteral("busy"));
    QFile script(program);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nsleep 2\nexec '" + QFile::encodeName(decodeHelperPath()) + "' \"$@\"\n");
    script.close();
    script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    const PictureResult result
        = loadPictureApart(samplePath(QStringLiteral("hand.wmf")), program, decodeLimits(kMetafileMemory, 1));
    QVERIFY2(result.ok(), qPrintable(result.error));
}

QTEST_MAIN(TestDecodeApart)
#include "tst_decode_apart.moc"
