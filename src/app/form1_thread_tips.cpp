#include "app/form1_thread_tips.h"

#include "app/form1.h"
#include "colour/matching.h"

namespace {
QString tipOf(const Form1& f, const std::optional<Work::ThreadAt>& t)
{
    return t ? threadTip(f.work.state(), t->colour) : QString();
}
} // namespace

void wireThreadTips(Form1& f)
{
    // the stitch under the pointer as the colour finder reads it, when it is on a swatch
    f.Picture2Box->toolTipAt = [&f](double X, double Y) { return tipOf(f, f.work.threadAt(X, Y)); };
    // the stitch of the sheet on show; the key lists its threads already
    f.Picture11Box->toolTipAt = [&f](double X, double Y) { return tipOf(f, f.work.threadAtSheet(X, Y)); };
    for (int g = 0; g < 6; ++g)
        f.Picture8Box[std::size_t(g)]->toolTipAt
            = [&f, g](double X, double) { return tipOf(f, f.work.threadAtSwatch(g, X)); };
}
