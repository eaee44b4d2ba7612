// "Guardar imágenes": which files are written, what they hold, what the window is left showing,
// and a folder that cannot be written.
#include "made_pattern.h"
#include "output/file_names.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QtTest>

namespace {
QStringList filesIn(const QString& folder) { return QDir(folder).entryList(QDir::Files, QDir::Name); }

QStringList sorted(QStringList l)
{
    l.sort();
    return l;
}
} // namespace

class TestSave : public QObject {
    Q_OBJECT
private slots:
    void filesOfThePattern_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("across");
        QTest::addColumn<int>("down");
        QTest::newRow("60 x 40: one sheet, six files") << 60 << 40 << 1 << 1;
        QTest::newRow("150 x 120: 2 x 2 sheets") << 150 << 120 << 2 << 2;
    }
    void filesOfThePattern()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, across);
        QFETCH(int, down);
        WorkFolder folder;
        ScriptedDialogs answers;
        auto f = startedForm();
        QVERIFY(makePattern(*f, folder, bandsPicture(width * 2, height * 2), width));
        QCOMPARE(int(f->work.state().alto_puntos), height);
        // a scribble on the chart: the pages must be drawn afresh, not copied as they stand
        f->work.Picture11.image().fill(qRgb(0, 255, 0));
        const QString out = folder.file(QStringLiteral("salida"));
        QVERIFY(QDir().mkpath(out));
        f->Dir1Path = out;
        f->Command7_Click();
        QCOMPARE(filesIn(out), sorted(savedFileNames(across, down)));
        QCOMPARE(answers.countTitled(QStringLiteral("Error")), 0);
        QCOMPARE(f->Label3->toolTip(),
            QStringLiteral("%1 imágenes guardadas en %2").arg(savedFileNames(across, down).size()).arg(out));
        QVERIFY(!f->Label3->isHidden());
        for (int colour = 1; colour >= 0; --colour) {
            for (const SheetPage& p : passPages(across, down, colour == 1)) {
                const QImage saved(fileInFolder(out, pageFileName(p)));
                QVERIFY2(saved == freshPage(*f, p.H, p.V, colour == 1), qPrintable(pageFileName(p)));
            }
        }
        QCOMPARE(QImage(fileInFolder(out, embroideryFileName())), f->work.Picture2.Image());
    }

    void stitchPictureFile()
    {
        WorkFolder folder;
        ScriptedDialogs answers;
        auto f = startedForm();
        QVERIFY(makePattern(*f, folder, bandsPicture(300, 200), 120));
        QCOMPARE(f->work.state().alto_puntos, Integer(80));
        f->Dir1Path = folder.path();
        f->Command7_Click();
        const QImage saved(folder.file(QStringLiteral("imagen_i.bmp")));
        QCOMPARE(saved.size(), QSize(120, 80));
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < 120; ++x)
                if (colourFromRgb(saved.pixel(x, y)) != f->work.state().puntos(x, y))
                    QFAIL(qPrintable(QStringLiteral("stitch %1, %2").arg(x).arg(y)));
    }

    void windowAfterSaving()
    {
        WorkFolder folder;
        ScriptedDialogs answers;
        auto f = startedForm();
        QVERIFY(makePattern(*f, folder, bandsPicture(200, 260), 100));
        QCOMPARE(f->VScroll2->maximum(), 2);
        f->Dir1Path = folder.path();
        f->Command7_Click();
        QCOMPARE(checkValue(f->Check4), 1);
        QCOMPARE(checkValue(f->Check6), 1);
        QCOMPARE(checkValue(f->Check5), 0);
        QCOMPARE(f->HScroll2->value(), f->HScroll2->maximum());
        QCOMPARE(f->VScroll2->value(), 2);
        QCOMPARE(f->work.state().listo, True);
        QCOMPARE(f->mousePointer(), 0);
        // the black-and-white key is on show, and the clipboard holds the last file
        QCOMPARE(f->work.Picture11.Image(), QImage(folder.file(QStringLiteral("patron_g.bmp"))));
        QCOMPARE(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
            QImage(folder.file(QStringLiteral("imagen_i.bmp"))));
        QVERIFY(f->File1->findItems(QStringLiteral("imagen_i.bmp"), Qt::MatchExactly).size() == 1);
    }

    void folderThatCannotBeWritten()
    {
        WorkFolder folder;
        ScriptedDialogs answers;
        auto f = startedForm();
        QVERIFY(makePattern(*f, folder, bandsPicture(120, 80), 60));
        QFile plain(folder.file(QStringLiteral("archivo")));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        // tests run as root, where permissions stop nothing: a folder under a file cannot exist
        const QString out = folder.file(QStringLiteral("archivo/sub"));
        f->Dir1Path = out;
        const std::size_t before = answers.shown.size();
        f->Command7_Click();
        QCOMPARE(answers.shown.size(), before + 1);
        QCOMPARE(answers.shown.back().title, QStringLiteral("Error"));
        QVERIFY2(answers.shown.back().prompt.contains(out + QStringLiteral("/bordado_i.bmp")),
            qPrintable(answers.shown.back().prompt));
        // a save that failed never reports files as written
        QVERIFY(!f->Label3->text().contains(QStringLiteral("guardadas")));
        QCOMPARE(checkValue(f->Check5), 1);
        QCOMPARE(f->work.state().listo, True);
        QCOMPARE(f->mousePointer(), 0);
    }

    void stopsAtTheFirstFileThatFails()
    {
        WorkFolder folder;
        ScriptedDialogs answers;
        auto f = startedForm();
        QVERIFY(makePattern(*f, folder, bandsPicture(120, 80), 60));
        const QString out = folder.file(QStringLiteral("salida"));
        // a folder named like the colour key takes its place
        QVERIFY(QDir().mkpath(out + QStringLiteral("/patron_c_g.bmp")));
        f->Dir1Path = out;
        f->Command7_Click();
        QCOMPARE(filesIn(out), sorted({ QStringLiteral("bordado_i.bmp"), QStringLiteral("patron_c1_1.bmp") }));
        QVERIFY(answers.shown.back().prompt.contains(QStringLiteral("patron_c_g.bmp")));
    }

    void nothingToSaveBeforeAPattern()
    {
        WorkFolder folder;
        ScriptedDialogs answers;
        auto f = startedForm();
        f->Dir1Path = folder.path();
        const QStringList before = filesIn(folder.path());
        f->Command7_Click();
        QCOMPARE(filesIn(folder.path()), before);
        QCOMPARE(answers.countTitled(QStringLiteral("Error")), 1);
    }
};

QTEST_MAIN(TestSave)
#include "tst_save.moc"
