#pragma once
// The work without a window: the work state, every drawing surface, the settings the controls
// show, and every operation of the program. The main window shows a Work and drives it; the batch
// command and the benchmark drive one on their own.
#include "colour/colour_options.h"
#include "colour/pattern.h"
#include "colour/quality_report.h"
#include "colour/work_state.h"
#include "output/chart_pdf.h"
#include "output/oxs_file.h"
#include "output/sheet_walk.h"
#include "output/thread_amounts.h"
#include "render/chart.h"
#include "surface/dialogs.h"
#include "surface/progress.h"
#include "surface/surface.h"
#include "views/swap.h"
#include "work/work_change.h"

#include <QImage>
#include <QObject>
#include <QString>
#include <array>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <vector>

// The preview image: the picture of the last file previewed and where it is drawn, in
// single-precision pixels of its frame, stretched to that size when Stretch is on.
struct ImageControl {
    QImage Picture;
    Single Left = 0, Top = 0, Width = 0, Height = 0;
    bool Stretch = false;
    bool Visible = true;
    QString Path; // the file the picture was read from
};

// Everything the controls hold: what the window shows in its boxes, spinners and check boxes.
struct Settings {
    int colours = 248; // colour count asked (VScroll1)
    double width = 100; // pattern size in stitches as typed (Text4, Text5)
    double height = 100;
    int frameWidth = 300; // the embroidery's inside size in pixels, 3 a stitch (VScroll4, VScroll5)
    int frameHeight = 300;
    int catalogue = 3; // 1 "Mínima" .. 4 "Completa", 5 the personal catalogue (Option1)
    bool doubleStitch = false; // "Punto doble" made the pattern on show
    bool variant = false; // the other key of sorting colours into groups (Check9)
    ChartOptions chart; // "Ver signos", "Ver colores" (off: black and white), "Ver cuadrícula", fonts
    int sheetH = 1, sheetV = 1; // the sheet on show (HScroll2, VScroll2); the key at sheetH = sheetHMax
    int sheetHMax = 1, sheetVMax = 1;
    int swapMode = 0; // Check7: 0 off, 1 waiting for the colour that stays, 2 for the one that goes
    ColourOptions colourOptions; // "Opciones de color", used by the next pattern made
    int fabric = kDefaultFabric; // the fabric of "Lista de hilos" (an index of fabrics())
    int strands = kDefaultStrands; // the strands of "Lista de hilos"
};

// What a view does to each picture saved or printed before it is written: the window passes it
// through the system clipboard; empty leaves the picture as drawn.
using PageHook = std::function<QImage(const QImage&)>;

// One entry of the catalogue list: the thread's swatch and its label.
struct CatalogueEntry {
    QImage swatch; // null for a thread the full catalogue does not hold
    QString text;
};

// Clears listo for its lifetime and sets it again when it ends, on every return path: the
// listo = False ... listo = True pairs. A path that must stay busy calls keepBusy().
class Busy {
public:
    explicit Busy(WorkState& st)
        : m_st(st)
    {
        m_st.listo = False;
    }
    ~Busy()
    {
        if (!m_keep)
            m_st.listo = True;
    }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;
    void keepBusy() { m_keep = true; }

private:
    WorkState& m_st;
    bool m_keep = false;
};

class Work : public QObject {
    Q_OBJECT
public:
    // `dialogs` answers every message and question; `progress` shows stages, figures and the
    // pointer (its error hook is replaced by er).
    explicit Work(Dialogs& dialogs, Progress progress = {});
    ~Work() override;

    WorkState st;
    Settings settings;

