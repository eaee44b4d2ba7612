// The step adjustments of the working picture and "Inicial".
#include "image/adjust.h"
#include "image/browser.h"
#include "window_support.h"

#include <QtTest>

namespace {
// Loads a picture saved in the folder through the browser, answering the factor question.
void loadThroughBrowser(Form1& f, ScriptedDialogs& d, const QString& name, const QString& factor)
{
    d.inputAnswers.push_back(factor);
    const QList<QListWidgetItem*> items = f.File1->findItems(name, Qt::MatchExactly);
    QVERIFY(!items.isEmpty());
    f.File1->setCurrentItem(items.first());
    f.File1_DblClick();
}

void openFolderOf(Form1& f, const WorkFolder& folder)
{
    f.Dir1Path = folder.path();
    f.Dir1_Change();
}
} // namespace

class TestAdjust : public QObject {
    Q_OBJECT
private slots:
    void step_data();
    void step();
    void stepsAddUp();
    void initialAfterFactorTwo();
    void initialTakesThePreview();
    void initialBeforeAnyLoad();
};

void TestAdjust::step_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<Long>("before");
    QTest::addColumn<Long>("after");
    QTest::newRow("+ Brillo: white stays white") << 12 << RGB(255, 255, 255) << RGB(255, 255, 255);
    QTest::newRow("+ Brillo: each component up, held at 255") << 12 << RGB(100, 0, 250) << RGB(115, 15, 255);
    QTest::newRow("- Brillo: black stays black") << 13 << RGB(0, 0, 0) << RGB(0, 0, 0);
    QTest::newRow("- Brillo: each component down, held at 0") << 13 << RGB(10, 100, 200) << RGB(0, 85, 185);
    QTest::newRow("+ Rojo: held at 255") << 15 << RGB(250, 10, 10) << RGB(255, 10, 10);
    QTest::newRow("- Rojo: red only") << 14 << RGB(20, 20, 20) << RGB(5, 20, 20);
    QTest::newRow("+ Verde: green only") << 17 << RGB(1, 2, 3) << RGB(1, 17, 3);
    QTest::newRow("- Verde: held at 0") << 16 << RGB(40, 7, 40) << RGB(40, 0, 40);
    QTest::newRow("+ Azul: blue only") << 19 << RGB(1, 2, 3) << RGB(1, 2, 18);
    QTest::newRow("- Azul: held at 0") << 18 << RGB(10, 10, 5) << RGB(10, 10, 0);
    QTest::newRow("+ Contraste: 126 counts as dark") << 21 << RGB(130, 126, 0) << RGB(145, 111, 0);
    QTest::newRow("+ Contraste: 127 counts as light") << 21 << RGB(127, 250, 10) << RGB(142, 255, 0);
    QTest::newRow("- Contraste: towards the middle") << 20 << RGB(255, 0, 127) << RGB(240, 15, 112);
    QTest::newRow("- Contraste: 126 goes up") << 20 << RGB(126, 126, 126) << RGB(141, 141, 141);
}

void TestAdjust::step()
{
    QFETCH(int, button);
    QFETCH(Long, before);
    QFETCH(Long, after);
    Surface s(3, 2);
    s.BackColor = before;
    s.Cls();
    adjustPicture(s, adjustmentForButton(button));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            QCOMPARE(s.pixel(x, y), after);
}

void TestAdjust::stepsAddUp()
{
    Surface s(1, 1);
    s.setPixel(0, 0, RGB(200, 10, 0));
    for (int i = 0; i < 3; ++i)
        adjustPicture(s, Adjustment::BrightnessUp);
    QCOMPARE(s.pixel(0, 0), RGB(245, 55, 45));
    adjustPicture(s, Adjustment::BrightnessUp);
    QCOMPARE(s.pixel(0, 0), RGB(255, 70, 60));
    // clipped components do not come back: "-" after "+" is not the picture as it was
    adjustPicture(s, Adjustment::BrightnessDown);
    QCOMPARE(s.pixel(0, 0), RGB(240, 55, 45));
}

void TestAdjust::initialAfterFactorTwo()
{
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    savePicture(folder, QStringLiteral("a.bmp"), gradientPicture(400, 300));
    openFolderOf(*f, folder);
    loadThroughBrowser(*f, d, QStringLiteral("a.bmp"), QStringLiteral("2"));
    QCOMPARE(f->work.Picture3.pixelWidth(), 200);
    const QImage loaded = f->work.Picture3.Image().copy();
    const int left = f->work.Picture3.Left(), top = f->work.Picture3.Top();

    f->Command12->click();
    f->Command21->click();
    QVERIFY(f->work.Picture3.Image() != loaded);
    f->Command11->click();
    QCOMPARE(f->work.Picture3.Image(), loaded);
    QCOMPARE(f->work.Picture3.Left(), left);
    QCOMPARE(f->work.Picture3.Top(), top);
    QVERIFY(f->work.Picture3.Visible());
}

void TestAdjust::initialTakesThePreview()
{
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    savePicture(folder, QStringLiteral("a.bmp"), gradientPicture(400, 300));
    savePicture(folder, QStringLiteral("b.bmp"), gradientPicture(300, 240).mirrored(true, false));
    openFolderOf(*f, folder);
    loadThroughBrowser(*f, d, QStringLiteral("a.bmp"), QStringLiteral("2"));
    f->File1->setCurrentItem(f->File1->findItems(QStringLiteral("b.bmp"), Qt::MatchExactly).first());

    f->Command11_Click();
    QCOMPARE(f->work.Picture3.pixelWidth(), 150);
    QCOMPARE(f->work.Picture3.pixelHeight(), 120);
    QCOMPARE(f->work.Picture3.pixel(1, 1), colourFromRgb(f->work.Image1.Picture.pixel(2, 2)));
}

void TestAdjust::initialBeforeAnyLoad()
{
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = startedForm();
    savePicture(folder, QStringLiteral("a.bmp"), gradientPicture(40, 30));
    openFolderOf(*f, folder);
    f->File1->setCurrentRow(0);
    QVERIFY(!f->work.Image1.Picture.isNull());
    f->Command11_Click();
    QCOMPARE(f->work.Picture3.pixelWidth(), 0);
}

QTEST_MAIN(TestAdjust)
#include "tst_adjust.moc"
