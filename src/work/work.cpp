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
    settings.chart.plainFont = QGuiApplication::font().family();
}

Work::~Work()
{
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
    st.listo = True;
    // the symbol font start-up chooses; the window's font box takes its place there
    const QStringList fonts = installedFontNames();
    const int chosen = chooseSymbolFont(fonts);
    if (chosen >= 0)
        settings.chart.symbolFont = fonts[chosen];
    if (!emptyPersonalCatalogue()) {
        er(personalCatalogueFailure(QStringLiteral("escribir")));
        return false;
    }
    // the program must not go on with a partly filled full catalogue
    const CatalogueRead all = readFullCatalogueFile(catalogueFile(4), st.dmc_todos, kFullCatalogue);
    if (!all.error.isEmpty()) {
        er(all.error);
        return false;
    }
    st.num_dmc = 112;
    drawSwatches();
    paleta(3);
    return true;
}

void Work::drawSwatches()
{
    ImageList1.assign(1, QImage());
    for (int i = 1; i <= kFullCatalogue; ++i) {
        const color_dmc& d = st.dmc_todos[std::size_t(i)];
        Picture16.Line(2, 0, 13, 11, RGB(d.rojo, d.verde, d.azul), LineKind::FilledBox);
        Picture16.Line(0, 0, 2, 11, RGB(255, 255, 255), LineKind::FilledBox);
        ImageList1.push_back(Picture16.Image().copy());
    }
}

bool Work::paleta(Integer catalogo)
{
    if (!st.listo)
        return false;
    std::vector<color_dmc> read = st.dmc_activos;
    const CatalogueRead r = readActiveCatalogueFile(catalogo, st, read);
    if (!r.error.isEmpty()) {
        // the active catalogue and its list stay as they were
        er(r.error);
        return false;
    }
    st.dmc_activos = read;
    settings.catalogue = catalogo;
    catalogueList.clear();
    for (int i = 1; i <= r.count; ++i) {
        const Long n = st.dmc_activos[std::size_t(i)].numero;
        const Integer pic = dmcn(st, n);
        catalogueList.push_back({ pic <= kFullCatalogue ? ImageList1[std::size_t(pic)] : QImage(), threadListText(n) });
    }
    st.num_dmc = Integer(catalogueList.size());
    return true;
}

int Work::countFromCatalogueList() const { return std::max(3, int(catalogueList.size())); }

