#include "work/work.h"

#include "colour/catalogue.h"
#include "colour/clean_up.h"
#include "colour/hue_groups.h"
#include "colour/matching.h"
#include "colour/palette.h"
#include "colour/palette_index.h"
#include "colour/stitch_reading.h"
#include "image/adjust.h"
#include "image/browser.h"
#include "image/decode_apart.h"
#include "image/embroidery_sizing.h"
#include "image/picture_file.h"
#include "image/reduction.h"
#include "output/bmp_file.h"
#include "output/file_names.h"
#include "output/stitch_picture.h"
#include "render/embroidery.h"
#include "render/pattern_settings.h"
#include "render/stamp.h"
#include "render/symbol_font.h"
#include "surface/text_file.h"
#include "surface/whole_file.h"
#include "surface/work_folder.h"
#include "views/magnifier.h"
#include "views/strip_maths.h"
#include "views/swap.h"
#include "views/undo_file.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <algorithm>
#include <cmath>
#include <new>
#include <stdexcept>

namespace {
const QString kNoMemory = QStringLiteral("No hay suficiente memoria para dibujar el patrón. Reduce los puntos.");

// Stitches the reading will find for a typed count once the box is sized at s pixels per
// stitch; -1 for a number no box can be sized to.
double stitchesFor(double typed, int s)
{
    if (!(std::abs(typed) < 1e6))
        return -1;
    return cellCount(double(CLng(s * typed + 4) - 4), s);
}
} // namespace

Work::Work(Dialogs& dialogs, Progress progress)
    : m_dialogs(dialogs)
    , m_progress(std::move(progress))
{
    drawStamp(Picture15);
    m_settings.chart.plainFont = QGuiApplication::font().family();
}

Work::~Work()
{
    // edits not kept yet go to the last pattern's file
    editorClosed();
    // the last pattern's file is never left half-way
    if (m_lastPatternWrite.valid())
        m_lastPatternWrite.wait();
}

void Work::er(const QString& mensaje) { m_dialogs.MsgBox(mensaje, vbCritical, QStringLiteral("Error")); }

Progress Work::progress()
{
    Progress p = m_progress;
    p.error = [this](const QString& s) { er(s); };
    return p;
}

// ---- Start-up and catalogues ----

namespace {
// The personal catalogue could not be written or emptied: the message names the working folder.
QString personalCatalogueFailure(const QString& action)
{
    return QStringLiteral("No se puede %1 el catálogo personal \"personal.txt\" en la carpeta de trabajo \"%2\".")
        .arg(action, workFolderShown());
}
} // namespace

bool Work::startUp()
{
    setListo(true);
    // the symbol font start-up chooses; the window's font box takes its place there
    const QStringList fonts = installedFontNames();
    const int chosen = chooseSymbolFont(fonts);
    if (chosen >= 0)
        m_settings.chart.symbolFont = fonts[chosen];
    if (!emptyPersonalCatalogue()) {
        er(personalCatalogueFailure(QStringLiteral("escribir")));
        return false;
    }
    // the program must not go on with a partly filled full catalogue
    const CatalogueRead all = readFullCatalogueFile(catalogueFile(4), m_st.dmc_todos, kFullCatalogue);
    if (!all.error.isEmpty()) {
        er(all.error);
        return false;
    }
    m_st.num_dmc = 112;
    drawSwatches();
    paleta(3);
    return true;
}

void Work::drawSwatches()
{
    ImageList1.assign(1, QImage());
    for (int i = 1; i <= kFullCatalogue; ++i) {
        const color_dmc& d = m_st.dmc_todos[std::size_t(i)];
        Picture16.Line(2, 0, 13, 11, RGB(d.rojo, d.verde, d.azul), LineKind::FilledBox);
        Picture16.Line(0, 0, 2, 11, RGB(255, 255, 255), LineKind::FilledBox);
        ImageList1.push_back(Picture16.Image().copy());
    }
}

