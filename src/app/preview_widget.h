#pragma once
// Shows the preview image control: its picture drawn stretched at its (fractional) place.
#include "work/work.h"

#include <QWidget>

class PreviewBox : public QWidget {
    Q_OBJECT
public:
    PreviewBox(ImageControl& image, QWidget* parent);
    // Call after changing the control, so the box repaints it.
    void sync();

protected:
    void paintEvent(QPaintEvent*) override;

private:
    ImageControl& m_image;
};
