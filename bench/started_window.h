#pragma once
// The main window as the window benchmarks start it: shown, the start-up help already seen, the
// picture in place, "Completa" chosen and the pattern size typed.
#include "app/form1.h"

#include <QCoreApplication>

// Lets the window handle what is waiting: paints, resizes, timers.
inline void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

// False when the window could not start.
inline bool startWindow(Form1& f, const QImage& picture, const QString& width, const QString& height)
{
    f.ayuda_inicio = True;
    if (!f.Form_Load())
        return false;
    f.show();
    settle();
    f.work.Picture3.setPicture(picture);
    f.Option1[3]->setChecked(true);
    f.Text4->setText(width);
    f.Text5->setText(height);
    return true;
}