bool Work::paleta(Integer catalogo)
{
    if (!m_st.listo)
        return false;
    std::vector<color_dmc> read = m_st.dmc_activos;
    const CatalogueRead r = readActiveCatalogueFile(catalogo, m_st, read);
    if (!r.error.isEmpty()) {
        // the active catalogue and its list stay as they were
        er(r.error);
        return false;
    }
    m_st.dmc_activos = read;
    m_settings.catalogue = catalogo;
    catalogueList.clear();
    for (int i = 1; i <= r.count; ++i) {
        const Long n = m_st.dmc_activos[std::size_t(i)].numero;
        const Integer pic = dmcn(m_st, n);
        catalogueList.push_back({ pic <= kFullCatalogue ? ImageList1[std::size_t(pic)] : QImage(), threadListText(n) });
    }
    m_st.num_dmc = Integer(catalogueList.size());
    return true;
}

int Work::personalCount() const { return std::min(std::max(3, int(catalogueList.size())), 999); }

bool Work::pickPersonalThread(double X, double Y)
{
    const QString personalFile = catalogueFile(5);
    const Long t = dmck(m_st, Picture3.Point(X, Y));
    std::vector<color_dmc> personal(kCatalogueSize);
    int count = 0;
    // a personal catalogue removed behind the program's back counts as empty
    if (QFile::exists(personalFile)) {
        const CatalogueRead read = readCatalogueFile(personalFile, personal, kFullCatalogue);
        if (!read.error.isEmpty()) {
            er(read.error);
            return false;
        }
        count = read.count;
    }
    for (int i = 1; i <= count; ++i)
        if (RGB(personal[std::size_t(i)].rojo, personal[std::size_t(i)].verde, personal[std::size_t(i)].azul) == t)
            return false;
    for (int i = 1; i <= kFullCatalogue; ++i) {
        const color_dmc& d = m_st.dmc_todos[std::size_t(i)];
        if (RGB(d.rojo, d.verde, d.azul) != t)
            continue;
        // rewritten whole, so a failed write never leaves a record cut short
        const QString failure = appendWhole(personalFile, [&](QIODevice& out) {
            return writeLine(out, { QVariant(d.numero), QVariant(d.rojo), QVariant(d.verde), QVariant(d.azul) });
        });
        if (!failure.isEmpty()) {
            er(personalCatalogueFailure(QStringLiteral("escribir")));
            return false;
        }
        break;
    }
    paleta(5);
    setColourCountTo(personalCount());
    return true;
}

// ---- Pictures ----

QString Work::previewPicture(const QString& path)
{
    // read before anything changes, so that a file that cannot be read leaves all as it was;
    // decoded apart, so that no file can end the program
    const PictureResult read = loadPictureApart(path);
    if (!read.ok())
        return read.error;
    Image1.Visible = false;
    Image1.Stretch = false;
    showInPreview(read.image, path);
    return {};
}

void Work::showInPreview(const QImage& picture, const QString& path)
{
    Image1.Picture = picture;
    Image1.Path = path;
    const Thumbnail t = thumbnailGeometry(Single(picture.width()), Single(picture.height()));
    Image1.Left = t.Left;
    Image1.Top = t.Top;
    Image1.Width = t.Width;
    Image1.Height = t.Height;
    Image1.Stretch = true;
    Image1.Visible = true;
}

bool Work::emptyPersonal()
{
    if (emptyPersonalCatalogue())
        return true;
    er(personalCatalogueFailure(QStringLiteral("vaciar")));
    return false;
}

bool Work::openPicture(const QString& path)
{
    const QString error = previewPicture(path);
    if (!error.isEmpty()) {
        er(error);
        return false;
    }
    const bool emptied = emptyPersonal();
    const bool catalogue = resetSettings();
    Busy busy(*this);
    setSwapMode(0);
    m_progress.setPointer(11);
    loadPicture();
    m_progress.setPointer(0);
    return emptied && catalogue && Picture3.pixelWidth() > 0 && Picture3.pixelHeight() > 0;
}

