#include "app/form1.h"
#include "app/editor/editor_window.h"

#include "app/icons.h"
#include "app/preview_widget.h"
#include "surface/dialogs.h"
#include "views/hand_cursors.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <algorithm>

int checkValue(const QCheckBox* box)
{
    switch (box->checkState()) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    default:
        return 0;
    }
}

void setCheckValue(QCheckBox* box, int value)
{
    box->setCheckState(value == 1 ? Qt::Checked : value == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
    // a greyed value set from code must not turn the user's clicks three-state
    if (value != 2)
        box->setTristate(false);
}

namespace {
QPushButton* pictureButton(QWidget* parent, int x, int y, int w, int h, const QString& tip, const QIcon& icon)
{
    auto* b = new QPushButton(parent);
    b->setGeometry(x, y, w, h);
    b->setToolTip(tip);
    b->setIcon(icon);
    b->setIconSize(QSize(w - 4, h - 4));
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

// Picture buttons answer a click anywhere on them, not only on their caption.
class PictureCheckBox : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

class PictureRadioButton : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

// A check box drawn as a small picture button that stays pressed while ticked.
QCheckBox* pictureCheck(QWidget* parent, int x, int y, const QString& tip, const QString& caption, const QIcon& icon)
{
    auto* c = new PictureCheckBox(caption, parent);
    c->setProperty("graphical", true);
    c->setGeometry(x, y, 20, 20);
    c->setToolTip(tip);
    c->setIcon(icon);
    c->setIconSize(QSize(16, 16));
    return c;
}

const char* kPictureButtonStyle = R"(
QCheckBox[graphical="true"], QRadioButton[graphical="true"] {
    border: 1px solid #8a8a8a; border-radius: 2px; background: #f2f2f2; padding: 1px; spacing: 0px; }
QCheckBox[graphical="true"]:checked, QRadioButton[graphical="true"]:checked {
    background: #b9d0ea; border: 1px solid #2f5f94; }
QCheckBox[graphical="true"]:indeterminate { background: #f3d98a; border: 1px solid #9a7a20; }
QCheckBox[graphical="true"]:disabled { color: #999; }
QCheckBox[graphical="true"]::indicator, QRadioButton[graphical="true"]::indicator { width: 0px; height: 0px; }
)";

// A small vertical scroll bar used as a spinner: its up arrow counts up, as the wheel turned up
// and the Up key do. Qt's bar counts down with its up arrow, and an inverted appearance does not
// turn the arrows round with every style, so while an arrow is held (its first step and every
// repeat) the step is turned round here.
class SpinnerBar : public QScrollBar {
public:
    explicit SpinnerBar(QWidget* parent)
        : QScrollBar(Qt::Vertical, parent)
    {
        setInvertedControls(false);
        setContextMenuPolicy(Qt::NoContextMenu);
        connect(this, &QAbstractSlider::actionTriggered, this, &SpinnerBar::arrowCountsUp);
    }

private:
    void arrowCountsUp(int action)
    {
        // only the arrows set a repeat action; keys and the wheel already count the right way
        if (repeatAction() == SliderNoAction)
            return;
        if (action == SliderSingleStepSub)
            setSliderPosition(std::min(value() + singleStep(), maximum()));
        else if (action == SliderSingleStepAdd)
            setSliderPosition(std::max(value() - singleStep(), minimum()));
    }
};

QScrollBar* spinner(QWidget* parent, int x, int y, int max, int step)
{
    auto* s = new SpinnerBar(parent);
    s->setGeometry(x, y, 14, 20);
    s->setRange(0, max);
    s->setSingleStep(step);
    s->setPageStep(step);
    return s;
}

QFrame* panel(QWidget* parent, int x, int y, int w, int h)
{
    auto* f = new QFrame(parent);
    f->setGeometry(x, y, w, h);
    f->setFrameShape(QFrame::NoFrame);
    f->setAutoFillBackground(true);
    return f;
}
} // namespace

Form1::Form1(QWidget* parent)
    : QWidget(parent)
{
    setCaption(QStringLiteral("Puntela 1.2 Demo"));
    setFixedSize(634, 455);
    setStyleSheet(QString::fromLatin1(kPictureButtonStyle));
    buildWindow();
    magnifierBackColour = colourFromRgb(palette().color(QPalette::Button).rgb());
    {
        ChartOptions o = work.settings().chart;
        o.plainFont = picture1FontName;
        work.setChartOptions(o);
    }
    wireEvents();
    wireWork();
    initBrowser();
}

Form1::~Form1()
{
    // the editor shows the work, which goes before the window's children do
    delete editor;
}

void Form1::buildWindow()
{
    buildBrowser();
    buildSurfaces();
    buildPanels();
}

void Form1::buildBrowser()
{
    Dir1 = new QListWidget(this);
    Dir1->setGeometry(7, 12, 168, 54);
    Drive1 = new QComboBox(this);
    Drive1->setGeometry(7, 63, 168, 22);
    Command9 = new QPushButton(this);
    Command9->setGeometry(175, 12, 10, 73);
    Command9->setToolTip(QStringLiteral("Ocultar"));
    Command9->setIcon(makeIcon(IconKind::Hide));
    File1 = new QListWidget(this);
    File1->setGeometry(186, 11, 123, 76);
    File1->installEventFilter(this);

    Picture6 = panel(this, 0, 0, 312, 95);
    Command2 = new QPushButton(QStringLiteral("Abrir"), Picture6);
    Command2->setGeometry(7, 8, 50, 22);
    Command2->setToolTip(QStringLiteral("Abrir imagen"));
    Frame2 = new QGroupBox(Picture6);
    Frame2->setGeometry(7, 32, 50, 62);
    const char* tips[5] = { "Mínima", "Media", "Grande", "Completa", "Personalizada" };
    const IconKind icons[5] = { IconKind::CatalogueMin, IconKind::CatalogueMid, IconKind::CatalogueLarge,
        IconKind::CatalogueFull, IconKind::CataloguePersonal };
    for (int i = 0; i < 5; ++i) {
        Option1[i] = new PictureRadioButton(Frame2);
        Option1[i]->setProperty("graphical", true);
        Option1[i]->setGeometry(4 + (i % 2) * 21, 3 + (i / 2) * 19, 18, 18);
        Option1[i]->setToolTip(QString::fromUtf8(tips[i]));
        Option1[i]->setIcon(makeIcon(icons[i]));
        Option1[i]->setIconSize(QSize(14, 14));
    }
    Option1[2]->setChecked(true);
    Frame1 = new QGroupBox(QStringLiteral("Lupa"), Picture6);
    Frame1->setGeometry(62, 4, 42, 50);
    ListView1 = new QListWidget(Picture6);
    ListView1->setGeometry(108, 4, 200, 86);
    ListView1->setViewMode(QListView::ListMode);
    ListView1->setIconSize(QSize(13, 11));
    ListView1->setFlow(QListView::TopToBottom);
    ListView1->setWrapping(true);
    ListView1->setResizeMode(QListView::Adjust);
    ListView1->setUniformItemSizes(true);
    ListView1->setGridSize(QSize(58, 14));
    ListView1->setMovement(QListView::Static);
    QFont small = ListView1->font();
    small.setPointSize(7);
    ListView1->setFont(small);
    ListView1->setToolTip(QStringLiteral("Paleta"));
}

void Form1::buildSurfaces()
{
    Picture4 = new QFrame(this);
    Picture4->setGeometry(7, 138, 304, 304);
    Picture4->setFrameShape(QFrame::Panel);
    Picture4->setFrameShadow(QFrame::Sunken);
    Picture1 = new QFrame(this);
    Picture1->setGeometry(316, 138, 304, 304);
    Picture1->setFrameShape(QFrame::Panel);
    Picture1->setFrameShadow(QFrame::Sunken);
    picture1FontName = font().family();

    work.Picture2.move(-2, -2);
    work.Picture2.setMousePointer(99);
    work.Picture2.setMouseIcon(hoverCursor());
    Picture2Box = new PictureBox(work.Picture2, Picture4);
    Picture3Box = new PictureBox(work.Picture3, Picture1);
    work.Picture3.setMousePointer(5);
    work.Picture11.setVisible(false);
    work.Picture11.setMousePointer(5);
    Picture11Box = new PictureBox(work.Picture11, Picture1);
    work.Picture14.setVisible(false);
    Picture14Box = new PictureBox(work.Picture14, Picture1);

    Picture5 = new QFrame(this);
    Picture5->setGeometry(316, 4, 91, 95);
    Picture5->setFocusPolicy(Qt::StrongFocus);
    Image1Box = new PreviewBox(work.Image1, Picture5);

    Picture10.BackColor = RGB(240, 240, 240);
    Picture10.Cls();
    Picture10.move(6, 16);
    Picture10Box = new PictureBox(Picture10, Frame1);
}

void Form1::buildPanels()
{
    const int y = 97;
    Label3 = new QLabel(this);
    // as far as the "%": the figure and the "%" are empty when the line reports a save with its
    // folder, and a stage text never reaches them
    Label3->setGeometry(9, y, 303, 14);
    Label1 = new QLabel(this);
    // wide enough for "100"
    Label1->setGeometry(270, y, 30, 14);
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label2 = new QLabel(this);
    Label2->setGeometry(300, y, 12, 14);
    Label5 = new QLabel(this);
    // right-aligned so that four digits still end just before the "x"
    Label5->setGeometry(392, y, 40, 14);
    Label5->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label7 = new QLabel(QStringLiteral("x"), this);
    Label7->setGeometry(433, y, 5, 14);
    Label6 = new QLabel(this);
    Label6->setGeometry(438, y, 90, 14);
    Label4 = new QLabel(QStringLiteral("Corregir gama"), this);
    Label4->setGeometry(534, y, 96, 14);
    for (QLabel* l : { Label5, Label6, Label7 })
        l->setVisible(false);

    // palette panel: six strips, the marker and their buttons
    Picture7 = panel(this, 410, 0, 224, 95);
    // the strips scroll under a window of twenty swatches; positions stay those of the panel
    auto* stripWindow = new QWidget(Picture7);
    stripWindow->setGeometry(0, 0, 206, 68);
    for (int g = 0; g < 6; ++g) {
        work.Picture8[g].move(4, 4 + 10 * g);
        work.Picture8[g].setMousePointer(9);
        Picture8Box[g] = new PictureBox(work.Picture8[g], stripWindow);
    }
    Picture9.move(-15, 2);
    Picture9Box = new PictureBox(Picture9, stripWindow);
    HScroll1 = new QScrollBar(Qt::Horizontal, Picture7);
    HScroll1->setGeometry(4, 70, 200, 14);
    HScroll1->setRange(0, 0);
    Command4 = pictureButton(Picture7, 206, 4, 18, 18, QStringLiteral("Deshacer cambio"), makeIcon(IconKind::Undo));
    Command4->setEnabled(false);
    Check7 = pictureCheck(Picture7, 205, 25, QStringLiteral("Cambiar un color por otro"), QStringLiteral("I"), QIcon());
    check8 = pictureButton(Picture7, 206, 46, 18, 18, QStringLiteral("Redibujar bordado"), QIcon());
    check8->setText(QStringLiteral("r"));
    check8->setEnabled(false);

    // settings panel under the embroidery
    Picture12 = panel(this, 7, 113, 304, 24);
    // each box shows its largest value whole: "999" colours, "1201" stitches
    Text1 = new QLineEdit(QStringLiteral("248"), Picture12);
    Text1->setGeometry(0, 2, 32, 20);
    Text1->setToolTip(QStringLiteral("Colores aproximados"));
    VScroll1 = spinner(Picture12, 32, 2, 999, 1);
    Text4 = new QLineEdit(QStringLiteral("100"), Picture12);
    Text4->setGeometry(48, 2, 38, 20);
    Text4->setToolTip(QStringLiteral("Puntos de ancho"));
    VScroll4 = spinner(Picture12, 86, 2, 9999, 3);
    Text5 = new QLineEdit(QStringLiteral("100"), Picture12);
    Text5->setGeometry(102, 2, 38, 20);
    Text5->setToolTip(QStringLiteral("Puntos de alto"));
    VScroll5 = spinner(Picture12, 140, 2, 9999, 3);
    for (QLineEdit* t : { Text1, Text4, Text5 })
        t->installEventFilter(this);
    Check1 = pictureCheck(Picture12, 158, 2, QStringLiteral("Activar lupa"), QString(), makeIcon(IconKind::Magnifier));
    Check2 = pictureCheck(Picture12, 180, 2, QStringLiteral("Ver cuadrícula"), QString(), makeIcon(IconKind::Grid));
    // the small caption-less box that picks the other way of sorting colours
    Check9 = new QCheckBox(Picture12);
    Check9->setGeometry(204, 4, 16, 16);
    Check9->setToolTip(QStringLiteral("Agrupar los colores de otra forma"));
    Command3[0] = pictureButton(
        Picture12, 224, 2, 20, 20, QStringLiteral("Ver toda la pantalla"), makeIcon(IconKind::FullScreen));
    Command1
        = pictureButton(Picture12, 248, 2, 24, 20, QStringLiteral("Punto sencillo"), makeIcon(IconKind::SingleStitch));
    Command5
        = pictureButton(Picture12, 276, 2, 24, 20, QStringLiteral("Punto doble"), makeIcon(IconKind::DoubleStitch));

    // pattern panel over the command panel: pattern files, the thread list, the PDF chart and the
    // colour options
    // (it reaches the palette panel's left edge, under which nothing else is placed)
    Picture17 = panel(this, 316, 89, 94, 24);
    threadListButton
        = pictureButton(Picture17, 19, 2, 17, 20, QStringLiteral("Lista de hilos"), makeIcon(IconKind::ThreadList));
    editPatternButton
        = pictureButton(Picture17, 38, 2, 17, 20, QStringLiteral("Editar patrón"), makeIcon(IconKind::EditPattern));
    chartPdfButton
        = pictureButton(Picture17, 57, 2, 17, 20, QStringLiteral("Exportar PDF"), makeIcon(IconKind::ChartPdf));
    savePatternButton
        = pictureButton(Picture17, 0, 2, 17, 20, QStringLiteral("Guardar patrón"), makeIcon(IconKind::SavePattern));
    colourOptionsButton = pictureButton(
        Picture17, 76, 2, 17, 20, QStringLiteral("Opciones de color"), makeIcon(IconKind::ColourOptions));

    // command panel under the picture and the chart
    Picture13 = panel(this, 316, 113, 318, 24);
    Check3 = pictureCheck(Picture13, 0, 2, QStringLiteral("Ver patrón"), QString(), makeIcon(IconKind::Chart));
    Command3[1] = pictureButton(
        Picture13, 20, 2, 18, 20, QStringLiteral("Ver toda la pantalla"), makeIcon(IconKind::FullScreen));
    struct B {
        QPushButton** b;
        const char* tip;
        IconKind icon;
    };
    const B buttons[] = {
        { &Command11, "Inicial", IconKind::Reset },
        { &Command12, "+ Brillo", IconKind::BrightUp },
        { &Command13, "- Brillo", IconKind::BrightDown },
        { &Command21, "+ Contraste", IconKind::ContrastUp },
        { &Command20, "- Contraste", IconKind::ContrastDown },
        { &Command15, "+ Rojo", IconKind::RedUp },
        { &Command14, "- Rojo", IconKind::RedDown },
        { &Command17, "+ Verde", IconKind::GreenUp },
        { &Command16, "- Verde", IconKind::GreenDown },
        { &Command19, "+ Azul", IconKind::BlueUp },
        { &Command18, "- Azul", IconKind::BlueDown },
        { &Command6, "Imprimir", IconKind::Print },
        { &Command7, "Guardar imágenes", IconKind::Save },
        { &Command10, "Ayuda", IconKind::Help },
        { &Command8, "Fin", IconKind::Quit },
    };
    int x = 40;
    for (const B& b : buttons) {
        *b.b = pictureButton(Picture13, x, 2, 17, 20, QString::fromUtf8(b.tip), makeIcon(b.icon));
        x += 17;
    }
    Check10 = pictureCheck(Picture13, x + 1, 2, QStringLiteral("Elegir color"), QString(), makeIcon(IconKind::Picker));
    Combo1 = new QComboBox(Picture13);
    Combo1->setGeometry(40, 2, 150, 20);
    Combo1->setToolTip(QStringLiteral("Fuente para signos"));
    Check4 = pictureCheck(Picture13, 196, 2, QStringLiteral("Ver signos"), QStringLiteral("A"), QIcon());
    Check5 = pictureCheck(Picture13, 218, 2, QStringLiteral("Ver colores"), QString(), makeIcon(IconKind::Colours));
    Check6 = pictureCheck(Picture13, 240, 2, QStringLiteral("Ver cuadrícula"), QString(), makeIcon(IconKind::Grid));
    for (QCheckBox* c : { Check4, Check5, Check6 })
        setCheckValue(c, 1);
    for (QWidget* w : std::initializer_list<QWidget*> { Combo1, Check4, Check5, Check6 })
        w->setVisible(false);

    HScroll2 = new QScrollBar(Qt::Horizontal, this);
    HScroll2->setGeometry(316, 442, 304, 13);
    HScroll2->setRange(1, 1);
    HScroll2->setVisible(false);
    VScroll2 = new QScrollBar(Qt::Vertical, this);
    VScroll2->setGeometry(619, 140, 15, 299);
    VScroll2->setRange(1, 1);
    VScroll2->setVisible(false);
}

void Form1::setMousePointer(int kind)
{
    m_mousePointer = kind;
    if (kind == 0)
        unsetCursor();
    else
        setCursor(cursorForPointer(kind, QCursor()));
}

void Form1::focusSink() { Picture5->setFocus(Qt::OtherFocusReason); }

Progress Form1::progress()
{
    Progress p;
    p.stage = [this](const QString& s) {
        Label3->setText(s);
        // a stage replaces the report of the last save or print, and its tool tip with it
        Label3->setToolTip(QString());
        Label3->repaint();
    };
    p.figure = [this](const QString& s) {
        Label1->setText(s);
        Label1->repaint();
    };
    p.error = [this](const QString& s) { er(s); };
    p.pointer = [this](int k) { setMousePointer(k); };
    return p;
}

ChartOptions Form1::chartOptionsShown() const
{
    ChartOptions o;
    o.symbols = checkValue(Check4) == 1;
    o.colours = checkValue(Check5) == 1;
    o.grid = checkValue(Check6) == 1;
    o.symbolFont = Combo1->currentText();
    o.plainFont = picture1FontName;
    return o;
}

void Form1::showSheets()
{
    Quiet quiet(work);
    const Settings& s = work.settings();
    HScroll2->setValue(s.sheetH);
    HScroll2->setMaximum(s.sheetHMax);
    HScroll2->setValue(s.sheetH);
    VScroll2->setValue(s.sheetV);
    VScroll2->setMaximum(s.sheetVMax);
    VScroll2->setValue(s.sheetV);
}

void Form1::showChartOptions()
{
    Quiet quiet(work);
    setCheckValue(Check6, work.settings().chart.grid ? 1 : 0);
    setCheckValue(Check4, work.settings().chart.symbols ? 1 : 0);
    setCheckValue(Check5, work.settings().chart.colours ? 1 : 0);
}

int CurrentDialogs::MsgBox(const QString& prompt, int buttons, const QString& title)
{
    return dialogs().MsgBox(prompt, buttons, title);
}

QString CurrentDialogs::InputBox(const QString& prompt, const QString& title, const QString& defaultText)
{
    return dialogs().InputBox(prompt, title, defaultText);
}

QString CurrentDialogs::SaveFileName(const QString& caption, const QString& suggested, const QString& filter)
{
    return dialogs().SaveFileName(caption, suggested, filter);
}

void Form1::closeEvent(QCloseEvent* e)
{
    Form_Unload();
    e->accept();
}

void Form1::changeEvent(QEvent* e)
{
    QWidget::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            int KeyAscii = 13;
            if (watched == Text1)
                Text1_KeyPress(KeyAscii);
            else if (watched == Text4)
                Text4_KeyPress(KeyAscii);
            else if (watched == Text5)
                Text5_KeyPress(KeyAscii);
            else if (watched == File1)
                File1_KeyPress(KeyAscii);
            return KeyAscii == 0;
        }
    } else if (event->type() == QEvent::Wheel) {
        // the wheel over a number turns its spinner, as it does over the arrows
        QScrollBar* spinner = watched == Text1 ? VScroll1
            : watched == Text4                 ? VScroll4
            : watched == Text5                 ? VScroll5
                                               : nullptr;
        if (spinner) {
            QCoreApplication::sendEvent(spinner, event);
            return true;
        }
    } else if (event->type() == QEvent::FocusOut) {
        // the box is left only when the focus moves within the window, not when a message
        // box or another window takes the activation
        const Qt::FocusReason why = static_cast<QFocusEvent*>(event)->reason();
        if (why == Qt::ActiveWindowFocusReason || why == Qt::PopupFocusReason)
            return QWidget::eventFilter(watched, event);
        if (watched == Text1)
            Text1_LostFocus();
        else if (watched == Text4)
            Text4_LostFocus();
        else if (watched == Text5)
            Text5_LostFocus();
    }
    return QWidget::eventFilter(watched, event);
}