bool Work::pickPersonalThread(double X, double Y)
{
    const QString personalFile = catalogueFile(5);
    const Long t = dmck(st, Picture3.Point(X, Y));
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
        const color_dmc& d = st.dmc_todos[std::size_t(i)];
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

void Work::emptyPersonal()
{
    if (!emptyPersonalCatalogue())
        er(personalCatalogueFailure(QStringLiteral("vaciar")));
}

bool Work::openPicture(const QString& path)
{
    const QString error = previewPicture(path);
    if (!error.isEmpty()) {
        er(error);
        return false;
    }
    emptyPersonal();
    resetSettings();
    Busy busy(st);
    settings.swapMode = 0;
    m_progress.setPointer(11);
    loadPicture();
    m_progress.setPointer(0);
    return Picture3.pixelWidth() > 0 && Picture3.pixelHeight() > 0;
}

void Work::resetSettings()
{
    settings.colours = 248;
    st.num_colores = settings.colours;
    paleta(3);
}

void Work::askAndReduce()
{
    st.factor_reduccion = 0;
    if (!reductionAsked(Picture3.Width(), Picture3.Height()))
        return;
    const QString prompt = reductionPrompt(Picture3.pixelWidth(), Picture3.pixelHeight());
    while (st.factor_reduccion < 1)
        st.factor_reduccion = reductionFactor(m_dialogs.InputBox(prompt, reductionTitle(), QStringLiteral("1")));
    if (st.factor_reduccion > 1) {
        m_progress.setPointer(11);
        reducePicture(Picture3, st.factor_reduccion);
        m_progress.setPointer(0);
    }
}

void Work::loadPicture()
{
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
    settings.width = Val(l.text4);
    settings.height = Val(l.text5);
    settings.frameWidth = l.vscroll4;
    settings.frameHeight = l.vscroll5;
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
    Picture9.setLeft(kMarkerHidden);
    m_patternDetails = { QFileInfo(Image1.Path).completeBaseName(), OxsDetails().stitchesPerInch };
}

void Work::resetPicture()
{
    // before the first load there is no working picture to put back
    if (Picture3.pixelWidth() == 0 || Image1.Picture.isNull())
        return;
    Picture3.setVisible(false);
    Picture3.setPicture(Image1.Picture);
    if (st.factor_reduccion > 1) {
        m_progress.setPointer(11);
        reducePicture(Picture3, st.factor_reduccion);
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
        settings.frameWidth = pixels;
        settings.frameHeight = int(Picture2.ScaleHeight());
    } else {
        settings.frameHeight = pixels;
        settings.frameWidth = int(Picture2.ScaleWidth());
    }
    settings.width = Val(stitchText(settings.frameWidth));
    settings.height = Val(stitchText(settings.frameHeight));
    Picture2.move(centredPosition(Picture2.Width()), centredPosition(Picture2.Height()));
}

void Work::setColourOptions(const ColourOptions& options) { settings.colourOptions = options; }

void Work::setAmounts(int fabric, int strands)
{
    settings.fabric = fabric;
    settings.strands = strands;
}

void Work::setColourCount(const QString& typed)
{
    settings.colours = std::clamp(int(CInt(Val(heldColourText(typed)))), 0, 999);
    st.num_colores = settings.colours;
}

void Work::chooseCatalogue(int catalogo)
{
    if (catalogo < 5) {
        static const int threads[4] = { 57, 112, 248, 426 };
        settings.colours = threads[catalogo - 1];
        st.num_colores = settings.colours;
        paleta(Integer(catalogo));
        return;
    }
    paleta(5);
    settings.colours = std::min(countFromCatalogueList(), 999);
    st.num_colores = settings.colours;
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
    if (pixels != (width ? settings.frameWidth : settings.frameHeight))
        setFrameSide(width, pixels);
    return {};
}

// ---- The pattern ----

bool Work::patternSizeChecked(int s)
{
    if (patternSizeAllowed(stitchesFor(settings.width, s), stitchesFor(settings.height, s)))
        return true;
    er(patternSizeMessage());
    return false;
}

void Work::sizeEmbroideryBox(int s)
{
    // The old picture need not be kept (the box is cleared before anything is drawn on it): a new
    // size is one allocation, and the same size keeps the picture there is.
    Picture2.setSize(CLng(s * settings.width + 4), CLng(s * settings.height + 4), false);
    Picture2.setLeft(CLng((kFrameSide - Picture2.Width()) / 2.0));
    Picture2.setTop(CLng((kFrameSide - Picture2.Height()) / 2.0));
    if (!Picture2.imageValid())
        er(QStringLiteral("No hay suficiente memoria para dibujar el bordado. Reduce los puntos."));
}

void Work::makePattern(bool doble)
{
    if (!patternSizeChecked(doble ? 9 : 3))
        return;
    settings.doubleStitch = doble;
    m_extras = {};
    // single stitch: busy from the start and the box cleared first; double stitch: the steps
    // clear listo, and the embroidery clears the box itself
    if (doble) {
        st.punto_doble = True;
        m_progress.setPointer(11);
    } else {
        st.listo = False;
    }
    Picture2.setVisible(false);
    // the magnifier starts empty
    Picture10.BackColor = magnifierBackColour;
    Picture10.Cls();
    Picture10.Refresh();
    sizeEmbroideryBox(doble ? 9 : 3);
    if (!doble) {
        if (drawsPictures)
            Picture2.Cls();
        st.punto_doble = False;
    }
    // a pattern cannot have more colours than stitches: the colour count is lowered to them; while
    // listo is set the count asked follows at once
    const double product = settings.width * settings.height;
    if (product < st.num_colores) {
        settings.colours = std::clamp(int(CLng(product)), 0, 999);
        if (st.listo)
            st.num_colores = settings.colours;
        notify(WorkChange::ColourCount);
    }
    colores();
    gama();
    if (drawsPictures) {
        if (doble)
            pinta2();
        else
            dibujar();
        patron();
    }
    Picture2.setVisible(true);
    keepLastPattern();
    st.listo = True;
    // a step that failed left the hourglass; the run is over either way
    m_progress.setPointer(0);
}

void Work::colores()
{
    const Progress p = progress();
    p.setPointer(11);
    st.listo = False;
    notify(WorkChange::Reading);
    m_paletteUndo.reset();
    if (!::colores(st, Picture3, Picture2, p, settings.colourOptions))
        return;
    if (!settings.variant)
        separa(st, p);
    else
        separa1(st, p);
}

void Work::gama()
{
    const Progress p = progress();
    const bool recoloured = ::gama(st, p, [this] {
        settings.colours = int(st.num_colores);
        showColourText(Str(st.num_colores));
    });
    if (!recoloured)
        return;
    ::gama1(st, Picture8, p, [this](int longest) {
        showStrips(longest);
        showColourCount(int(st.num_colores));
    });
    notify(WorkChange::Strips);
    // the strips are drawn before the clean-up: drawn again for the colours it left
    if (applyPaletteOptions(st, settings.colourOptions)) {
        gama2();
        showColourCount(int(st.num_colores));
    }
}

void Work::showColourCount(int count)
{
    settings.colours = count;
    showColourText(QString::number(count));
}

void Work::showColourText(const QString& text)
{
    WorkChange c = change(WorkChange::ColourCount);
    c.colourText = text;
    emit changed(c);
}

void Work::showStrips(int longest)
{
    WorkChange c = change(WorkChange::Strips);
    c.longestStrip = longest;
    emit changed(c);
}

void Work::gama2()
{
    ::gama2(st, Picture8, progress());
    notify(WorkChange::Strips);
}

void Work::dibujar()
{
    ::dibujar(st, Picture2, progress());
    drawExtrasOnEmbroidery();
    notify(WorkChange::Embroidery);
}

void Work::pinta2()
{
    ::pinta2(st, Picture2, progress());
    drawExtrasOnEmbroidery();
    notify(WorkChange::Embroidery);
}

void Work::redrawEmbroidery()
{
    if (st.punto_doble)
        pinta2();
    else
        dibujar();
}

void Work::writeStripSymbols()
{
    // drawn as the chart draws them, so strips and chart show the same signs
    drawStripSymbols(Picture8, st, settings.chart.symbolFont, false);
    notify(WorkChange::Strips);
}

void Work::endFailedDrawing(const QString& message, const QString& title)
{
    m_dialogs.MsgBox(message, vbCritical, title);
    Picture11.move(0, 0);
    m_progress.setPointer(0);
    st.listo = True;
}

void Work::guardedDrawing(const std::function<ChartResult()>& draw)
{
    try {
        st.listo = False;
        m_progress.setPointer(11);
        if (draw() == ChartResult::NoMemory) {
            endFailedDrawing(kNoMemory, QStringLiteral("Error de memoria"));
            return;
        }
        Picture11.Refresh();
        m_progress.setPointer(0);
        st.listo = True;
    } catch (const std::bad_alloc&) {
        endFailedDrawing(kNoMemory, QStringLiteral("Error de memoria"));
    } catch (const std::exception&) {
        endFailedDrawing(QStringLiteral("Error"), QStringLiteral("Puntela"));
    }
}

void Work::patron()
{
    guardedDrawing([this] {
        const ChartOptions& options = settings.chart;
        const PatternSize size = patternSize(st, Picture2);
        settings.sheetH = 1;
        settings.sheetHMax = hScrollMax(size.W());
        settings.sheetV = 1;
        settings.sheetVMax = std::max(1, vScrollMax(size.H()));
        // listo is clear, so the selectors' own change events do nothing
        notify(WorkChange::Sheets);
        setStripFonts(Picture8, options.symbolFont);
        const ChartResult r = drawFirstSheet({ st, size, Picture11, Picture15, options, progress() });
        if (r == ChartResult::Drawn) {
            drawExtrasOnSheet(1, 1);
            gama2();
            if (options.symbols)
                drawStripSymbols(Picture8, st, options.symbolFont);
            Picture11.move(0, 0);
        }
        return r;
    });
}

void Work::patron1()
{
    guardedDrawing([this] {
        const int H = settings.sheetH, V = settings.sheetV;
        const int hMax = settings.sheetHMax, vMax = settings.sheetVMax;
        const ChartJob job { st, patternSize(st, Picture2), Picture11, Picture15, settings.chart, progress() };
        if (H == hMax)
            return drawKey(job, sheetTotal(hMax, vMax), [this](Long c) { return dmci(st, c); });
        const ChartResult r = drawSheet(job, H, V, hMax, vMax);
        if (r == ChartResult::Drawn)
            drawExtrasOnSheet(H, V);
        return r;
    });
}

bool Work::hasPattern() const { return st.ancho_puntos > 0 && st.alto_puntos > 0; }

Pattern Work::pattern() const
{
    const std::vector<QString> symbols = paletteSymbols(st, settings.chart.symbolFont, true);
    Pattern p = patternFromState(st, [&symbols](int index) { return symbols[std::size_t(index)]; });
    p.extras = m_extras;
    return p;
}

Pattern Work::threadList() const
{
    Pattern p = patternWithClearSymbols(st);
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
    return writeChartPdf(path, threadList(), Picture2.Image(), patternName(), options);
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
        sheetsAcrossSelector(settings.sheetHMax), sheetsDownSelector(settings.sheetVMax), colour, blackWhite);
}