bool Work::resetSettings()
{
    setColourCountTo(248);
    return paleta(3);
}

void Work::askAndReduce()
{
    m_st.factor_reduccion = 0;
    if (!reductionAsked(Picture3.Width(), Picture3.Height()))
        return;
    const QString prompt = reductionPrompt(Picture3.pixelWidth(), Picture3.pixelHeight());
    while (m_st.factor_reduccion < 1)
        m_st.factor_reduccion = reductionFactor(m_dialogs.InputBox(prompt, reductionTitle(), QStringLiteral("1")));
    if (m_st.factor_reduccion > 1) {
        m_progress.setPointer(11);
        reducePicture(Picture3, m_st.factor_reduccion);
        m_progress.setPointer(0);
    }
}

void Work::loadPicture()
{
    clearHistory();
    Picture2.Cls();
    Picture2.setVisible(false);
    Picture3.setVisible(false);
    Picture3.setPicture(Image1.Picture);
    askAndReduce();
    // the empty embroidery and the size settings follow the picture
    const EmbroideryLayout l = embroideryLayoutFor(Picture3.pixelWidth(), Picture3.pixelHeight());
    Picture2.setWidth(l.width);
    Picture2.setHeight(l.height);
    Picture2.move(l.left, l.top);
    m_settings.width = Val(l.text4);
    m_settings.height = Val(l.text5);
    m_settings.frameWidth = l.vscroll4;
    m_settings.frameHeight = l.vscroll5;
    Picture3.move(centredInFrame(Picture3.Width()), centredInFrame(Picture3.Height()));
    Picture3.setVisible(true);
    Picture2.setVisible(true);
    // what belonged to the previous picture goes: colour strips, chart, marker
    for (Surface& strip : Picture8) {
        strip.Cls();
        strip.setLeft(4);
    }
    Picture11.Cls();
    Picture11.move(-2, -2);
    Picture11.setWidth(Picture2.Width() * 3);
    Picture11.setHeight(Picture2.Height() * 3);
    notify(WorkChange::Fresh | WorkChange::Picture);
    m_patternDetails = { QFileInfo(Image1.Path).completeBaseName(), OxsDetails().stitchesPerInch };
}

void Work::resetPicture()
{
    // before the first load there is no working picture to put back
    if (Picture3.pixelWidth() == 0 || Image1.Picture.isNull())
        return;
    Picture3.setVisible(false);
    Picture3.setPicture(Image1.Picture);
    if (m_st.factor_reduccion > 1) {
        m_progress.setPointer(11);
        reducePicture(Picture3, m_st.factor_reduccion);
        m_progress.setPointer(0);
    }
    Picture3.setVisible(true);
}

void Work::adjustPicture(int button)
{
    m_progress.setPointer(11);
    ::adjustPicture(Picture3, adjustmentForButton(button));
    Picture3.Refresh();
    m_progress.setPointer(0);
}

// ---- Settings rules ----

void Work::setFrameSide(bool width, int pixels)
{
    const Single W = Single(Picture3.ScaleWidth()), H = Single(Picture3.ScaleHeight());
    // the side being set stops where the other side can still follow the picture
    pixels = width ? heldSetSide(pixels, W, H, kMaxFrameHeight) : heldSetSide(pixels, H, W, kMaxFrameWidth);
    // the box is emptied: one allocation for the new size, then one fill
    if (width)
        Picture2.setSize(pixels + 4, followingSide(pixels, W, H, kMaxFrameHeight) + 4, false);
    else
        Picture2.setSize(followingSide(pixels, H, W, kMaxFrameWidth) + 4, pixels + 4, false);
    Picture2.Cls();
    if (width) {
        m_settings.frameWidth = pixels;
        m_settings.frameHeight = int(Picture2.ScaleHeight());
    } else {
        m_settings.frameHeight = pixels;
        m_settings.frameWidth = int(Picture2.ScaleWidth());
    }
    m_settings.width = Val(stitchText(m_settings.frameWidth));
    m_settings.height = Val(stitchText(m_settings.frameHeight));
    Picture2.move(centredPosition(Picture2.Width()), centredPosition(Picture2.Height()));
}

