// Loading the previewed picture: the factor question, the reduction, the embroidery's size,
// the reset settings, Enter in the file list, and files that cannot be read.
#include "window_support.h"

#include <QSignalSpy>
#include <QtTest>

namespace {
// A started window whose browser shows the work folder.
std::unique_ptr<Form1> browsingForm(const WorkFolder& folder)
{
    auto f = startedForm();
    f->Dir1Path = folder.path();
    f->Dir1_Change();
    return f;
}

void select(Form1& f, const QString& name)
{
    f.refreshFileList();
    const QList<QListWidgetItem*> items = f.File1->findItems(name, Qt::MatchExactly);
    QVERIFY(!items.isEmpty());
    f.File1->setCurrentItem(items.first());
}

QString expectedPrompt(const QString& size)
{
    return QStringLiteral("La imagen tiene ") + size
        + QStringLiteral(" puntos. \nSi quiere reducirla para trabajar más rápido introduzca el factor de reducción "
                         "que desee:\n( 1 = Sin reducción, 2 = Mitad, 3 = Tercio, etc... )");
}
} // namespace

class TestLoading : public QObject {
    Q_OBJECT
private slots:
    void embroiderySize_data();
    void embroiderySize();
    void questionRepeatedUntilAWholeFactor();
    void smallPictureIsNotAsked();
    void loadResetsSettings();
    void enterLoadsLikeDoubleClick();
    void brokenFileKeepsEverything();
    void nothingPreviewedYet();
};

void TestLoading::embroiderySize_data()
{
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::addColumn<int>("insideW");
    QTest::addColumn<int>("insideH");
    QTest::addColumn<QString>("text4");
    QTest::addColumn<QString>("text5");
    QTest::newRow("400 x 300: 225 is a multiple of 3") << 400 << 300 << 300 << 225 << "100"
                                                       << "75";
    QTest::newRow("400 x 301: q cut to 225") << 400 << 301 << 300 << 225 << "100"
                                             << "75";
    QTest::newRow("400 x 299: q 224 down to 222") << 400 << 299 << 300 << 222 << "100"
                                                  << "74";
    QTest::newRow("square takes the portrait branch") << 150 << 150 << 300 << 300 << "100"
                                                      << "100";
    QTest::newRow("portrait 300 x 400") << 300 << 400 << 225 << 300 << "75"
                                        << "100";
    QTest::newRow("portrait 100 x 190: q 157 down to 156") << 100 << 190 << 156 << 300 << "52"
                                                           << "100";
}

void TestLoading::embroiderySize()
{
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(int, insideW);
    QFETCH(int, insideH);
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = browsingForm(folder);
    savePicture(folder, QStringLiteral("p.bmp"), gradientPicture(w, h));
    select(*f, QStringLiteral("p.bmp"));
    f->File1_DblClick();
    QCOMPARE(f->work.Picture2.pixelWidth(), insideW);
    QCOMPARE(f->work.Picture2.pixelHeight(), insideH);
    QTEST(f->Text4->text(), "text4");
    QTEST(f->Text5->text(), "text5");
    QCOMPARE(f->VScroll4->value(), insideW);
    QCOMPARE(f->VScroll5->value(), insideH);
    // the longer side's border lies just outside the frame
    QCOMPARE(w > h ? f->work.Picture2.Left() : f->work.Picture2.Top(), -2);
    QCOMPARE(f->work.Picture11.Width(), f->work.Picture2.Width() * 3);
    QCOMPARE(f->work.Picture11.Height(), f->work.Picture2.Height() * 3);
}

void TestLoading::questionRepeatedUntilAWholeFactor()
{
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = browsingForm(folder);
    savePicture(folder, QStringLiteral("grande.bmp"), gradientPicture(640, 480));
    select(*f, QStringLiteral("grande.bmp"));
    d.inputAnswers
        = { QString(), QStringLiteral("abc"), QStringLiteral("0"), QStringLiteral("-2"), QStringLiteral("2.9") };
    f->File1_DblClick();

    QCOMPARE(d.prompts().filter(QStringLiteral("La imagen tiene")).size(), 5);
    for (const ScriptedDialogs::Shown& s : d.shown) {
        if (s.kind == QLatin1String("input")) {
            QCOMPARE(s.title, QStringLiteral("Tamaño de imagen"));
            QCOMPARE(s.prompt, expectedPrompt(QStringLiteral("640 x 480")));
        }
    }
    QCOMPARE(f->work.state().factor_reduccion, 2.0f);
    QCOMPARE(f->work.Picture3.pixelWidth(), 320);
    QCOMPARE(f->work.Picture3.pixelHeight(), 240);
    QCOMPARE(f->Label5->text(), QStringLiteral(" 320"));
    QCOMPARE(f->Label6->text(), QStringLiteral(" 240 puntos"));
    QCOMPARE(f->work.Picture3.pixel(10, 7), colourFromRgb(gradientPicture(640, 480).pixel(20, 14)));
}