    // Drawing surfaces.
    Surface Picture2 { 300, 300 }; // the embroidery
    Surface Picture3 { 0, 0 }; // the working picture
    std::array<Surface, 6> Picture8 = { Surface(4270, 11, 0), Surface(4270, 11, 0), Surface(4270, 11, 0),
        Surface(4270, 11, 0), Surface(4270, 11, 0), Surface(4270, 11, 0) }; // the palette strips
    Surface Picture9 { 15, 15, 0 }; // the swatch marker
    Surface Picture10 { 27, 27, 0 }; // "Lupa"
    Surface Picture11 { 300, 300 }; // the chart
    Surface Picture14 { 0, 0 }; // scratch surface
    Surface Picture15 { 100, 30, 0 }; // the stamp copied onto every sheet
    Surface Picture16 { 13, 11, 0 }; // where the thread swatches are drawn
    ImageControl Image1; // the preview
    Long magnifierBackColour = RGB(240, 240, 240); // "Lupa" when empty
    std::vector<QImage> ImageList1; // picture i is thread i's swatch (index 0 unused)
    std::vector<CatalogueEntry> catalogueList; // the threads of the active catalogue

    Dialogs& dialogs() { return m_dialogs; }
    // Shows a failure in a critical message box titled "Error".
    void er(const QString& mensaje);
    // The progress hooks, failures going to er.
    Progress progress();

    // ---- Start-up and catalogues ----

    // Sets listo, chooses the symbol font, empties the personal catalogue, reads the full catalogue, draws the
    // swatches and loads "Grande"; false after the message when the program cannot go on.
    bool startUp();
    // Draws every full-catalogue thread's swatch into ImageList1.
    void drawSwatches();
    // Loads catalogue 1..5 into dmc_activos and the catalogue list while listo is set; a file that
    // cannot be read is reported and changes nothing. True when the list was loaded.
    bool paleta(Integer catalogo);
    // The colour count a catalogue list asks for: its number of threads, at least 3.
    int countFromCatalogueList() const;
    // Adds the full-catalogue thread nearest to the working picture's colour at (X, Y) to the
    // personal catalogue unless it is there; true when the personal catalogue was reloaded.
    bool pickPersonalThread(double X, double Y);

    // ---- Pictures ----

    // Reads a picture file into the preview; the message, or empty when it was read.
    QString previewPicture(const QString& path);
    // Empties the personal catalogue, as every new picture does; says so when it cannot.
    void emptyPersonal();
    // The settings a load starts from: "Grande", 248 colours.
    void resetSettings();
    // A picture file previewed and loaded as a double click does, without the window; false after
    // the message when it cannot be read.
    bool openPicture(const QString& path);
    // Puts the preview into the working picture (asking for a reduction of a large one), sizes the
    // empty embroidery and the size settings for it and clears what belonged to the last picture.
    void loadPicture();
    // The working picture back as loaded (and reduced); nothing before the first load.
    void resetPicture();
    // One step adjustment of the working picture, by the button that asks for it (12..21).
    void adjustPicture(int button);

    // ---- Settings rules ----

    // Sets one side of the embroidery to `pixels` inside; the other side follows the picture's
    // proportions, and Picture2, the frame sizes and the sizes in stitches stay in step.
    void setFrameSide(bool width, int pixels);

    // The options of "Opciones de color" for the next pattern made.
    void setColourOptions(const ColourOptions& options);
    // The fabric (an index of fabrics()) and strands "Lista de hilos" counts for.
    void setAmounts(int fabric, int strands);
    // The colour count as typed, held to its limits: settings.colours and num_colores.
    void setColourCount(const QString& typed);
    // Chooses catalogue 1..5: the colour count follows it (the personal catalogue's threads, at
    // least 3, for 5) and the catalogue is loaded.
    void chooseCatalogue(int catalogo);
    // One side of the pattern in stitches, as the size box takes it up to 100 and the spinner
    // beyond; the other side follows. The message when the size is past the largest pattern.
    QString setStitches(bool width, int stitches);

    // ---- The pattern ----

