// puntela-decode FILE MEMORY_MB CPU_SECONDS: decodes one picture file under the given limits
// and writes the picture, or the message why there is none, to its standard output. The
// program runs it for every file it reads, so that no file can end the program itself.
#include "image/decode_apart.h"

#include <QFile>
#include <QGuiApplication>

int main(int argc, char* argv[])
{
    if (argc != 4)
        return 2;
    DecodeLimits limits;
    limits.memoryBytes = QByteArray(argv[2]).toLongLong() * 1024 * 1024;
    limits.cpuSeconds = QByteArray(argv[3]).toInt();
    if (limits.memoryBytes <= 0 || limits.cpuSeconds <= 0 || !limitThisProcess(limits))
        return 2;
    // text in an EMF is drawn with Qt's fonts, which need a GUI application but no screen
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    // Qt sees no argument of ours: a file name is never taken for one of its options
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    const PictureResult result = loadPictureFile(QFile::decodeName(argv[1]));
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly) || !writeDecodeAnswer(out, result) || !out.flush())
        return 1;
    return 0;
}
