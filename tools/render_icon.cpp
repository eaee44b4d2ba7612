// Build tool: renders the program's scalable icon into the PNG sizes of the desktop's icon theme.
//   render_icon ICON.svg OUT_FOLDER SIZE...   writes OUT_FOLDER/<S>x<S>/apps/<name>.png for each size
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc < 4) {
        std::fputs("usage: render_icon ICON.svg OUT_FOLDER SIZE...\n", stderr);
        return 2;
    }
    const QString svg = QString::fromLocal8Bit(argv[1]);
    const QDir out(QString::fromLocal8Bit(argv[2]));
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "render_icon: cannot read %s\n", argv[1]);
        return 1;
    }
    for (int i = 3; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        if (size < 1 || size > 1024) {
            std::fprintf(stderr, "render_icon: bad size %s\n", argv[i]);
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        painter.end();
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        QSaveFile file(out.filePath(folder + QLatin1Char('/') + QFileInfo(svg).completeBaseName() + ".png"));
        if (!out.mkpath(folder) || !file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
            std::fprintf(stderr, "render_icon: cannot write %s\n", qPrintable(file.fileName()));
            return 1;
        }
    }
    return 0;
}
