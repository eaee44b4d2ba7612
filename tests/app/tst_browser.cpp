// The file browser: picture pattern, paths, folder lists, "Abrir" and the preview thumbnail.
#include "image/browser.h"
#include "window_support.h"

#include <QElapsedTimer>
#include <QtTest>

namespace {
void touch(const QString& path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

QStringList listed(const QListWidget* list)
{
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names.append(list->item(i)->text());
    return names;
}

void activateFolder(Form1& f, const QString& name)
{
    const QList<QListWidgetItem*> items = f.Dir1->findItems(name, Qt::MatchExactly);
    QVERIFY(!items.isEmpty());
    emit f.Dir1->itemActivated(items.first());
}
} // namespace

class TestBrowser : public QObject {
    Q_OBJECT
private slots:
    void pattern_data();
    void pattern();
    void join_data();
    void join();
    void thumbnail_data();
    void thumbnail();
    void folderContents();
    void walkingFolders();
    void unreadableFolderKeepsLists();
    void workingFolderIsAPlace();
    void openHelpOnce();
    void previewOfClickedFile();
    void slowMetafileRefusedWhileTheWindowRepaints();
};

void TestBrowser::pattern_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("listed");
    QTest::newRow("bmp") << QStringLiteral("a.bmp") << true;
    QTest::newRow("upper-case JPG") << QStringLiteral("FOTO.JPG") << true;
    QTest::newRow("jpeg") << QStringLiteral("foto.jpeg") << true;
    QTest::newRow("png") << QStringLiteral("b.png") << true;
    QTest::newRow("mixed-case Gif") << QStringLiteral("c.Gif") << true;
    QTest::newRow("metafiles") << QStringLiteral("d.wmf") << true;
    QTest::newRow("cursor") << QStringLiteral("e.cur") << true;
    QTest::newRow("text is not") << QStringLiteral("notas.txt") << false;
    QTest::newRow("suffix inside the name is not") << QStringLiteral("a.bmp.txt") << false;
    QTest::newRow("no dot is not") << QStringLiteral("bmp") << false;
}

void TestBrowser::pattern()
{
    QFETCH(QString, name);
    QFETCH(bool, listed);
    QCOMPARE(matchesPicturePattern(name), listed);
}

void TestBrowser::join_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("joined");
    QTest::newRow("folder without trailing slash") << QStringLiteral("/home/ana") << QStringLiteral("/home/ana/x.bmp");
    QTest::newRow("root already ends in a slash") << QStringLiteral("/") << QStringLiteral("/x.bmp");
    QTest::newRow("folder with trailing slash") << QStringLiteral("/media/usb/") << QStringLiteral("/media/usb/x.bmp");
}

void TestBrowser::join()
{
    QFETCH(QString, folder);
    QFETCH(QString, joined);
    QCOMPARE(joinPath(folder, QStringLiteral("x.bmp")), joined);
}

void TestBrowser::thumbnail_data()
{
    QTest::addColumn<float>("w");
    QTest::addColumn<float>("h");
    QTest::addColumn<float>("left");
    QTest::addColumn<float>("top");
    QTest::addColumn<float>("width");
    QTest::addColumn<float>("height");
    QTest::newRow("landscape 400 x 100") << 400.0f << 100.0f << 0.0f << 34.125f << 91.0f << 22.75f;
    QTest::newRow("portrait 100 x 400") << 100.0f << 400.0f << 34.125f << 0.0f << 22.75f << 91.0f;
    QTest::newRow("square fills") << 37.0f << 37.0f << 0.0f << 0.0f << 91.0f << 91.0f;
    QTest::newRow("small landscape is enlarged") << 20.0f << 10.0f << 0.0f << 22.75f << 91.0f << 45.5f;
    QTest::newRow("empty picture") << 0.0f << 0.0f << 0.0f << 0.0f << 0.0f << 0.0f;
}

void TestBrowser::thumbnail()
{
    QFETCH(float, w);
    QFETCH(float, h);
    const Thumbnail t = thumbnailGeometry(w, h);
    QTEST(t.Left, "left");
    QTEST(t.Top, "top");
    QTEST(t.Width, "width");
    QTEST(t.Height, "height");
}