void Work::setPassOptions(bool colour)
{
    st.listo = False;
    settings.chart.grid = true;
    settings.chart.symbols = true;
    st.listo = True;
    // the first sheet is drawn afresh when the colours change, as their box's click does
    const bool redraw = settings.chart.colours != colour;
    settings.chart.colours = colour;
    if (redraw) {
        Busy busy(st);
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
        settings.sheetH = page.key ? settings.sheetHMax : page.H;
        settings.sheetV = page.V;
        patron1();
        if (!sink(page, hooked(hook, Picture11.Image())))
            return false;
    }
    return true;
}

QImage Work::drawStitchPicture()
{
    const QImage picture = stitchPicture(st);
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

void Work::markSwatchUnder(double X, double Y)
{
    const int s = st.punto_doble ? 9 : 3;
    const Long c = Picture2.Point(finderSample(X, s), finderSample(Y, s));
    int g = 0, k = 0;
    if (!findSwatchOnStrips(Picture8, st.num_tono, c, g, k))
        return;
    const StripPage page = stripPageFor(g, k);
    Picture8[std::size_t(g)].setLeft(page.stripLeft);
    Picture9.move(page.markerLeft, page.markerTop);
    Picture9.BackColor = Picture8[std::size_t(g)].Point(10 * k + 2, 2);
    // the box shows its picture over its background: clear it to show the new colour
    Picture9.Cls();
    Picture9.Refresh();
}

Work::SwapResult Work::swapPick(int group0, int k, Long c)
{
    // the same swatch again, or a click past the last swatch, would remove a colour still in
    // use: wait for another second colour
    if (!isPaletteSwatch(st, group0, k, c) || c == st.color_nuevo)
        return SwapResult::Ignored;
    const SwapRecord record = planSwap(st, group0, k);
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
    settings.swapMode = 1;
    st.color_viejo = c;
    applySwap(st, record, st.color_nuevo);
    gama2();
    if (settings.chart.symbols)
        writeStripSymbols();
    keepLastPattern();
    return tell ? SwapResult::DoneUnrecorded : SwapResult::Done;
}

bool Work::undoSwap()
{
    if (undoColourOptions()) {
        keepLastPattern();
        return true;
    }
    const UndoRead read = m_swapUndo ? UndoRead { *m_swapUndo, {} } : readUndoFile(undoFileName());
    if (!read.error.isEmpty()) {
        er(read.error);
        return false;
    }
    if (!::undoSwap(st, read.record, st.color_viejo)) {
        er(damagedUndoMessage());
        return false;
    }
    keepLastPattern();
    return true;
}
