#include "image/decode_apart.h"

#include "image/metafile.h"
#include "surface/fresh_memory.h"
#include "surface/surface.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTimer>
#include <QtEndian>

#include <csignal>
#include <sys/resource.h>

#ifndef PUNTELA_HELPER_FROM_BIN
#define PUNTELA_HELPER_FROM_BIN "../libexec/puntela"
#endif

namespace {
constexpr char kMagic[] = "PNTD";
constexpr qint64 kHeadBytes = 13; // magic, kind, two 32-bit numbers
constexpr char kImage = 0;
constexpr char kMessage = 1;
constexpr qint64 kLongestMessage = 65536;
constexpr qint64 kMegabyte = 1024 * 1024;
// How much of a file tells its kind: an EMF's signature stands at offset 40.
constexpr qint64 kHeadOfFile = 44;

QString readFailure(const QString& name, const QString& reason)
{
    return QStringLiteral("No se puede leer la imagen \"%1\": %2").arg(name, reason);
}

// Reads the helper's answer as it arrives: a picture straight into its image, or a message.
class AnswerReader {
public:
    // Takes what the device has ready; false when the answer is malformed.
    bool feed(QIODevice& in)
    {
        if (m_head.size() < kHeadBytes) {
            m_head += in.read(kHeadBytes - m_head.size());
            if (m_head.size() < kHeadBytes)
                return true;
            if (!startBody())
                return false;
        }
        if (m_kind == kImage) {
            const qint64 wanted = m_image.sizeInBytes() - m_filled;
            const qint64 got = wanted > 0 ? in.read(reinterpret_cast<char*>(m_image.bits()) + m_filled, wanted) : 0;
            if (got < 0)
                return false;
            m_filled += got;
        } else {
            m_message += in.read(m_length - m_message.size());
        }
        return in.bytesAvailable() == 0 || complete();
    }
    bool complete() const
    {
        if (m_head.size() < kHeadBytes)
            return false;
        return m_kind == kImage ? m_filled == m_image.sizeInBytes() : m_message.size() == m_length;
    }
    bool noMemory() const { return m_noMemory; }
    PictureResult result() const
    {
        if (m_kind == kImage)
            return { m_image, {} };
        return { {}, QString::fromUtf8(m_message) };
    }

private:
    bool startBody()
    {
        if (!m_head.startsWith(kMagic))
            return false;
        m_kind = m_head.at(4);
        const quint32 first = qFromLittleEndian<quint32>(m_head.constData() + 5);
        const quint32 second = qFromLittleEndian<quint32>(m_head.constData() + 9);
        if (m_kind == kMessage) {
            m_length = first;
            return m_length > 0 && m_length <= kLongestMessage;
        }
        if (m_kind != kImage || checkDeclaredSize(first, second) != DecodeOutcome::None)
            return false;
        m_image = freshPicture(int(first), int(second));
        m_noMemory = m_image.isNull();
        // the resolution the surfaces give a picture: taking it on needs no copy
        m_image.setDotsPerMeterX(kDotsPerMeter96);
        m_image.setDotsPerMeterY(kDotsPerMeter96);
        return !m_noMemory && m_image.bytesPerLine() == qsizetype(first) * 4;
    }

    QByteArray m_head;
    char m_kind = kMessage;
    QImage m_image;
    qint64 m_filled = 0;
    QByteArray m_message;
    qint64 m_length = 0;
    bool m_noMemory = false;
};

QByteArray headOf(const QString& path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return {};
    return file.read(kHeadOfFile);
}

bool writeAll(QIODevice& out, const char* data, qint64 length)
{
    while (length > 0) {
        const qint64 written = out.write(data, length);
        if (written <= 0)
            return false;
        data += written;
        length -= written;
    }
    return true;
}
} // namespace

DecodeLimits decodeLimitsFor(const QByteArray& head)
{
    // an EMF's signature may lie past a short head: a short file is checked as a metafile
    const bool metafile = isWmf(head) || isEmf(head) || head.size() < kHeadOfFile;
    return metafile ? decodeLimits(1536 * kMegabyte, 10) : decodeLimits(3072 * kMegabyte, 60);
}

DecodeLimits decodeLimits(qint64 memoryBytes, int cpuSeconds)
{
    constexpr int kWaitPerProcessorSecond = 4000;
    return { memoryBytes, cpuSeconds, cpuSeconds * kWaitPerProcessorSecond };
}

