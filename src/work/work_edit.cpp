// Editing the pattern on show: cell edits as undo steps with the palette following the threads in
// use, background removal, stitching marks, the cloth, threads added from the full catalogue, and
// the swaps and colour options kept as steps of the same history.
#include "colour/matching.h"
#include "colour/thread_names.h"
#include "render/clear_symbols.h"
#include "render/embroidery.h"
#include "work/palette_follow.h"
#include "work/work.h"

#include <QTimer>
#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace {
struct MarkEdit {
    int x = 0, y = 0;
    bool before = false, after = false;
};

// What one step changed: cells, marks, the extras (changes made one after the other) and, when
// threads came or went, the palette.
struct StepData {
    std::vector<CellEdit> cells;
    std::vector<MarkEdit> marks;
    std::vector<ExtrasEdit> extras;
    std::optional<PaletteState> paletteBefore, paletteAfter;
    // grid index -> entry, made when a stroke's second part joins the first
    std::unordered_map<std::size_t, std::size_t> cellAt, markAt;

    template <class Edit>
    static void add(std::vector<Edit>& edits, std::unordered_map<std::size_t, std::size_t>& at, const Edit& e)
    {
        if (at.empty())
            for (std::size_t i = 0; i < edits.size(); ++i)
                at.emplace(std::size_t(edits[i].y) * kMaxColumns + std::size_t(edits[i].x), i);
        const auto [it, fresh] = at.emplace(std::size_t(e.y) * kMaxColumns + std::size_t(e.x), edits.size());
        if (fresh)
            edits.push_back(e);
        else
            edits[it->second].after = e.after; // the first colour before and the last after
    }
    void join(StepData&& later)
    {
        for (const CellEdit& e : later.cells)
            add(cells, cellAt, e);
        for (const MarkEdit& m : later.marks)
            add(marks, markAt, m);
        for (ExtrasEdit& x : later.extras)
            extras.push_back(std::move(x));
        if (later.paletteAfter) {
            if (!paletteBefore)
                paletteBefore = std::move(later.paletteBefore);
            paletteAfter = std::move(later.paletteAfter);
        }
    }
    QRect bounds() const
    {
        int left = kMaxColumns, top = kMaxRows, right = -1, bottom = -1;
        const auto take = [&](int x, int y) {
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        };
        for (const CellEdit& e : cells)
            take(e.x, e.y);
        for (const MarkEdit& m : marks)
            take(m.x, m.y);
        QRect r = right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
        for (const ExtrasEdit& x : extras)
            r |= x.bounds();
        return r;
    }
};

// One step of the history. Its first redo comes as it is pushed, when the change is made already.
class EditStep : public QUndoCommand {
public:
    using Apply = std::function<void(const StepData&, bool forward)>;
    EditStep(const QString& text, StepData data, Apply apply)
        : QUndoCommand(text)
        , m_data(std::move(data))
        , m_apply(std::move(apply))
    {
        m_data.cellAt.clear();
        m_data.markAt.clear();
    }
    void redo() override
    {
        if (m_made)
            m_apply(m_data, true);
        m_made = true;
    }
    void undo() override { m_apply(m_data, false); }

private:
    StepData m_data;
    Apply m_apply;
    bool m_made = false;
};

// The first full-catalogue thread that `match` accepts, null when none does.
template <class Match> const color_dmc* findThread(const WorkState& st, Match match)
{
    for (int i = 1; i <= kFullCatalogue && std::size_t(i) < st.dmc_todos.size(); ++i)
        if (match(st.dmc_todos[std::size_t(i)]))
            return &st.dmc_todos[std::size_t(i)];
    return nullptr;
}
Long colourOf(const color_dmc& t) { return RGB(t.rojo, t.verde, t.azul); }
const color_dmc* threadNumbered(const WorkState& st, Long numero)
{
    return findThread(st, [numero](const color_dmc& t) { return t.numero == numero; });
}
Long catalogueNumberOf(const WorkState& st, Long colour)
{
    const color_dmc* t = findThread(st, [colour](const color_dmc& d) { return colourOf(d) == colour; });
    return t ? t->numero : -1;
}

} // namespace

