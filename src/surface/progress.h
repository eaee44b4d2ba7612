#pragma once
// How a long procedure reports: the stage text (Label3 in the window), the figure (Label1), an
// error (shown with er) and the mouse pointer (0 default, 11 hourglass). The window repaints what
// each call changed at once; the batch command prints it.
#include <QString>
#include <functional>

struct Progress {
    std::function<void(const QString&)> stage;
    std::function<void(const QString&)> figure;
    std::function<void(const QString&)> error;
    std::function<void(int)> pointer;

    void setStage(const QString& s) const
    {
        if (stage)
            stage(s);
    }
    void setFigure(const QString& s) const
    {
        if (figure)
            figure(s);
    }
    void report(const QString& s) const
    {
        if (error)
            error(s);
    }
    void setPointer(int kind) const
    {
        if (pointer)
            pointer(kind);
    }
};