void TestLoading::smallPictureIsNotAsked()
{
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = browsingForm(folder);
    savePicture(folder, QStringLiteral("p.bmp"), gradientPicture(196, 196));
    select(*f, QStringLiteral("p.bmp"));
    f->File1_DblClick();
    QCOMPARE(d.prompts().filter(QStringLiteral("La imagen tiene")).size(), 0);
    QCOMPARE(f->work.state().factor_reduccion, 0.0f);
    QCOMPARE(f->work.Picture3.pixelWidth(), 196);
    // centred on the frame's middle
    QCOMPARE(f->work.Picture3.Left(), 152 - 200 / 2);
}

void TestLoading::loadResetsSettings()
{
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = browsingForm(folder);
    savePicture(folder, QStringLiteral("a.bmp"), gradientPicture(120, 90));
    savePicture(folder, QStringLiteral("b.bmp"), gradientPicture(90, 120));
    {
        QFile personal(QStringLiteral("personal.txt"));
        QVERIFY(personal.open(QIODevice::WriteOnly));
        personal.write("310,0,0,0\r\n");
    }
    f->Option1[0]->setChecked(true);
    f->Text1->setText(QStringLiteral("57"));
    setCheckValue(f->Check7, 1);
    f->Command4->setEnabled(true);
    f->Command2_Click();

    select(*f, QStringLiteral("a.bmp"));
    f->File1_DblClick();
    QVERIFY(f->Option1[2]->isChecked());
    QCOMPARE(f->Text1->text(), QStringLiteral("248"));
    QCOMPARE(f->work.state().num_colores, 248);
    QCOMPARE(checkValue(f->Check7), 0);
    QVERIFY(!f->Command4->isEnabled());
    QVERIFY(f->Picture6->isVisibleTo(f.get()));
    QCOMPARE(QFileInfo(QStringLiteral("personal.txt")).size(), 0);
    QCOMPARE(f->windowTitle(), QStringLiteral("Puntela - a.bmp"));
    QCOMPARE(f->work.state().listo, True);
    QCOMPARE(f->mousePointer(), 0);

    select(*f, QStringLiteral("b.bmp"));
    f->File1_DblClick();
    QCOMPARE(f->windowTitle(), QStringLiteral("Puntela - b.bmp"));
    QCOMPARE(d.countTitled(QStringLiteral("Ayuda de puntela 1.2 Demo")), 1);
}

void TestLoading::enterLoadsLikeDoubleClick()
{
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = browsingForm(folder);
    savePicture(folder, QStringLiteral("p.bmp"), gradientPicture(400, 300));
    select(*f, QStringLiteral("p.bmp"));
    QSignalSpy activated(f->File1, &QListWidget::itemActivated);
    QTest::keyClick(f->File1, Qt::Key_Return);

    QCOMPARE(activated.count(), 0);
    QCOMPARE(f->windowTitle(), QStringLiteral("Puntela - p.bmp"));
    QCOMPARE(f->work.Picture3.pixelWidth(), 400);
    QCOMPARE(f->work.Picture2.pixelHeight(), 225);
    QCOMPARE(f->Text5->text(), QStringLiteral("75"));
    QCOMPARE(d.prompts().filter(QStringLiteral("La imagen tiene")), QStringList(expectedPrompt("400 x 300")));
}

void TestLoading::brokenFileKeepsEverything()
{
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = browsingForm(folder);
    savePicture(folder, QStringLiteral("bien.bmp"), gradientPicture(120, 90));
    {
        QFile broken(folder.file(QStringLiteral("mal.jpg")));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("esto no es una imagen");
    }
    select(*f, QStringLiteral("bien.bmp"));
    f->File1_DblClick();
    setCheckValue(f->Check10, 1);
    f->Text1->setText(QStringLiteral("57"));
    const QImage picture = f->work.Picture3.Image().copy();
    const QImage preview = f->work.Image1.Picture;
    const std::size_t before = d.shown.size();

    select(*f, QStringLiteral("mal.jpg"));
    QCOMPARE(d.shown.size(), before + 1);
    QCOMPARE(d.shown.back().title, QStringLiteral("Error"));
    QVERIFY(d.shown.back().prompt.contains(QStringLiteral("mal.jpg")));
    QCOMPARE(f->work.Image1.Picture, preview);
    QVERIFY(f->work.Image1.Visible);
    QCOMPARE(checkValue(f->Check10), 1);

    f->File1_DblClick();
    QCOMPARE(d.shown.back().title, QStringLiteral("Error"));
    QCOMPARE(f->work.Picture3.Image(), picture);
    QCOMPARE(f->Text1->text(), QStringLiteral("57"));
    QCOMPARE(f->windowTitle(), QStringLiteral("Puntela - bien.bmp"));
    QCOMPARE(f->work.state().listo, True);
    QCOMPARE(f->mousePointer(), 0);
}

void TestLoading::nothingPreviewedYet()
{
    WorkFolder folder;
    ScriptedDialogs d;
    auto f = browsingForm(folder);
    f->File1_DblClick();
    QCOMPARE(d.shown.size(), std::size_t(1));
    QCOMPARE(d.shown.back().title, QStringLiteral("Error"));
    QCOMPARE(f->windowTitle(), QStringLiteral("Puntela 1.2 Demo"));
    QCOMPARE(f->work.Picture3.pixelWidth(), 0);
    QCOMPARE(f->work.state().listo, True);
}

QTEST_MAIN(TestLoading)
#include "tst_loading.moc"