struct Work::EditState {
    QUndoStack history;
    std::vector<unsigned char> done; // a flag per cell of the grid, sized at the first mark
    std::vector<Long> added; // threads added by number, not used yet perhaps
    std::unordered_map<Long, Long> numbers; // colour -> the thread number chosen for it
    bool swapUndoable = false;
    bool swapStale = false;
    bool stroke = false;
    std::optional<StepData> strokeData;
    QString strokeText;
    QTimer keepTimer;
    bool timerWired = false;
    bool unsaved = false;

    std::size_t at(int x, int y) const { return std::size_t(y) * kMaxColumns + std::size_t(x); }
    bool isDone(int x, int y) const { return !done.empty() && done[at(x, y)] != 0; }
};

struct Work::StepStart {
    PaletteState palette;
    StitchGrid puntos;
};

std::shared_ptr<Work::EditState> Work::makeEditState() { return std::make_shared<EditState>(); }

bool Work::canEdit() const { return hasPattern() && m_st.listo != 0 && m_settings.swapMode != 2; }

GridView Work::gridView() const { return gridViewOf(m_st.puntos, m_st.ancho_puntos, m_st.alto_puntos); }

QUndoStack& Work::history() { return m_edit->history; }

bool Work::canUndoSwap() const { return m_edit->swapUndoable; }

bool Work::swapStillUndoable() const { return !m_edit->swapStale; }

bool Work::symbolsMayMove() const { return !isClearSymbols(m_settings.chart.symbolFont); }

QRgb Work::cloth() const { return rgbFromColour(m_patternDetails.cloth); }

void Work::setCloth(QRgb cloth)
{
    m_patternDetails.cloth = colourFromRgb(cloth);
    if (hasPattern() && drawsPictures)
        redrawEmbroidery();
    notify(WorkChange::Cloth | WorkChange::Embroidery);
    keepEditsSoon();
}

void Work::clearHistory()
{
    EditState& e = *m_edit;
    e.stroke = false;
    e.strokeData.reset();
    e.history.clear();
    e.done.clear();
    e.added.clear();
    e.numbers.clear();
    e.swapUndoable = false;
    e.swapStale = false;
    e.keepTimer.stop();
    e.unsaved = false;
    notify(WorkChange::History | WorkChange::Marks);
}

void Work::redrawEdited(QRect cells, unsigned parts)
{
    if (drawsPictures && !cells.isEmpty()) {
        if (parts & WorkChange::Stitches) {
            // the cells, and the lines and knots over them cut to them
            drawEmbroideryCells(m_st, Picture2, cells, m_patternDetails.cloth);
            drawExtrasOnEmbroidery(cells);
        }
        if (parts & WorkChange::Palette) {
            gama2();
            if (m_settings.chart.symbols)
                writeStripSymbols();
        }
        if (parts & WorkChange::Stitches)
            parts |= WorkChange::Embroidery;
        if (sheetShows(cells, parts)) {
            patron1();
            parts |= WorkChange::Chart;
        }
    }
    notify(parts | WorkChange::History, cells);
}

bool Work::sheetShows(QRect cells, unsigned parts) const
{
    // the key and every symbol may change with the threads
    if (parts & WorkChange::Palette)
        return true;
    if (!(parts & WorkChange::Stitches) || m_settings.sheetH == m_settings.sheetHMax)
        return false;
    const PatternSize size = patternSize(m_st, Picture2);
    const SheetExtent e = sheetExtent(size, m_settings.sheetH, m_settings.sheetV);
    const QRect sheet(QPoint(e.x0 / size.s, e.y0 / size.s), QPoint((e.x1 - 1) / size.s, (e.y1 - 1) / size.s));
    return sheet.adjusted(-1, -1, 1, 1).intersects(cells);
}

void Work::keepEditsSoon()
{
    EditState& e = *m_edit;
    e.unsaved = true;
    if (!e.timerWired) {
        e.timerWired = true;
        e.keepTimer.setSingleShot(true);
        e.keepTimer.setInterval(30000);
        connect(&e.keepTimer, &QTimer::timeout, this, [this] {
            if (m_edit->unsaved)
                editorClosed();
        });
    }
    if (!e.keepTimer.isActive())
        e.keepTimer.start();
}

