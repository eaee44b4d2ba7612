// libFuzzer harness for the picture decoders: every format the program reads, told apart by
// its first bytes as in the program.
#include "image/picture_file.h"

#include <QGuiApplication>

#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // text in an EMF is drawn with Qt's fonts
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const PictureResult result
        = decodePicture(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), QStringLiteral("fuzz"));
    // a picture or a message, never neither
    if (!result.ok() && result.error.isEmpty())
        __builtin_trap();
    return 0;
}
