// Times the two pattern buttons in the shown main window, as a user waits for them: the click and
// the painting it leaves, on the benchmark's large picture ("Completa", 248 colours, 1024 x 768
// stitches), then the opening of that pattern's file (the largest a pattern can be) and the
// painting it leaves. Ends like puntela-bench:
//   single: <seconds> s
//   double: <seconds> s
//   open pattern: <seconds> s
// Run it on a screen, or under Xvfb:
//   cd build && xvfb-run -a -s '-screen 0 1280x800x24' ./puntela-window-bench [picture-file]
#include "colour/catalogue.h"
#include "colour/matching.h"
#include "photograph.h"
#include "started_window.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <cstdio>

namespace {
double seconds(const QElapsedTimer& t) { return double(t.nsecsElapsed()) / 1e9; }

// The click on a pattern button and the painting it leaves, from a cold answer cache.
double timeButton(Form1& f, bool doble, int colours)
{
    f.Text1->setText(QString::number(colours));
    f.VScroll1->setValue(colours);
    forgetCachedMatcher();
    settle();
    QElapsedTimer t;
    t.start();
    if (doble)
        f.Command5_Click();
    else
        f.Command1_Click();
    QCoreApplication::processEvents();
    return seconds(t);
}
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QImageReader::setAllocationLimit(1024);
    QTemporaryDir work;
    if (!enterWorkFolder(work))
        return 1;
    const QImage picture = benchPicture(argc, argv);
    if (picture.isNull())
        return 1;
    Form1 f;
    if (!startWindow(f, picture, QStringLiteral("1024"), QStringLiteral("768")))
        return 1;
    std::printf("shown window, picture %d x %d, catalogue \"Completa\", 1024 x 768 stitches\n", picture.width(),
        picture.height());
    const double single = timeButton(f, false, 248);
    const double doble = timeButton(f, true, 248);
    const QString file = work.filePath(QStringLiteral("grande.oxs"));
    if (const QString failure = f.work.savePattern(file); !failure.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(failure));
        return 1;
    }
    // the last pattern's save, which each button starts in the background, ended first
    f.work.finishLastPattern();
    settle();
    QElapsedTimer t;
    t.start();
    f.openPattern(file);
    QCoreApplication::processEvents();
    const double open = seconds(t);
    std::printf("single: %.3f s\ndouble: %.3f s\nopen pattern: %.3f s\n", single, doble, open);
    return 0;
}