void Work::editorClosed()
{
    m_edit->keepTimer.stop();
    if (!m_edit->unsaved)
        return;
    m_edit->unsaved = false;
    keepLastPattern();
}

namespace {
unsigned partsOf(const StepData& d)
{
    return (d.cells.empty() ? 0u : unsigned(WorkChange::Stitches))
        | (d.extras.empty() ? 0u : unsigned(WorkChange::Stitches | WorkChange::Extras))
        | (d.marks.empty() ? 0u : unsigned(WorkChange::Marks)) | (d.paletteAfter ? unsigned(WorkChange::Palette) : 0u);
}
} // namespace

// Pushes a step whose change is made already.
static void pushStep(QUndoStack& history, const QString& text, StepData data, EditStep::Apply apply)
{
    history.push(new EditStep(text, std::move(data), std::move(apply)));
}

void Work::beginStroke()
{
    endStroke();
    m_edit->stroke = true;
}

void Work::endStroke()
{
    EditState& e = *m_edit;
    e.stroke = false;
    if (!e.strokeData)
        return;
    StepData data = std::move(*e.strokeData);
    e.strokeData.reset();
    pushStep(e.history, e.strokeText, std::move(data), [this](const StepData& d, bool forward) {
        // undo and redo through the history; backwards when undoing, as a cell may change twice in one step
        if (forward)
            for (const CellEdit& c : d.cells)
                m_st.puntos(c.x, c.y) = c.after;
        else
            for (auto c = d.cells.rbegin(); c != d.cells.rend(); ++c)
                m_st.puntos(c->x, c->y) = c->before;
        if (forward)
            for (const ExtrasEdit& x : d.extras)
                applyExtrasEdit(m_extras, x, true);
        else
            for (auto x = d.extras.rbegin(); x != d.extras.rend(); ++x)
                applyExtrasEdit(m_extras, *x, false);
        if (!d.marks.empty() && m_edit->done.empty())
            m_edit->done.assign(std::size_t(kMaxColumns) * kMaxRows, 0);
        if (forward)
            for (const MarkEdit& m : d.marks)
                m_edit->done[m_edit->at(m.x, m.y)] = m.after;
        else
            for (auto m = d.marks.rbegin(); m != d.marks.rend(); ++m)
                m_edit->done[m_edit->at(m->x, m->y)] = m->before;
        if (d.paletteAfter)
            putPalette(m_st, forward ? *d.paletteAfter : *d.paletteBefore);
        m_edit->swapUndoable = false;
        m_edit->swapStale = true;
        redrawEdited(d.bounds(), partsOf(d));
        keepEditsSoon();
    });
    notify(WorkChange::History);
}

bool Work::editCells(const QString& text, std::vector<CellEdit> edits)
{
    return editPattern(text, std::move(edits), {});
}

PatternThread Work::extrasThread(Long colour) const
{
    PatternThread t;
    t.numero = threadNumber(colour);
    t.colour = colour;
    const std::unordered_map<Long, QString> symbols = paletteSymbolsByColour();
    if (const auto it = symbols.find(colour); it != symbols.end())
        t.symbol = it->second;
    return t;
}