void TestBrowser::folderContents()
{
    WorkFolder folder(false);
    for (const char* n : { "zeta.bmp", "Alfa.JPG", "beta.png", "notas.txt", "gamma.jpeg", "Rosa.OXS", "ultimo.oxs" })
        touch(folder.file(QLatin1String(n)));
    QDir(folder.path()).mkdir(QStringLiteral("carpeta.bmp"));
    QDir(folder.path()).mkdir(QStringLiteral("Otra"));
    QCOMPARE(pictureFiles(folder.path()), QStringList({ "Alfa.JPG", "beta.png", "gamma.jpeg", "zeta.bmp" }));
    // pattern files are listed among the pictures, in the same order
    QCOMPARE(browserFiles(folder.path()),
        QStringList({ "Alfa.JPG", "beta.png", "gamma.jpeg", "Rosa.OXS", "ultimo.oxs", "zeta.bmp" }));
    QCOMPARE(subfolders(folder.path()), QStringList({ "carpeta.bmp", "Otra" }));
}

void TestBrowser::walkingFolders()
{
    WorkFolder folder;
    QDir(folder.path()).mkpath(QStringLiteral("fotos/viejas"));
    touch(folder.file(QStringLiteral("fotos/gato.jpg")));
    touch(folder.file(QStringLiteral("fotos/leeme.txt")));
    touch(folder.file(QStringLiteral("perro.bmp")));
    ScriptedDialogs d;
    auto f = startedForm();
    f->Dir1Path = folder.path();
    f->Dir1_Change();
    f->refreshFileList();
    QCOMPARE(listed(f->File1), QStringList({ "perro.bmp" }));
    QCOMPARE(listed(f->Dir1), QStringList({ "..", "fotos" }));

    activateFolder(*f, QStringLiteral("fotos"));
    QCOMPARE(f->Dir1Path, folder.file(QStringLiteral("fotos")));
    QCOMPARE(f->File1Path, f->Dir1Path);
    QCOMPARE(listed(f->File1), QStringList({ "gato.jpg" }));
    QCOMPARE(listed(f->Dir1), QStringList({ "..", "viejas" }));

    activateFolder(*f, QStringLiteral(".."));
    QCOMPARE(f->Dir1Path, folder.path());
    QCOMPARE(listed(f->File1), QStringList({ "perro.bmp" }));
    QVERIFY(d.shown.empty());
}

// The working folder, with the last pattern, is a place of the drive box; the box shows the place
// that holds the folder list's folder, and following the folder never opens that place.
void TestBrowser::workingFolderIsAPlace()
{
    WorkFolder folder;
    QDir(folder.path()).mkdir(QStringLiteral("fotos"));
    touch(folder.file(QStringLiteral("ultimo.oxs")));
    ScriptedDialogs d;
    auto f = startedForm();
    const int work = f->Drive1->findText(QStringLiteral("Carpeta de trabajo"));
    QVERIFY(work >= 0);
    QVERIFY(f->Drive1->findData(QStringLiteral("/")) >= 0);
    QVERIFY(f->Drive1->currentIndex() != work);
    f->Drive1->setCurrentIndex(work);
    QCOMPARE(f->Dir1Path, QDir(folder.path()).canonicalPath());
    QVERIFY(listed(f->File1).contains(QStringLiteral("ultimo.oxs")));

    activateFolder(*f, QStringLiteral("fotos"));
    QCOMPARE(f->Drive1->currentIndex(), work);
    activateFolder(*f, QStringLiteral(".."));
    activateFolder(*f, QStringLiteral(".."));
    const QString parent = QFileInfo(QDir(folder.path()).canonicalPath()).absolutePath();
    QCOMPARE(f->Dir1Path, parent);
    QVERIFY(f->Drive1->currentIndex() != work);
    const QString place = f->Drive1->currentData().toString();
    QVERIFY2(place == QLatin1String("/") || parent.startsWith(place), qPrintable(place));
    QVERIFY(d.shown.empty());
}

void TestBrowser::unreadableFolderKeepsLists()
{
    WorkFolder folder;
    QDir(folder.path()).mkdir(QStringLiteral("se_va"));
    touch(folder.file(QStringLiteral("perro.bmp")));
    ScriptedDialogs d;
    auto f = startedForm();
    f->Dir1Path = folder.path();
    f->Dir1_Change();
    f->refreshFileList();
    QDir(folder.path()).rmdir(QStringLiteral("se_va"));

    activateFolder(*f, QStringLiteral("se_va"));
    QCOMPARE(d.countTitled(QStringLiteral("Error")), 1);
    QCOMPARE(f->Dir1Path, folder.path());
    QCOMPARE(listed(f->File1), QStringList({ "perro.bmp" }));
}