void Work::setColourOptions(const ColourOptions& options)
{
    setAndTell(m_settings.colourOptions, options, WorkChange::ColourOptions);
}

void Work::setAmounts(int fabric, int strands)
{
    if (m_settings.fabric == fabric && m_settings.strands == strands)
        return;
    m_settings.fabric = fabric;
    m_settings.strands = strands;
    notify(WorkChange::Amounts);
}

void Work::setColourCount(const QString& typed)
{
    const QString held = heldColourText(typed);
    setColourCountTo(std::clamp(int(CInt(Val(held))), 0, 999), held);
}

void Work::setColourCountFromSpinner(int count)
{
    count = std::clamp(count, 0, 999);
    setColourCountTo(count);
}

void Work::setColourCountTo(int count, QString text)
{
    if (text.isNull())
        text = CStr(count);
    if (m_settings.colours == count && m_st.num_colores == count)
        return;
    m_settings.colours = count;
    m_st.num_colores = count;
    showColourText(text);
}

bool Work::chooseCatalogue(int catalogo)
{
    if (catalogo < 5) {
        static const int threads[4] = { 57, 112, 248, 426 };
        setColourCountTo(threads[catalogo - 1]);
        return paleta(Integer(catalogo));
    }
    const bool loaded = paleta(5);
    setColourCountTo(personalCount());
    return loaded;
}

void Work::setVariant(bool variant) { setAndTell(m_settings.variant, variant, WorkChange::Variant); }

void Work::setChartOptions(const ChartOptions& options)
{
    setAndTell(m_settings.chart, options, WorkChange::ChartOptions);
}

void Work::setSheet(int h, int v)
{
    h = std::clamp(h, 1, std::max(1, m_settings.sheetHMax));
    v = std::clamp(v, 1, std::max(1, m_settings.sheetVMax));
    if (h == m_settings.sheetH && v == m_settings.sheetV)
        return;
    m_settings.sheetH = h;
    m_settings.sheetV = v;
    notify(WorkChange::Sheets);
}

void Work::setSwapMode(int mode) { setAndTell(m_settings.swapMode, mode, WorkChange::Swap); }

bool Work::firstSwapPick(int group0, int k, Long c)
{
    if (!isPaletteSwatch(m_st, group0, k, c))
        return false;
    m_st.color_nuevo = c;
    setSwapMode(2);
    return true;
}

void Work::setListo(bool ready)
{
    m_st.listo = ready ? True : False;
    if (ready != m_toldListo)
        notify(WorkChange::Busy);
}

void Work::setTypedSize(double width, double height)
{
    if (m_settings.width == width && m_settings.height == height)
        return;
    m_settings.width = width;
    m_settings.height = height;
    notify(WorkChange::Size);
}

QString Work::setStitches(bool width, int stitches)
{
    const int largest = width ? kMaxFrameWidth : kMaxFrameHeight;
    int pixels = 0;
    if (stitches <= 100)
        pixels = CInt(Val(heldStitchText(QString::number(stitches))) * 3);
    else if (const std::optional<int> held = spinnerPixelsForStitches(stitches, largest))
        pixels = *held; // worked out without overflow, however large the number asked
    else
        return QStringLiteral("Tamaño imposible: el máximo son %1 puntos.").arg(largest / 3);
    // as a spinner, only a new value moves the frame
    if (pixels != (width ? m_settings.frameWidth : m_settings.frameHeight))
        setFrameSide(width, pixels);
    return {};
}

// ---- The pattern ----

bool Work::patternSizeChecked(int s)
{
    if (patternSizeAllowed(stitchesFor(m_settings.width, s), stitchesFor(m_settings.height, s)))
        return true;
    er(patternSizeMessage());
    return false;
}

