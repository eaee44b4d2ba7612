// Pattern files of the work: saving the pattern on show, opening one as the pattern on show, and
// keeping the last pattern in the working folder.
#include "colour/palette_index.h"
#include "image/browser.h"
#include "image/embroidery_sizing.h"
#include "output/stitch_picture.h"
#include "render/clear_symbols.h"
#include "render/extras_drawing.h"
#include "surface/work_folder.h"
#include "views/strip_maths.h"
#include "views/undo_file.h"
#include "work/work.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QPainter>
#include <algorithm>
#include <set>

namespace {
// Each palette colour's number in the "Símbolos claros" set when every symbol of the file is a
// symbol of that set and no two are alike (a file saved with that set chosen); else empty.
std::unordered_map<Long, int> clearSymbolNumbers(const Pattern& p)
{
    QHash<QString, int> numberOf;
    for (int n = 0; n < clearSymbolCount(); ++n)
        numberOf.insert(clearSymbol(n), n);
    std::unordered_map<Long, int> numbers;
    std::set<int> used;
    for (const PatternThread& t : p.palette) {
        const auto it = numberOf.constFind(t.symbol);
        if (it == numberOf.constEnd() || !used.insert(it.value()).second)
            return {};
        numbers.emplace(t.colour, it.value());
    }
    return numbers;
}

int longestGroup(const WorkState& st) { return *std::max_element(st.num_tono.begin(), st.num_tono.end()); }
} // namespace

QString lastPatternFileName() { return QStringLiteral("ultimo.oxs"); }

QString Work::savePattern(const QString& path)
{
    if (!hasPattern())
        return QStringLiteral(
            "No hay ningún patrón que guardar. Pulse \"Punto sencillo\" o \"Punto doble\" para crearlo.");
    return saveOxsFile(path, pattern(), m_patternDetails);
}

bool Work::openPattern(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    OxsRead read = readOxsFile(path, m_st.dmc_todos);
    if (!read.ok()) {
        er(read.error);
        return false;
    }
    // the pattern goes into a copy first: one the work cannot hold leaves everything on show
    WorkState next = m_st;
    if (!putPatternInState(read.pattern, next)) {
        er(QStringLiteral("No se puede abrir el patrón \"%1\": Puntela no puede mostrarlo.").arg(name));
        return false;
    }
    // a file saved with "Símbolos claros" gives every thread its symbol back, so its sheets stay the same
    next.threadSymbols = clearSymbolNumbers(read.pattern);
    if (next.threadSymbols.empty())
        assignThreadSymbols(next);
    const QImage stitches = stitchPicture(next);
    m_st = std::move(next);
    clearHistory();
    keepFileThreads(read.pattern);
    Busy busy(*this);
    m_progress.setPointer(11);
    m_patternDetails = read.details;
    m_extras = std::move(read.pattern.extras);
    if (m_patternDetails.title.isEmpty())
        m_patternDetails.title = QFileInfo(path).completeBaseName();

    // the working picture and the preview are the pattern's stitches, one pixel each
    showInPreview(stitches, path);
    m_st.factor_reduccion = 0;
    Picture3.setVisible(false);
    Picture3.setPicture(stitches);
    Picture3.move(centredInFrame(Picture3.Width()), centredInFrame(Picture3.Height()));
    Picture3.setVisible(true);

    // the settings of a single-stitch pattern of that size and palette
    m_settings.width = read.pattern.width;
    m_settings.height = read.pattern.height;
    m_settings.frameWidth = 3 * read.pattern.width;
    m_settings.frameHeight = 3 * read.pattern.height;
    m_settings.doubleStitch = false;
    setSwapMode(0);
    showColourCount(std::min(int(m_st.num_colores), 999));
    // an undo record belongs to the pattern that was on show
    QFile::remove(undoFileName());
    m_swapUndo.reset();
    m_paletteUndo.reset();

    Picture2.setVisible(false);
    notify(WorkChange::Fresh);
    sizeEmbroideryBox(3);
    Picture2.Cls();
    dibujar();
    patron();
    showStrips(longestGroup(m_st));
    Picture2.setVisible(true);
    m_progress.setPointer(0);
    if (const QString notice = read.notice(name); !notice.isEmpty())
        m_dialogs.MsgBox(notice, vbOKOnly, QStringLiteral("Abrir patrón"));
    return true;
}