void TestBrowser::openHelpOnce()
{
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    f->Dir1Path = folder.path();
    f->Dir1_Change();
    touch(folder.file(QStringLiteral("nueva.gif")));

    f->Command2->click();
    QVERIFY(!f->Picture6->isVisibleTo(f.get()));
    QCOMPARE(listed(f->File1), QStringList({ "nueva.gif" }));
    QCOMPARE(d.countTitled(QStringLiteral("Ayuda de Puntela 1.2 Demo")), 1);
    QCOMPARE(d.shown.back().buttons, vbOKOnly);
    f->Command9->click();
    QVERIFY(f->Picture6->isVisibleTo(f.get()));
    f->Command2->click();
    QVERIFY(!f->Picture6->isVisibleTo(f.get()));
    QCOMPARE(d.shown.size(), std::size_t(1));
}

void TestBrowser::previewOfClickedFile()
{
    WorkFolder folder;
    savePicture(folder, QStringLiteral("ancha.bmp"), gradientPicture(400, 100));
    ScriptedDialogs d;
    auto f = startedForm();
    f->Dir1Path = folder.path();
    f->Dir1_Change();
    setCheckValue(f->Check10, 1);

    f->File1->setCurrentRow(0);
    QCOMPARE(f->work.Image1.Picture.size(), QSize(400, 100));
    QCOMPARE(f->work.Image1.Picture.pixel(399, 99), gradientPicture(400, 100).pixel(399, 99));
    QCOMPARE(f->work.Image1.Top, 34.125f);
    QCOMPARE(f->work.Image1.Height, 22.75f);
    QVERIFY(f->work.Image1.Stretch);
    QVERIFY(f->work.Image1.Visible);
    QCOMPARE(checkValue(f->Check10), 0);
    QCOMPARE(f->mousePointer(), 0);
}

// A metafile that draws for minutes: the preview is refused after the helper's time limit,
// the picture on show stays, and meanwhile the window repaints under the hourglass.
void TestBrowser::slowMetafileRefusedWhileTheWindowRepaints()
{
    WorkFolder folder;
    savePicture(folder, QStringLiteral("ancha.bmp"), gradientPicture(400, 100));
    QVERIFY(QFile::copy(QStringLiteral(PUNTELA_SAMPLES_DIR "/slow.wmf"), folder.file(QStringLiteral("lenta.wmf"))));
    ScriptedDialogs d;
    auto f = startedForm();
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.get()));
    f->Dir1Path = folder.path();
    f->Dir1_Change();
    f->File1->setCurrentItem(f->File1->findItems(QStringLiteral("ancha.bmp"), Qt::MatchExactly).value(0));
    const QImage shown = f->work.Image1.Picture;
    QCOMPARE(shown.size(), QSize(400, 100));

    // a repaint asked for every 50 ms; each one that happens is timed
    struct PaintClock : QObject {
        QElapsedTimer clock;
        qint64 last = 0, longestGap = 0;
        int paints = 0;
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::Paint) {
                longestGap = qMax(longestGap, clock.elapsed() - last);
                last = clock.elapsed();
                ++paints;
            }
            return false;
        }
    } paints;
    paints.clock.start();
    f->installEventFilter(&paints);
    QList<int> pointers;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, f.get(), [&] {
        pointers << f->mousePointer();
        f->update();
    });
    ticker.start(50);
    f->File1->setCurrentItem(f->File1->findItems(QStringLiteral("lenta.wmf"), Qt::MatchExactly).value(0));
    ticker.stop();
    f->removeEventFilter(&paints);
    const qint64 took = paints.clock.elapsed();

    QCOMPARE(d.shown.size(), std::size_t(1));
    QVERIFY2(d.shown[0].prompt.startsWith(QStringLiteral("No se puede leer la imagen \"lenta.wmf\": ")),
        qPrintable(d.shown[0].prompt));
    QCOMPARE(f->work.Image1.Picture, shown);
    QCOMPARE(f->mousePointer(), 0);
    QVERIFY(took <= 12000);
    qInfo("refused after %lld ms; %d repaints, longest pause between repaints %lld ms", took, paints.paints,
        paints.longestGap);
    QVERIFY2(paints.longestGap < 500, qPrintable(QString::number(paints.longestGap)));
    QVERIFY(!pointers.isEmpty() && pointers.count(11) == pointers.size());
}

QTEST_MAIN(TestBrowser)
#include "tst_browser.moc"