bool Work::sizeEmbroideryBox(int s)
{
    // The old picture need not be kept (the box is cleared before anything is drawn on it): a new
    // size is one allocation, and the same size keeps the picture there is.
    Picture2.setSize(CLng(s * m_settings.width + 4), CLng(s * m_settings.height + 4), false);
    Picture2.setLeft(CLng((kFrameSide - Picture2.Width()) / 2.0));
    Picture2.setTop(CLng((kFrameSide - Picture2.Height()) / 2.0));
    if (Picture2.imageValid())
        return true;
    er(QStringLiteral("No hay suficiente memoria para dibujar el bordado. Reduce los puntos."));
    return false;
}

bool Work::makePattern(bool doble)
{
    if (!patternSizeChecked(doble ? 9 : 3))
        return false;
    // a new pattern starts on white cloth, with nothing to undo and nothing beside its stitches
    clearHistory();
    m_patternDetails.cloth = OxsDetails().cloth;
    m_settings.doubleStitch = doble;
    m_extras = {};
    // single stitch: busy from the start and the box cleared first; double stitch: the steps
    // clear listo, and the embroidery clears the box itself
    if (doble) {
        m_st.punto_doble = True;
        m_progress.setPointer(11);
    } else {
        setListo(false);
    }
    Picture2.setVisible(false);
    // the magnifier starts empty
    notify(WorkChange::Fresh);
    const bool sized = sizeEmbroideryBox(doble ? 9 : 3);
    if (!doble) {
        if (drawsPictures)
            Picture2.Cls();
        m_st.punto_doble = False;
    }
    // a pattern cannot have more colours than stitches: the colour count is lowered to them; while
    // listo is set the count asked follows at once
    const double product = m_settings.width * m_settings.height;
    if (product < m_st.num_colores) {
        m_settings.colours = std::clamp(int(CLng(product)), 0, 999);
        WorkChange c = change(WorkChange::ColourCount);
        if (m_st.listo) {
            m_st.num_colores = m_settings.colours;
            c.colourText = CStr(m_settings.colours);
        }
        tell(c);
    }
    // every step runs even after an earlier one failed, as each says its own error
    bool made = colores() && sized;
    made = gama() && made;
    if (drawsPictures) {
        made = (doble ? pinta2() : dibujar()) && made;
        made = patron() && made;
    }
    Picture2.setVisible(true);
    keepLastPattern();
    setListo(true);
    // a step that failed left the hourglass; the run is over either way
    m_progress.setPointer(0);
    return made;
}

bool Work::colores()
{
    const Progress p = progress();
    p.setPointer(11);
    setListo(false);
    notify(WorkChange::Reading);
    m_paletteUndo.reset();
    if (!::colores(m_st, Picture3, Picture2, p, m_settings.colourOptions))
        return false;
    if (!m_settings.variant)
        separa(m_st, p);
    else
        separa1(m_st, p);
    return true;
}

bool Work::gama()
{
    const Progress p = progress();
    const bool recoloured = ::gama(m_st, p, [this] {
        m_settings.colours = int(m_st.num_colores);
        showColourText(Str(m_st.num_colores));
    });
    if (!recoloured)
        return false;
    ::gama1(m_st, Picture8, p, [this](int longest) {
        showStrips(longest);
        showColourCount(int(m_st.num_colores));
    });
    notify(WorkChange::Strips);
    // the strips are drawn before the clean-up: drawn again for the colours it left
    if (applyPaletteOptions(m_st, m_settings.colourOptions)) {
        gama2();
        showColourCount(int(m_st.num_colores));
    }
    return true;
}

void Work::showColourCount(int count)
{
    m_settings.colours = count;
    showColourText(QString::number(count));
}

