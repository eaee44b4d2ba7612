#include "app/fullscreen_window.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>

namespace {
constexpr int kEscape = 27;
constexpr int kLeftButton = 1;
} // namespace

Form2::Form2(DragState& drag, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , m_drag(drag)
{
    setWindowTitle(QStringLiteral("Puntela"));
    Picture2.BackColor = RGB(0, 0, 0);
    Picture2Box = new PictureBox(Picture2, this);
    Picture1Box = new PictureBox(Picture1, Picture2Box);
    Picture1.setMousePointer(5);
    for (PictureBox* box : { Picture2Box, Picture1Box })
        box->setFocusPolicy(Qt::StrongFocus);
    Picture2Box->keyDown = [this](int k) { Picture2_KeyDown(k); };
    Picture2Box->mouseDown = [this](int b, int, double, double) { Picture2_MouseDown(b); };
    Picture1Box->keyDown = [this](int k) { Picture1_KeyDown(k); };
    Picture1Box->mouseDown = [this](int b, int, double x, double y) { Picture1_MouseDown(b, x, y); };
    Picture1Box->mouseMove = [this](int, int, double x, double y) { Picture1_MouseMove(x, y); };
    Picture1Box->mouseUp = [this](int, int, double, double) { Picture1_MouseUp(); };
}

void Form2::coverScreen()
{
    const QRect screenRect = (screen() ? screen() : QGuiApplication::primaryScreen())->geometry();
    // one pixel more than the screen each way, as the backdrop always had
    Picture2.setWidth(screenRect.width() + 1);
    Picture2.setHeight(screenRect.height() + 1);
    Picture2.Cls();
    Picture2.move(0, 0);
    // half an odd difference goes to the even neighbour, as every position worked out in halves
    Picture1.move(
        CLng((Picture2.Width() - Picture1.Width()) / 2.0), CLng((Picture2.Height() - Picture1.Height()) / 2.0));
    // without a window manager a maximised window keeps its old size: give it the screen too
    setGeometry(screenRect);
}

Form2::Shown Form2::showPicture(const QImage& source)
{
    if (source.isNull() || source.width() < 1 || source.height() < 1)
        return Shown::Failed;
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setImage(source);
    const QImage bitmap = clipboard->image();
    if (bitmap.isNull())
        return Shown::OutOfMemory;
    Picture1.setPicture(bitmap);
    if (Picture1.pixelWidth() != bitmap.width() || Picture1.pixelHeight() != bitmap.height())
        return Shown::OutOfMemory;
    coverScreen();
    showMaximized();
    activateWindow();
    Picture1Box->setFocus(Qt::OtherFocusReason);
    return Shown::Ok;
}

void Form2::Form_KeyDown(int KeyCode)
{
    if (KeyCode == kEscape)
        hide();
}

void Form2::Form_MouseDown(int Button)
{
    if (Button != kLeftButton)
        hide();
}

void Form2::Picture1_KeyDown(int KeyCode) { Form_KeyDown(KeyCode); }

void Form2::Picture1_MouseDown(int Button, double X, double Y)
{
    if (Button != kLeftButton) {
        // the release goes nowhere once the view is hidden: no drag may be left running
        hide();
        m_drag.arrastrando = False;
        return;
    }
    m_drag.arrastrando = True;
    m_drag.x_arrastre = Single(X);
    m_drag.y_arrastre = Single(Y);
}

void Form2::Picture1_MouseMove(double X, double Y)
{
    if (m_drag.arrastrando == False)
        return;
    // the picture follows the pointer, rounded to the nearest pixel like the main window's pictures
    Picture1.move(
        CLng(Picture1.Left() + X - double(m_drag.x_arrastre)), CLng(Picture1.Top() + Y - double(m_drag.y_arrastre)));
}

void Form2::Picture1_MouseUp() { m_drag.arrastrando = False; }

void Form2::Picture2_KeyDown(int KeyCode) { Form_KeyDown(KeyCode); }

void Form2::Picture2_MouseDown(int Button) { Form_MouseDown(Button); }

void Form2::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape)
        Form_KeyDown(kEscape);
    else
        QWidget::keyPressEvent(e);
}

void Form2::mousePressEvent(QMouseEvent* e)
{
    Form_MouseDown(e->button() == Qt::LeftButton ? 1 : e->button() == Qt::RightButton ? 2 : 4);
}