QString decodeHelperPath()
{
    // beside the program in a build folder; installed, in the program's own libexec folder
    const QString dir = QCoreApplication::applicationDirPath();
    const QString beside = dir + QStringLiteral("/puntela-decode");
    const QString installed = dir + QStringLiteral("/" PUNTELA_HELPER_FROM_BIN "/puntela-decode");
    return QFileInfo::exists(beside) || !QFileInfo::exists(installed) ? beside
                                                                      : QFileInfo(installed).canonicalFilePath();
}

PictureResult loadPictureApart(const QString& path)
{
    return loadPictureApart(path, decodeHelperPath(), decodeLimitsFor(headOf(path)));
}

PictureResult loadPictureApart(const QString& path, const QString& helper, const DecodeLimits& limits)
{
    const QString name = QFileInfo(path).fileName();
    if (!QFileInfo(helper).isExecutable())
        return { {}, readFailure(name, QStringLiteral("falta el programa \"%1\" junto a Puntela.").arg(helper)) };
    QProcess process;
    // the helper's large blocks in huge pages, where the system has them: fewer first touches
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!environment.contains(QStringLiteral("GLIBC_TUNABLES")))
        environment.insert(QStringLiteral("GLIBC_TUNABLES"), QStringLiteral("glibc.malloc.hugetlb=1"));
    process.setProcessEnvironment(environment);
    process.setStandardErrorFile(QProcess::nullDevice());
    process.setStandardInputFile(QProcess::nullDevice());
    AnswerReader answer;
    bool malformed = false;
    bool timedOut = false;
    QEventLoop loop;
    QObject::connect(&process, &QProcess::readyReadStandardOutput, &loop, [&] {
        if (!malformed && !answer.feed(process)) {
            malformed = true;
            process.kill();
        }
    });
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            loop.quit();
    });
    QTimer clock;
    clock.setSingleShot(true);
    QObject::connect(&clock, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        process.kill();
    });
    process.start(helper, { path, QString::number(limits.memoryBytes / kMegabyte), QString::number(limits.cpuSeconds) },
        QIODevice::ReadOnly);
    clock.start(limits.waitMillis);
    if (process.state() != QProcess::NotRunning || process.error() != QProcess::FailedToStart)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    clock.stop();
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(1000);
    }
    // what is still buffered once the helper ended
    while (!malformed && process.bytesAvailable() > 0 && !answer.complete())
        malformed = !answer.feed(process);

    if (timedOut || (process.exitStatus() == QProcess::CrashExit && process.exitCode() == SIGXCPU))
        return { {}, readFailure(name, QStringLiteral("la imagen tarda demasiado en dibujarse.")) };
    if (answer.noMemory())
        return { {}, readFailure(name, QStringLiteral("no hay memoria suficiente.")) };
    if (process.error() == QProcess::FailedToStart)
        return { {}, readFailure(name, QStringLiteral("no se puede iniciar el programa \"%1\".").arg(helper)) };
    if (malformed || !answer.complete() || process.exitStatus() != QProcess::NormalExit)
        return { {}, readFailure(name, QStringLiteral("el archivo está dañado o no es una imagen.")) };
    return answer.result();
}

bool limitThisProcess(const DecodeLimits& limits)
{
    const rlimit memory { rlim_t(limits.memoryBytes), rlim_t(limits.memoryBytes) };
    // the soft processor limit sends SIGXCPU, which ends the process; the hard one a second later kills it
    const rlimit cpu { rlim_t(limits.cpuSeconds), rlim_t(limits.cpuSeconds) + 1 };
    const rlimit noCore { 0, 0 };
    return setrlimit(RLIMIT_AS, &memory) == 0 && setrlimit(RLIMIT_CPU, &cpu) == 0
        && setrlimit(RLIMIT_CORE, &noCore) == 0;
}

bool writeDecodeAnswer(QIODevice& out, const PictureResult& result)
{
    QByteArray head(kMagic, 4);
    head.resize(kHeadBytes);
    if (result.ok()) {
        const QImage image = result.image.convertToFormat(QImage::Format_RGB32);
        head[4] = kImage;
        qToLittleEndian<quint32>(quint32(image.width()), head.data() + 5);
        qToLittleEndian<quint32>(quint32(image.height()), head.data() + 9);
        if (!writeAll(out, head.constData(), head.size()))
            return false;
        for (int y = 0; y < image.height(); ++y)
            if (!writeAll(out, reinterpret_cast<const char*>(image.constScanLine(y)), qint64(image.width()) * 4))
                return false;
        return true;
    }
    const QByteArray message = result.error.toUtf8().left(kLongestMessage);
    head[4] = kMessage;
    qToLittleEndian<quint32>(quint32(message.size()), head.data() + 5);
    qToLittleEndian<quint32>(0, head.data() + 9);
    return writeAll(out, head.constData(), head.size()) && writeAll(out, message.constData(), message.size());
}