void Work::tell(WorkChange c)
{
    // the steps of the pattern set and clear listo themselves: the views learn of it with the
    // next change told
    if ((m_st.listo != 0) != m_toldListo) {
        m_toldListo = !m_toldListo;
        c.parts |= WorkChange::Busy;
    }
    emit changed(c);
}

void Work::showColourText(const QString& text)
{
    WorkChange c = change(WorkChange::ColourCount);
    c.colourText = text;
    tell(c);
}

void Work::showStrips(int longest)
{
    WorkChange c = change(WorkChange::Strips);
    c.longestStrip = longest;
    tell(c);
}

void Work::gama2()
{
    ::gama2(m_st, Picture8, progress());
    notify(WorkChange::Strips);
}

bool Work::dibujar()
{
    const bool drawn = ::dibujar(m_st, Picture2, progress(), m_patternDetails.cloth);
    drawExtrasOnEmbroidery();
    notify(WorkChange::Embroidery);
    return drawn;
}

bool Work::pinta2()
{
    const bool drawn = ::pinta2(m_st, Picture2, progress(), m_patternDetails.cloth);
    drawExtrasOnEmbroidery();
    notify(WorkChange::Embroidery);
    return drawn;
}

void Work::redrawEmbroidery()
{
    if (m_st.punto_doble)
        pinta2();
    else
        dibujar();
}

void Work::writeStripSymbols()
{
    // drawn as the chart draws them, so strips and chart show the same signs
    drawStripSymbols(Picture8, m_st, m_settings.chart.symbolFont, false);
    notify(WorkChange::Strips);
}

void Work::endFailedDrawing(const QString& message, const QString& title)
{
    m_dialogs.MsgBox(message, vbCritical, title);
    Picture11.move(0, 0);
    m_progress.setPointer(0);
    setListo(true);
}

bool Work::guardedDrawing(const std::function<ChartResult()>& draw)
{
    try {
        setListo(false);
        m_progress.setPointer(11);
        const ChartResult r = draw();
        if (r == ChartResult::NoMemory) {
            endFailedDrawing(kNoMemory, QStringLiteral("Error de memoria"));
            return false;
        }
        Picture11.Refresh();
        m_progress.setPointer(0);
        setListo(true);
        notify(WorkChange::Chart);
        return r == ChartResult::Drawn;
    } catch (const std::bad_alloc&) {
        endFailedDrawing(kNoMemory, QStringLiteral("Error de memoria"));
    } catch (const std::exception&) {
        endFailedDrawing(QStringLiteral("Error"), QStringLiteral("Puntela"));
    }
    return false;
}

bool Work::patron()
{
    return guardedDrawing([this] {
        const ChartOptions& options = m_settings.chart;
        const PatternSize size = patternSize(m_st, Picture2);
        m_settings.sheetH = 1;
        m_settings.sheetHMax = hScrollMax(size.W());
        m_settings.sheetV = 1;
        m_settings.sheetVMax = std::max(1, vScrollMax(size.H()));
        // listo is clear, so the selectors' own change events do nothing
        notify(WorkChange::Sheets);
        setStripFonts(Picture8, options.symbolFont);
        const ChartResult r = drawFirstSheet({ m_st, size, Picture11, Picture15, options, progress() });
        if (r == ChartResult::Drawn) {
            drawExtrasOnSheet(1, 1);
            gama2();
            if (options.symbols)
                drawStripSymbols(Picture8, m_st, options.symbolFont);
            Picture11.move(0, 0);
        }
        return r;
    });
}

bool Work::patron1()
{
    return guardedDrawing([this] {
        const int H = m_settings.sheetH, V = m_settings.sheetV;
        const int hMax = m_settings.sheetHMax, vMax = m_settings.sheetVMax;
        const ChartJob job { m_st, patternSize(m_st, Picture2), Picture11, Picture15, m_settings.chart, progress() };
        if (H == hMax)
            return drawKey(
                job, sheetTotal(hMax, vMax), [this](Long c) { return keyLabel(c); }, m_extras);
        const ChartResult r = drawSheet(job, H, V, hMax, vMax);
        if (r == ChartResult::Drawn)
            drawExtrasOnSheet(H, V);
        return r;
    });
}