bool Work::editPattern(const QString& text, std::vector<CellEdit> edits, ExtrasEdit extras)
{
    if (!hasPattern())
        return false;
    EditState& e = *m_edit;
    StepData data;
    const PaletteState before = paletteOf(m_st);
    // the edits that change a cell are kept in place, in order
    std::size_t kept = 0;
    for (CellEdit c : edits) {
        if (c.x < 0 || c.y < 0 || c.x >= m_st.ancho_puntos || c.y >= m_st.alto_puntos)
            continue;
        c.before = m_st.puntos(c.x, c.y);
        if (c.before == c.after)
            continue;
        // a cell given twice in `edits` finds itself changed the second time
        m_st.puntos(c.x, c.y) = c.after;
        edits[kept++] = c;
        // the stitch is not the one marked as done any more
        if (e.isDone(c.x, c.y)) {
            e.done[e.at(c.x, c.y)] = 0;
            data.marks.push_back({ c.x, c.y, true, false });
        }
    }
    edits.resize(kept);
    data.cells = std::move(edits);
    if (!extras.empty()) {
        applyExtrasEdit(m_extras, extras, true);
        data.extras.push_back(std::move(extras));
    }
    if (data.cells.empty() && data.extras.empty())
        return false;
    if (!data.cells.empty() && followThreads(m_st, data.cells)) {
        data.paletteBefore = before;
        data.paletteAfter = paletteOf(m_st);
    }
    const unsigned parts = partsOf(data);
    const QRect cells = data.bounds();
    if (!e.stroke) {
        e.strokeText = text;
        e.strokeData = std::move(data);
        endStroke();
    } else if (e.strokeData) {
        e.strokeData->join(std::move(data));
    } else {
        e.strokeText = text;
        e.strokeData = std::move(data);
    }
    e.swapUndoable = false;
    e.swapStale = true;
    redrawEdited(cells, parts);
    keepEditsSoon();
    return true;
}

int Work::removeBackground(QPoint cell, double tolerance)
{
    const GridView g = gridView();
    std::vector<CellEdit> edits = editCellsTo(g, similarRegion(g, cell, tolerance), kNoStitchColour);
    const int n = int(edits.size());
    return editCells(QStringLiteral("Quitar fondo"), std::move(edits)) ? n : 0;
}

int Work::removeBorderBackground(double tolerance)
{
    const GridView g = gridView();
    std::vector<CellEdit> edits = editCellsTo(g, borderBackground(g, tolerance), kNoStitchColour);
    const int n = int(edits.size());
    return editCells(QStringLiteral("Quitar fondo"), std::move(edits)) ? n : 0;
}

bool Work::isDone(int x, int y) const { return m_edit->isDone(x, y); }

bool Work::markDone(const std::vector<QPoint>& cells, bool done)
{
    if (!hasPattern())
        return false;
    EditState& e = *m_edit;
    StepData data;
    for (QPoint p : cells) {
        if (p.x() < 0 || p.y() < 0 || p.x() >= m_st.ancho_puntos || p.y() >= m_st.alto_puntos
            || m_st.puntos(p.x(), p.y()) == kNoStitchColour || e.isDone(p.x(), p.y()) == done)
            continue;
        if (e.done.empty())
            e.done.assign(std::size_t(kMaxColumns) * kMaxRows, 0);
        e.done[e.at(p.x(), p.y())] = done ? 1 : 0;
        data.marks.push_back({ p.x(), p.y(), !done, done });
    }
    if (data.marks.empty())
        return false;
    const QRect r = data.bounds();
    const QString text = done ? QStringLiteral("Marcar hechas") : QStringLiteral("Desmarcar");
    if (e.stroke && e.strokeData) {
        e.strokeData->join(std::move(data));
    } else {
        e.strokeText = text;
        e.strokeData = std::move(data);
        if (!e.stroke)
            endStroke();
    }
    notify(WorkChange::Marks | WorkChange::History, r);
    keepEditsSoon();
    return true;
}

// ---- Threads ----

Long Work::threadNumber(Long colour) const
{
    const auto it = m_edit->numbers.find(colour);
    return it != m_edit->numbers.end() ? it->second : catalogueNumberOf(m_st, colour);
}

QString Work::keyLabel(Long colour) const
{
    const auto it = m_edit->numbers.find(colour);
    if (it == m_edit->numbers.end())
        return dmci(m_st, colour);
    if (it->second == 1)
        return QStringLiteral(" Ecru");
    if (colour == RGB(255, 255, 255))
        return QStringLiteral(" Blanco");
    return Str(it->second);
}

