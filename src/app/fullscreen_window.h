#pragma once
// The full-screen view: a frameless window over the whole screen, a backdrop and the picture
// at its own size, centred; the picture can be dragged with the left button, and Escape or any
// other button hides the window (it is kept for the next use).
#include "app/picture_box_widget.h"
#include "colour/work_state.h"
#include "surface/surface.h"

#include <QWidget>

class Form2 : public QWidget {
    Q_OBJECT
public:
    // `drag` is the drag state shared with the main window.
    Form2(DragState& drag, QWidget* parent);

    enum class Shown { Ok, OutOfMemory, Failed };
    // Passes `source` through the clipboard into Picture1, covers the screen with the backdrop,
    // centres the picture on it and shows the window. Nothing is shown on failure.
    Shown showPicture(const QImage& source);

    Surface Picture2 { 0, 0, 0 }; // the backdrop
    Surface Picture1 { 0, 0, 0 }; // the picture
    PictureBox* Picture2Box = nullptr;
    PictureBox* Picture1Box = nullptr;

    void Form_KeyDown(int KeyCode);
    void Form_MouseDown(int Button);
    void Picture1_KeyDown(int KeyCode);
    void Picture1_MouseDown(int Button, double X, double Y);
    void Picture1_MouseMove(double X, double Y);
    void Picture1_MouseUp();
    void Picture2_KeyDown(int KeyCode);
    void Picture2_MouseDown(int Button);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    void coverScreen();
    DragState& m_drag;
};