bool Work::hasPattern() const { return m_st.ancho_puntos > 0 && m_st.alto_puntos > 0; }

Pattern Work::pattern() const
{
    const std::vector<QString> symbols = paletteSymbols(m_st, m_settings.chart.symbolFont, true);
    Pattern p = withEdits(patternFromState(m_st, [&symbols](int index) { return symbols[std::size_t(index)]; }));
    p.extras = m_extras;
    return p;
}

Pattern Work::threadList() const
{
    Pattern p = withEdits(patternWithClearSymbols(m_st));
    p.extras = m_extras;
    return p;
}

QString Work::patternName() const
{
    return m_patternDetails.title.isEmpty() ? QStringLiteral("patron") : m_patternDetails.title;
}

QString Work::exportChartPdf(const QString& path, const ChartPdfOptions& options) const
{
    if (!hasPattern())
        return QStringLiteral("No hay ningún patrón que exportar.");
    ChartPdfOptions withCloth = options;
    withCloth.cloth = cloth();
    return writeChartPdf(path, threadList(), Picture2.Image(), patternName(), withCloth);
}

QString Work::exportThreadsCsv(const QString& path, const AmountOptions& options) const
{
    if (!hasPattern())
        return QStringLiteral("No hay ningún patrón cuyos hilos guardar.");
    return writeThreadsCsv(path, threadList(), options);
}

// ---- Pages ----

std::vector<SheetPage> Work::chartPages(bool colour, bool blackWhite) const
{
    return commandPages(
        sheetsAcrossSelector(m_settings.sheetHMax), sheetsDownSelector(m_settings.sheetVMax), colour, blackWhite);
}

void Work::setPassOptions(bool colour)
{
    setListo(false);
    m_settings.chart.grid = true;
    m_settings.chart.symbols = true;
    setListo(true);
    // the first sheet is drawn afresh when the colours change, as their box's click does
    const bool redraw = m_settings.chart.colours != colour;
    m_settings.chart.colours = colour;
    if (redraw) {
        Busy busy(*this);
        patron();
    }
    notify(redraw ? WorkChange::ChartOptions | WorkChange::Chart : WorkChange::ChartOptions);
}

namespace {
QImage hooked(const PageHook& hook, const QImage& picture) { return hook ? hook(picture) : picture; }
} // namespace

bool Work::walkPages(const std::vector<SheetPage>& pages,
    const std::function<bool(const SheetPage&, const QImage&)>& sink, const PageHook& hook)
{
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const SheetPage& page = pages[i];
        if (i == 0 || pages[i - 1].colour != page.colour || pages[i - 1].key)
            setPassOptions(page.colour);
        m_settings.sheetH = page.key ? m_settings.sheetHMax : page.H;
        m_settings.sheetV = page.V;
        patron1();
        if (!sink(page, hooked(hook, Picture11.Image())))
            return false;
    }
    return true;
}

QImage Work::drawStitchPicture()
{
    const QImage picture = stitchPicture(m_st);
    Picture14.Cls();
    Picture14.setWidth(picture.width() + 2 * Picture14.border());
    Picture14.setHeight(picture.height() + 2 * Picture14.border());
    for (int y = 0; y < picture.height() && y < Picture14.pixelHeight(); ++y)
        std::copy_n(reinterpret_cast<const QRgb*>(picture.constScanLine(y)),
            std::min(picture.width(), Picture14.pixelWidth()), Picture14.scanLine(y));
    return Picture14.Image();
}

