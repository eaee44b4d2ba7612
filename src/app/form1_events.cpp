// Every control's event goes to its handler here. The signals are those that also fire when
// code sets a value, as the program's nested events rely on that.
#include "app/form1.h"
#include "app/form1_thread_tips.h"
#include "views/strip_maths.h"

void Form1::wireEvents()
{
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command3[0], &QPushButton::clicked, this, [this] { Command3_Click(0); });
    connect(Command3[1], &QPushButton::clicked, this, [this] { Command3_Click(1); });
    connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
    connect(colourOptionsButton, &QPushButton::clicked, this, [this] { colourOptions_Click(); });
    connect(Command5, &QPushButton::clicked, this, [this] { Command5_Click(); });
    connect(Command6, &QPushButton::clicked, this, [this] { Command6_Click(); });
    connect(Command7, &QPushButton::clicked, this, [this] { Command7_Click(); });
    connect(Command8, &QPushButton::clicked, this, [this] { Command8_Click(); });
    connect(Command9, &QPushButton::clicked, this, [this] { Command9_Click(); });
    connect(Command10, &QPushButton::clicked, this, [this] { Command10_Click(); });
    connect(Command11, &QPushButton::clicked, this, [this] { Command11_Click(); });
    connect(threadListButton, &QPushButton::clicked, this, [this] { threadListButton_Click(); });
    connect(chartPdfButton, &QPushButton::clicked, this, [this] { chartPdfButton_Click(); });
    const std::array<QPushButton*, 10> adjust = { Command12, Command13, Command14, Command15, Command16, Command17,
        Command18, Command19, Command20, Command21 };
    for (int i = 0; i < 10; ++i)
        connect(adjust[i], &QPushButton::clicked, this, [this, i] { adjustPicture(12 + i); });
    connect(check8, &QPushButton::clicked, this, [this] { check8_Click(); });
    connect(savePatternButton, &QPushButton::clicked, this, [this] { savePatternClicked(); });

    connect(Check1, &QCheckBox::stateChanged, this, [this] { Check1_Click(); });
    connect(Check2, &QCheckBox::stateChanged, this, [this] { Check2_Click(); });
    connect(Check3, &QCheckBox::stateChanged, this, [this] { Check3_Click(); });
    connect(Check4, &QCheckBox::stateChanged, this, [this] { Check4_Click(); });
    connect(Check5, &QCheckBox::stateChanged, this, [this] { Check5_Click(); });
    connect(Check6, &QCheckBox::stateChanged, this, [this] { Check6_Click(); });
    connect(Check7, &QCheckBox::stateChanged, this, [this] { Check7_Click(); });
    connect(Check9, &QCheckBox::stateChanged, this, [this] { Check9_Click(); });
    connect(Check10, &QCheckBox::stateChanged, this, [this] { Check10_Click(); });
    for (int i = 0; i < 5; ++i)
        connect(Option1[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                Option1_Click(i);
        });

    connect(VScroll1, &QScrollBar::valueChanged, this, [this] { VScroll1_Change(); });
    connect(VScroll4, &QScrollBar::valueChanged, this, [this] { VScroll4_Change(); });
    connect(VScroll5, &QScrollBar::valueChanged, this, [this] { VScroll5_Change(); });
    connect(HScroll1, &QScrollBar::valueChanged, this, [this] { HScroll1_Change(); });
    connect(HScroll2, &QScrollBar::valueChanged, this, [this] { HScroll2_Change(); });
    connect(VScroll2, &QScrollBar::valueChanged, this, [this] { VScroll2_Change(); });
    connect(Combo1, &QComboBox::currentIndexChanged, this, [this] { Combo1_Click(); });

    connect(Drive1, &QComboBox::currentIndexChanged, this, [this] { Drive1_Change(); });
    connect(File1, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            File1_Click();
    });
    connect(File1, &QListWidget::itemDoubleClicked, this, [this] { File1_DblClick(); });

    Picture2Box->mouseDown = [this](int b, int s, double x, double y) { Picture2_MouseDown(b, s, x, y); };
    Picture2Box->mouseMove = [this](int b, int s, double x, double y) { Picture2_MouseMove(b, s, x, y); };
    Picture2Box->mouseUp = [this](int b, int s, double x, double y) { Picture2_MouseUp(b, s, x, y); };
    Picture3Box->mouseDown = [this](int b, int s, double x, double y) { Picture3_MouseDown(b, s, x, y); };
    Picture3Box->mouseMove = [this](int b, int s, double x, double y) { Picture3_MouseMove(b, s, x, y); };
    Picture3Box->mouseUp = [this](int b, int s, double x, double y) { Picture3_MouseUp(b, s, x, y); };
    Picture11Box->mouseDown = [this](int b, int s, double x, double y) { Picture11_MouseDown(b, s, x, y); };
    Picture11Box->mouseMove = [this](int b, int s, double x, double y) { Picture11_MouseMove(b, s, x, y); };
    Picture11Box->mouseUp = [this](int b, int s, double x, double y) { Picture11_MouseUp(b, s, x, y); };
    for (int g = 0; g < 6; ++g) {
        Picture8Box[g]->mouseDown = [this, g](int b, int s, double x, double y) { Picture8_MouseDown(g, b, s, x, y); };
        Picture8Box[g]->mouseMove = [this, g](int b, int s, double x, double y) { Picture8_MouseMove(g, b, s, x, y); };
        Picture8Box[g]->mouseUp = [this, g](int b, int s, double x, double y) { Picture8_MouseUp(g, b, s, x, y); };
    }
    wireThreadTips(*this);
    wireEditor();
}

void Form1::wireWork()
{
    connect(&work, &Work::changed, this, [this](const WorkChange& c) {
        if (c.has(WorkChange::Fresh)) {
            // a new picture or pattern: the magnifier starts empty and the swatch marker goes
            Picture10.BackColor = magnifierBackColour;
            Picture10.Cls();
            Picture10.Refresh();
            Picture9.setLeft(kMarkerHidden);
        }
        if (c.has(WorkChange::Reading))
            setCheckValue(Check2, 0);
        if (c.has(WorkChange::ColourCount)) {
            // written with listo clear, so the controls' own handlers stay out; a box the user is
            // typing in is left as it is
            Quiet quiet(work);
            VScroll1->setValue(work.settings().colours);
            if (!c.colourText.isNull() && !(Text1->hasFocus() && Text1->isModified()))
                Text1->setText(c.colourText);
        }
        if (c.has(WorkChange::Strips)) {
            if (c.longestStrip >= 0)
                HScroll1->setMaximum(c.longestStrip);
            for (PictureBox* b : Picture8Box)
                b->update();
        }
        if (c.has(WorkChange::Embroidery))
            Picture2Box->update();
        if (c.has(WorkChange::Sheets))
            showSheets();
        if (c.has(WorkChange::ChartOptions)) {
            showChartOptions();
            // the chart options' own clicks hide the progress labels after the redraw
            if (c.has(WorkChange::Chart))
                for (QLabel* l : { Label1, Label2, Label3 })
                    l->setVisible(false);
        }
    });
}