    // True when the typed size fits the stitch arrays at s pixels a stitch; otherwise says so.
    bool patternSizeChecked(int s);
    // The pattern buttons: the embroidery sized and cleared, then colores, gama, the embroidery
    // and patron in that order, each even after an earlier one failed; ends with listo set.
    void makePattern(bool doble);
    // Reads the stitch colours and sorts them into the hue groups by the key settings.variant picks.
    void colores();
    // Computes the palette, thins the groups and draws the strips.
    void gama();
    // Redraws the strips from the palette as it is.
    void gama2();
    // The single-stitch (dibujar) and double-stitch (pinta2) embroidery on Picture2.
    void dibujar();
    void pinta2();
    // The embroidery in the stitch of the pattern on show.
    void redrawEmbroidery();
    // Writes each palette colour's symbol on its swatch, as the strips show them after a swap.
    void writeStripSymbols();
    // The first sheet with the sheet selectors reset to it, and the strips redrawn with their
    // symbols. Failures end with a message; every drawing ends with listo set.
    void patron();
    // The sheet settings.sheetH/sheetV point at, or the key when sheetH is at its maximum.
    void patron1();
    // True when a pattern has been made, so there is something to print or save.
    bool hasPattern() const;
    // The pattern on show as plain data, every colour with the symbol the chart draws for it.
    Pattern pattern() const;

    // ---- Pages ----

    // The pages of one command on the chart on show (sheets from the selector maxima).
    std::vector<SheetPage> chartPages(bool colour, bool blackWhite) const;
    // Walks `pages` in order: at the first page of each pass the chart options of that pass
    // (symbols and grid on, colours as the pass asks, the first sheet redrawn when they changed),
    // then each page drawn, passed through `hook` when given, and handed to `sink`. Stops when
    // `sink` returns false; returns whether every page was taken.
    bool walkPages(const std::vector<SheetPage>& pages,
        const std::function<bool(const SheetPage&, const QImage&)>& sink, const PageHook& hook = {});
    // Saves the embroidery, every page of both passes and the stitch picture into `folder`, each
    // picture passed through `hook` when given; stops at the first file that cannot be written
    // and returns its message (empty when done).
    QString saveImages(const QString& folder, const PageHook& hook = {});

    // ---- What the stitcher takes away ----

    // The pattern on show with every thread's "Símbolos claros" symbol, as the thread list and
    // the PDF chart show it.
    Pattern threadList() const;
    // The name of the pattern on show: its title (the loaded picture's file name without its
    // extension, or the opened file's title), "patron" when it has none.
    QString patternName() const;
    // The PDF chart of the pattern on show, with the embroidery on its cover, written to `path`
    // whole or not at all; the message, or empty when done. Nothing on show changes.
    QString exportChartPdf(const QString& path, const ChartPdfOptions& options) const;
    // The threads of the pattern on show with their amounts as CSV, written to `path` whole or
    // not at all; the message, or empty when done.
    QString exportThreadsCsv(const QString& path, const AmountOptions& options) const;

    // ---- Views, swap and undo ----

    // Marks the swatch of the embroidery stitch under (X, Y) and scrolls its strip to it.
    void markSwatchUnder(double X, double Y);
    // DoneUnrecorded: done, and the undo file could not be written, which the progress line
    // says (once, again only after a write succeeded)
    enum class SwapResult { Ignored, Done, DoneUnrecorded };
    // The second pick of a swap: swatch k of strip `group0`, read as colour c, leaves the palette
    // and its stitches take color_nuevo; the undo record is kept and written first. Ignored for a
    // click past the last swatch or on color_nuevo itself.
    SwapResult swapPick(int group0, int k, Long c);
    // Puts the last swap back from the record kept since it (read from the undo file when no
    // swap was made in this run), or the colour options applied since; false after the message.
    bool undoSwap();

    // ---- Pattern files ----

