#pragma once
// The percentage figure of a long procedure, passed on only when its text changes: the label
// then shows exactly what it would if it were set on every step, without repainting it each time.
#include "colour/work_state.h"

class ProgressFigure {
public:
    explicit ProgressFigure(const Progress& progress)
        : m_progress(progress)
    {
    }
    void show(int figure)
    {
        if (figure == m_last)
            return;
        m_last = figure;
        m_progress.setFigure(QString::number(figure));
    }

private:
    const Progress& m_progress;
    int m_last = -1;
};