Pattern Work::withEdits(Pattern p) const
{
    for (PatternThread& t : p.palette)
        if (const auto it = m_edit->numbers.find(t.colour); it != m_edit->numbers.end())
            t.numero = it->second;
    if (!m_edit->done.empty()) {
        p.marked.assign(p.cells.size(), 0);
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x)
                p.marked[std::size_t(y) * std::size_t(p.width) + std::size_t(x)]
                    = p.at(x, y) != Pattern::kNoStitch && m_edit->isDone(x, y);
    }
    return p;
}

void Work::keepFileThreads(const Pattern& p)
{
    for (const PatternThread& t : p.palette)
        if (t.numero >= 0)
            m_edit->numbers.emplace(t.colour, t.numero); // the first thread of a colour, as the palette keeps it
    if (p.marked.empty())
        return;
    m_edit->done.assign(std::size_t(kMaxColumns) * kMaxRows, 0);
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            m_edit->done[m_edit->at(x, y)] = p.isMarked(x, y) ? 1 : 0;
}

std::vector<Work::EditorThread> Work::editorThreads() const
{
    const Pattern p = pattern();
    std::vector<EditorThread> out;
    std::vector<long> done(p.palette.size(), 0);
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            if (p.at(x, y) != Pattern::kNoStitch && m_edit->isDone(x, y))
                ++done[std::size_t(p.at(x, y))];
    const std::vector<long> counts = p.stitchCounts();
    std::unordered_set<Long> listed;
    for (std::size_t i = 0; i < p.palette.size(); ++i) {
        const PatternThread& t = p.palette[i];
        listed.insert(t.colour);
        out.push_back({ t.colour, t.numero, threadName(t.numero), t.symbol, counts[i], done[i] });
    }
    // then the threads only the backstitch, knots, beads or part stitches use, and those added
    for (const PatternThread& t : m_extras.threads)
        if (listed.insert(t.colour).second)
            out.push_back({ t.colour, t.numero, threadName(t.numero), t.symbol, 0, 0 });
    for (Long numero : m_edit->added) {
        const Long colour = colourOf(*threadNumbered(m_st, numero));
        if (listed.insert(colour).second)
            out.push_back({ colour, numero, threadName(numero), QString(), 0, 0 });
    }
    return out;
}

bool Work::addThread(Long numero)
{
    const color_dmc* t = threadNumbered(m_st, numero);
    if (!t)
        return false;
    const Long colour = colourOf(*t);
    if (threadNumber(colour) == numero && paletteColours(m_st).count(colour))
        return false;
    if (std::find(m_edit->added.begin(), m_edit->added.end(), numero) != m_edit->added.end())
        return false;
    m_edit->added.push_back(numero);
    m_edit->numbers[colour] = numero;
    notify(WorkChange::Palette);
    return true;
}

int Work::removeUnusedThreads()
{
    const std::unordered_set<Long> palette = paletteColours(m_st);
    const auto unused = [&](Long numero) { return !palette.count(colourOf(*threadNumbered(m_st, numero))); };
    const auto from = std::remove_if(m_edit->added.begin(), m_edit->added.end(), unused);
    const int n = int(m_edit->added.end() - from);
    m_edit->added.erase(from, m_edit->added.end());
    if (n > 0)
        notify(WorkChange::Palette);
    return n;
}

// ---- Swaps and colour options as steps ----

std::shared_ptr<Work::StepStart> Work::stepStart() const
{
    auto start = std::make_shared<StepStart>();
    start->palette = paletteOf(m_st);
    start->puntos = m_st.puntos;
    return start;
}

void Work::recordStep(const QString& text, const StepStart& start, bool swapUndoable)
{
    endStroke();
    StepData data;
    for (int y = 0; y < m_st.alto_puntos; ++y)
        for (int x = 0; x < m_st.ancho_puntos; ++x)
            if (start.puntos(x, y) != m_st.puntos(x, y))
                data.cells.push_back({ x, y, start.puntos(x, y), m_st.puntos(x, y) });
    data.paletteBefore = start.palette;
    data.paletteAfter = paletteOf(m_st);
    m_edit->strokeText = text;
    m_edit->strokeData = std::move(data);
    endStroke();
    m_edit->swapUndoable = swapUndoable;
    m_edit->swapStale = false;
}