std::vector<QString> Work::extrasSymbols() const
{
    const std::unordered_map<Long, QString> palette = paletteSymbolsByColour();
    std::vector<QString> symbols;
    for (const PatternThread& t : m_extras.threads) {
        const auto it = palette.find(t.colour);
        symbols.push_back(it != palette.end() ? it->second : t.symbol);
    }
    return symbols;
}

std::unordered_map<Long, QString> Work::paletteSymbolsByColour() const
{
    const std::vector<QString> signs = paletteSymbols(m_st, m_settings.chart.symbolFont, true);
    std::unordered_map<Long, QString> symbols;
    std::size_t index = 0;
    for (int g = 0; g < 6; ++g)
        for (int k = 0; k < m_st.num_tono[std::size_t(g)]; ++k, ++index)
            symbols.emplace(m_st.tono[std::size_t(g)][std::size_t(k)], signs[index]);
    return symbols;
}

void Work::drawExtrasOnEmbroidery(QRect cells)
{
    if (m_extras.empty() || !Picture2.imageValid())
        return;
    const int s = m_st.punto_doble ? 9 : 3;
    const QRect pattern(0, 0, m_st.ancho_puntos, m_st.alto_puntos);
    QPainter painter(&Picture2.image());
    ExtrasView view;
    view.cell = s;
    view.cells = pattern;
    if (!cells.isEmpty()) {
        // only over the cells drawn again, with all that crosses them
        painter.setClipRect(QRect(cells.topLeft() * s, cells.size() * s));
        view.cells = cells.adjusted(-1, -1, 1, 1) & pattern;
    }
    view.symbols = false; // the embroidery shows threads, not symbols
    drawStitchExtras(painter, m_extras, {}, view);
}

void Work::drawExtrasOnSheet(int H, int V)
{
    if (m_extras.empty() || !Picture11.imageValid())
        return;
    const ChartOptions& o = m_settings.chart;
    // a sheet's cell (column, row) starts 9 column + 1 units from the surface's scale origin
    const int x0 = (H - 1) * kSheetColumns, y0 = (V - 1) * kSheetRows;
    ExtrasView view;
    view.cell = kCellSize;
    view.origin = QPointF(1 - Picture11.ScaleLeft() - x0 * kCellSize, 1 - Picture11.ScaleTop() - y0 * kCellSize);
    view.cells
        = QRect(x0, y0, std::min(kSheetColumns, m_st.ancho_puntos - x0), std::min(kSheetRows, m_st.alto_puntos - y0));
    view.colours = o.colours;
    view.symbols = o.symbols;
    view.symbolFont = isClearSymbols(o.symbolFont) ? QStringLiteral("DejaVu Sans") : o.symbolFont;
    QPainter painter(&Picture11.image());
    drawStitchExtras(painter, m_extras, extrasSymbols(), view);
}

void Work::keepLastPattern()
{
    if (!keepsLastPattern || !hasPattern())
        return;
    finishLastPattern();
    // the pattern is copied here; only the writing goes on apart
    m_lastPatternWrite = std::async(std::launch::async,
        [file = QFileInfo(lastPatternFileName()).absoluteFilePath(), p = pattern(), details = m_patternDetails] {
            return saveOxsFile(file, p, details);
        });
}

void Work::finishLastPattern()
{
    if (!m_lastPatternWrite.valid())
        return;
    const QString failure = m_lastPatternWrite.get();
    const bool told = m_lastPatternFailed;
    m_lastPatternFailed = !failure.isEmpty();
    if (failure.isEmpty() || told)
        return;
    m_dialogs.MsgBox(failure
            + QStringLiteral("\rEl último patrón no queda guardado en la carpeta de trabajo \"%1\"; el trabajo sigue "
                             "y no se volverá a avisar mientras no se pueda guardar.")
                  .arg(workFolderShown()),
        vbOKOnly, QStringLiteral("Puntela"));
}