QString Work::saveImages(const QString& folder, const PageHook& hook)
{
    QString failure = writeBmp(hooked(hook, Picture2.Image()), fileInFolder(folder, embroideryFileName()));
    if (!failure.isEmpty())
        return failure;
    walkPages(
        chartPages(true, true),
        [&](const SheetPage& page, const QImage& picture) {
            failure = writeBmp(picture, fileInFolder(folder, pageFileName(page)));
            return failure.isEmpty();
        },
        hook);
    if (!failure.isEmpty())
        return failure;
    return writeBmp(hooked(hook, drawStitchPicture()), fileInFolder(folder, stitchPictureFileName()));
}

// ---- Views, swap and undo ----

std::optional<Work::ThreadAt> Work::threadAt(double X, double Y) const
{
    const int s = m_st.punto_doble ? 9 : 3;
    ThreadAt t;
    t.colour = Picture2.Point(finderSample(X, s), finderSample(Y, s));
    if (!findSwatchOnStrips(Picture8, m_st.num_tono, t.colour, t.group0, t.k))
        return std::nullopt;
    return t;
}

std::optional<Work::ThreadAt> Work::threadAtSheet(double X, double Y) const
{
    const int H = m_settings.sheetH, V = m_settings.sheetV;
    int i = 0, j = 0;
    if (H >= m_settings.sheetHMax || !sheetStitchAt(H, V, X, Y, m_st.ancho_puntos, m_st.alto_puntos, i, j))
        return std::nullopt;
    ThreadAt t;
    t.colour = m_st.puntos(i, j);
    if (!PaletteLookup(m_st).find(t.colour))
        return std::nullopt;
    findSwatchOnStrips(Picture8, m_st.num_tono, t.colour, t.group0, t.k);
    return t;
}

std::optional<Work::ThreadAt> Work::threadAtSwatch(int group0, double X) const
{
    ThreadAt t { Picture8[std::size_t(group0)].Point(swatchReadX(X), 1), group0, swatchPosition(X) };
    if (!isPaletteSwatch(m_st, group0, t.k, t.colour))
        return std::nullopt;
    return t;
}

Work::SwapResult Work::swapPick(int group0, int k, Long c)
{
    // the same swatch again, or a click past the last swatch, would remove a colour still in
    // use: wait for another second colour
    if (!isPaletteSwatch(m_st, group0, k, c) || c == m_st.color_nuevo)
        return SwapResult::Ignored;
    const SwapRecord record = planSwap(m_st, group0, k);
    const std::shared_ptr<StepStart> start = stepStart();
    // the record in memory undoes the swap whatever becomes of the file
    m_swapUndo = record;
    const QString unwritten = writeUndoFile(undoFileName(), record);
    const bool tell = !unwritten.isEmpty() && !m_undoFileFailed;
    m_undoFileFailed = !unwritten.isEmpty();
    if (tell)
        m_progress.setStage(unwritten);
    m_paletteUndo.reset();
    Picture2.Cls();
    Picture2.Refresh();
    setSwapMode(1);
    m_st.color_viejo = c;
    applySwap(m_st, record, m_st.color_nuevo);
    gama2();
    if (m_settings.chart.symbols)
        writeStripSymbols();
    recordStep(QStringLiteral("Cambio de color"), *start, true);
    keepLastPattern();
    return tell ? SwapResult::DoneUnrecorded : SwapResult::Done;
}

bool Work::undoSwap()
{
    // an editor step, or the history's undo or redo, came after the swap: its record no longer fits
    if (!swapStillUndoable())
        return false;
    const std::shared_ptr<StepStart> start = stepStart();
    if (undoColourOptions()) {
        recordStep(QStringLiteral("Deshacer cambio"), *start, false);
        keepLastPattern();
        return true;
    }
    const UndoRead read = m_swapUndo ? UndoRead { *m_swapUndo, {} } : readUndoFile(undoFileName());
    if (!read.error.isEmpty()) {
        er(read.error);
        return false;
    }
    if (!::undoSwap(m_st, read.record, m_st.color_viejo)) {
        er(damagedUndoMessage());
        return false;
    }
    recordStep(QStringLiteral("Deshacer cambio"), *start, false);
    keepLastPattern();
    return true;
}