    // Saves the pattern on show as an OXS pattern file, whole or not at all, titled with the
    // pattern's title. The message, or empty when the file was written.
    QString savePattern(const QString& path);
    // Opens an OXS pattern file as the pattern on show: its stitches, its palette and its symbols,
    // drawn as "Punto sencillo" leaves a pattern (embroidery, strips, first sheet), the working
    // picture becoming its stitches and the undo record dropped. A file that cannot be read is
    // reported and nothing on show changes; threads replaced and stitches left out are told
    // after. False after the message.
    bool openPattern(const QString& path);
    // What the pattern on show holds beside its full stitches (part stitches, backstitches, knots,
    // beads, other objects): set by openPattern, emptied by every pattern made.
    const StitchExtras& stitchExtras() const { return m_extras; }
    // The pattern's title and fabric count: the loaded picture's name, or the opened file's.
    const OxsDetails& patternDetails() const { return m_patternDetails; }
    // Writes the pattern on show to lastPatternFileName() in the working folder, whole or not at
    // all, as every pattern made, swap and undo do. The file is written apart, so the button does
    // not wait for it; the next write waits for this one first.
    void keepLastPattern();
    // Waits for the last pattern's file to be written and tells a failure once (again only after
    // a write succeeded); a failure never stops the work.
    void finishLastPattern();
    bool keepsLastPattern = true; // the batch command, with a working folder of its own, turns it off
    // Off: makePattern sizes the embroidery but draws neither it nor the chart (the batch command
    // when none of its outputs shows them); the pattern, its palette and its threads are the same.
    bool drawsPictures = true;

    // ---- Colour options ----

    // Applies the merging and clean-up of settings.colourOptions to the pattern on show as one
    // step "Deshacer cambio" undoes: strips, embroidery and the first sheet redrawn. False when
    // nothing changed (and nothing is kept to undo).
    bool applyColourOptions();
    // How well the pattern on show stands for the working picture.
    QualityReport qualityReport() const;

signals:
    // Told after every change a view may show, with what changed.
    void changed(const WorkChange& change);

private:
    void notify(unsigned parts, QRect cells = {}) { emit changed(change(parts, cells)); }
    // The colour count changed; `text` is how its box shows it.
    void showColourText(const QString& text);
    // The strips were drawn afresh, `longest` the longest strip now.
    void showStrips(int longest);
    // The preview holds `picture`, read from `path`, stretched into its frame.
    void showInPreview(const QImage& picture, const QString& path);
    void askAndReduce();
    void sizeEmbroideryBox(int s);
    void endFailedDrawing(const QString& message, const QString& title);
    void guardedDrawing(const std::function<ChartResult()>& draw);
    void setPassOptions(bool colour);
    QImage drawStitchPicture();
    // Puts back the palette and stitches the colour options changed; false when none are kept.
    bool undoColourOptions();
    // The colour count the palette steps left, `count`, in the settings and on show.
    void showColourCount(int count);

    // The palette and stitches before the colour options were last applied to the pattern on
    // show; kept until the next swap or pattern.
    struct PaletteUndo;
    std::shared_ptr<PaletteUndo> m_paletteUndo;
    // The last swap's undo record, as the undo file holds it when it could be written.
    std::optional<SwapRecord> m_swapUndo;
    bool m_undoFileFailed = false;
    Dialogs& m_dialogs;
    Progress m_progress;
    OxsDetails m_patternDetails;
    StitchExtras m_extras;
    // The extras over the embroidery and over chart sheet (H, V) as drawn; nothing without extras.
    void drawExtrasOnEmbroidery();
    void drawExtrasOnSheet(int H, int V);
    // The extras with the palette's colours and chart symbols (or none), without the cells.
    Pattern extrasPattern(bool symbols) const;
    bool m_lastPatternFailed = false;
    std::future<QString> m_lastPatternWrite;
};

// What the progress line says after a pattern while any colour option is on: the options, then
// the threads ("Colores fieles; 40 hilos"); empty with every option off.
QString colourOptionsLine(const ColourOptions& options, int threads);

// The file every pattern made, swap and undo is kept in: "ultimo.oxs" in the working folder.
QString lastPatternFileName();
