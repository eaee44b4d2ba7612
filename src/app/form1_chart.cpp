// The chart in the window: the first sheet with the selectors and the strip symbols, any other
// sheet or the key on demand, and the two sheet selectors.
#include "app/form1.h"
#include "colour/matching.h"
#include "render/chart.h"
#include "surface/dialogs.h"

#include <functional>
#include <new>
#include <stdexcept>

namespace {
const QString kNoMemory = QStringLiteral("No hay suficiente memoria para dibujar el patrón. Reduce los puntos.");

ChartOptions chartOptions(const Form1& f)
{
    ChartOptions o;
    o.symbols = checkValue(f.Check4) == 1;
    o.colours = checkValue(f.Check5) == 1;
    o.grid = checkValue(f.Check6) == 1;
    o.symbolFont = f.Combo1->currentText();
    o.plainFont = f.picture1FontName;
    return o;
}

// The end of every chart drawing that failed: the chart back at its frame's corner, the
// default pointer, and the program ready again.
void endFailedDrawing(Form1& f, const QString& message, const QString& title)
{
    dialogs().MsgBox(message, vbCritical, title);
    f.Picture11.move(0, 0);
    f.setMousePointer(0);
    f.st.listo = True;
}

// Runs one chart drawing under the busy flag and the hourglass. A surface that cannot be made,
// or any other failure, ends with its message; every drawing ends with listo True.
void guardedDrawing(Form1& f, const std::function<ChartResult()>& draw)
{
    try {
        f.st.listo = False;
        f.setMousePointer(11);
        if (draw() == ChartResult::NoMemory) {
            endFailedDrawing(f, kNoMemory, QStringLiteral("Error de memoria"));
            return;
        }
        f.Picture11.Refresh();
        f.setMousePointer(0);
        f.st.listo = True;
    } catch (const std::bad_alloc&) {
        endFailedDrawing(f, kNoMemory, QStringLiteral("Error de memoria"));
    } catch (const std::exception&) {
        endFailedDrawing(f, QStringLiteral("Error"), QStringLiteral("Puntela"));
    }
}
} // namespace

// Redraws the first sheet, resets the selectors to it with their maxima, and writes the symbols
// on the strips after gama2 has repainted them. Failures end with a message and listo True.
void Form1::patron()
{
    guardedDrawing(*this, [this] {
        const ChartOptions options = chartOptions(*this);
        const PatternSize size = patternSize(st, Picture2);
        // listo is False, so the change events these raise do nothing
        HScroll2->setValue(1);
        HScroll2->setMaximum(hScrollMax(size.W()));
        VScroll2->setValue(1);
        VScroll2->setMaximum(std::max(1, vScrollMax(size.H())));
        setStripFonts(Picture8, options.symbolFont);
        const ChartResult r = drawFirstSheet({ st, size, Picture11, Picture15, options, progress() });
        if (r == ChartResult::Drawn) {
            gama2();
            if (options.symbols)
                drawStripSymbols(Picture8, st, options.symbolFont);
            Picture11.move(0, 0);
        }
        return r;
    });
}

// Draws the sheet the selectors point at, or the key when HScroll2 stands at its last position.
void Form1::patron1()
{
    guardedDrawing(*this, [this] {
        const int H = HScroll2->value(), V = VScroll2->value();
        const int hMax = HScroll2->maximum(), vMax = VScroll2->maximum();
        const ChartJob job { st, patternSize(st, Picture2), Picture11, Picture15, chartOptions(*this), progress() };
        return H == hMax ? drawKey(job, sheetTotal(hMax, vMax), [this](Long c) { return dmci(st, c); })
                         : drawSheet(job, H, V, hMax, vMax);
    });
}

void Form1::HScroll2_Change()
{
    if (st.listo)
        patron1();
}

void Form1::VScroll2_Change()
{
    if (st.listo)
        patron1();
}
