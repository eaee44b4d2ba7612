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
#include "work/edit_tools.h"
#include "work/extras_edit.h"
#include "work/work_change.h"

#include <QImage>
#include <QObject>
#include <QString>
#include <QUndoStack>
#include <array>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <unordered_map>
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

class Work : public QObject {
    Q_OBJECT
public:
    // `dialogs` answers every message and question; `progress` shows stages, figures and the
    // pointer (its error hook is replaced by er).
    explicit Work(Dialogs& dialogs, Progress progress = {});
    ~Work() override;

    // The work state and the settings, read by every view; only Work's setters and operations
    // change them.
    const WorkState& state() const { return m_st; }
    const Settings& settings() const { return m_settings; }

    // Drawing surfaces.
    Surface Picture2 { 300, 300 }; // the embroidery
    Surface Picture3 { 0, 0 }; // the working picture
    std::array<Surface, 6> Picture8 = { Surface(4270, 11, 0), Surface(4270, 11, 0), Surface(4270, 11, 0),
        Surface(4270, 11, 0), Surface(4270, 11, 0), Surface(4270, 11, 0) }; // the palette strips
    Surface Picture11 { 300, 300 }; // the chart
    Surface Picture14 { 0, 0 }; // scratch surface
    Surface Picture15 { 100, 30, 0 }; // the stamp copied onto every sheet
    Surface Picture16 { 13, 11, 0 }; // where the thread swatches are drawn
    ImageControl Image1; // the preview
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
    // Adds the full-catalogue thread nearest to the working picture's colour at (X, Y) to the
    // personal catalogue unless it is there; true when the personal catalogue was reloaded (the
    // colour count following its threads, at least 3).
    bool pickPersonalThread(double X, double Y);

    // ---- Pictures ----

    // Reads a picture file into the preview; the message, or empty when it was read.
    QString previewPicture(const QString& path);
    // Empties the personal catalogue, as every new picture does; false after saying it cannot.
    bool emptyPersonal();
    // The settings a load starts from: "Grande", 248 colours; false after the message when the
    // catalogue cannot be read.
    bool resetSettings();
    // A picture file previewed and loaded as a double click does, without the window; false after
    // the message when it cannot be read (or the personal catalogue not emptied, or the catalogue
    // not read).
    bool openPicture(const QString& path);
    // Puts the preview into the working picture (asking for a reduction of a large one), sizes the
    // empty embroidery and the size settings for it and clears what belonged to the last picture.
    void loadPicture();
    // The working picture back as loaded (and reduced); nothing before the first load.
    void resetPicture();
    // One step adjustment of the working picture, by the button that asks for it (12..21).
    void adjustPicture(int button);

    // ---- Settings: one setter for each way a setting changes, each with that way's rule; each
    // tells the views (changed) only when something changed ----

    // Sets or clears listo, the flag that lets the controls' handlers act: the window sets it once
    // its controls are built and again when the full-screen view ends.
    void setListo(bool ready);
    // Sets one side of the embroidery to `pixels` inside; the other side follows the picture's
    // proportions, and Picture2, the frame sizes and the sizes in stitches stay in step.
    void setFrameSide(bool width, int pixels);
    // One side of the pattern in stitches, as the size box takes it up to 100 and the spinner
    // beyond; the other side follows. The message when the size is past the largest pattern.
    QString setStitches(bool width, int stitches);
    // The pattern size in stitches as its boxes hold it when a pattern button is clicked.
    void setTypedSize(double width, double height);
    // The colour count as typed in its box, held to 7..999: a typed "12.6" stays as the box shows
    // it (colourText) while the count becomes 13.
    void setColourCount(const QString& typed);
    // The colour count as its spinner sets it: 0..999, not held.
    void setColourCountFromSpinner(int count);
    // Chooses catalogue 1..5: the colour count follows it (57, 112, 248, 426, or the personal
    // catalogue's threads, at least 3) and the catalogue is loaded; false after the message when
    // it cannot be read.
    bool chooseCatalogue(int catalogo);
    // The key that sorts colours into the hue groups (Check9), for the next pattern made.
    void setVariant(bool variant);
    // Symbols, colours, grid and fonts of the chart; the sheet on show is not redrawn.
    void setChartOptions(const ChartOptions& options);
    // The sheet on show (HScroll2, VScroll2), held to the selectors' ranges.
    void setSheet(int h, int v);
    // Check7: 0 no swap, 1 waiting for the colour that stays, 2 for the one that goes.
    void setSwapMode(int mode);
    // The first pick of a swap: swatch k of strip `group0`, read as colour c, becomes the colour
    // that stays and the swap waits for the one that goes; false for a click past the last swatch.
    bool firstSwapPick(int group0, int k, Long c);
    // The options of "Opciones de color" for the next pattern made.
    void setColourOptions(const ColourOptions& options);
    // The fabric (an index of fabrics()) and strands "Lista de hilos" counts for.
    void setAmounts(int fabric, int strands);

    // ---- The pattern ----

    // True when the typed size fits the stitch arrays at s pixels a stitch; otherwise says so.
    bool patternSizeChecked(int s);
    // The pattern buttons: the embroidery sized and cleared, then colores, gama, the embroidery
    // and patron in that order, each even after an earlier one failed; ends with listo set.
    // True when every step succeeded (each failure said by its own message as it happened).
    bool makePattern(bool doble);
    // Reads the stitch colours and sorts them into the hue groups by the key settings.variant picks.
    bool colores();
    // Computes the palette, thins the groups and draws the strips.
    bool gama();
    // Redraws the strips from the palette as it is.
    void gama2();
    // The single-stitch (dibujar) and double-stitch (pinta2) embroidery on Picture2.
    bool dibujar();
    bool pinta2();
    // The embroidery in the stitch of the pattern on show.
    void redrawEmbroidery();
    // Writes each palette colour's symbol on its swatch, as the strips show them after a swap.
    void writeStripSymbols();
    // The first sheet with the sheet selectors reset to it, and the strips redrawn with their
    // symbols. Failures end with a message; every drawing ends with listo set.
    bool patron();
    // The sheet settings.sheetH/sheetV point at, or the key when sheetH is at its maximum.
    bool patron1();
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

    // The thread under a point: its colour and its swatch, k of strip group0.
    struct ThreadAt {
        Long colour = 0;
        int group0 = 0;
        int k = 0;
    };
    // The palette thread of the embroidery stitch under (X, Y), read as the colour finder reads it.
    std::optional<ThreadAt> threadAt(double X, double Y) const;
    // The palette thread of the stitch under (X, Y) of the sheet on show; none on the key.
    std::optional<ThreadAt> threadAtSheet(double X, double Y) const;
    // The palette thread of the swatch under X on strip group0.
    std::optional<ThreadAt> threadAtSwatch(int group0, double X) const;
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
    // Each extras thread's chart symbol: its palette colour's when the full stitches use it, else its own.
    std::vector<QString> extrasSymbols() const;
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

    // ---- Editing the pattern ----

    // True when the pattern on show may be edited: a pattern made or opened, listo set, no swap
    // waiting for its second colour.
    bool canEdit() const;
    int patternColumns() const { return m_st.ancho_puntos; }
    int patternRows() const { return m_st.alto_puntos; }
    // The colour stitched at a cell, kNoStitchColour where the cloth shows.
    Long stitchAt(int x, int y) const { return m_st.puntos(x, y); }
    // The pattern's stitches, read in place until the next edit.
    GridView gridView() const;
    // Applies `edits` (their `before` as the grid holds it) as one undo step named `text`: the
    // palette and symbols follow, marks of edited cells go, the embroidery is redrawn for those
    // cells only and the chart sheet on show afresh. False when nothing changed. Between
    // beginStroke and endStroke every edit joins the stroke's one step.
    bool editCells(const QString& text, std::vector<CellEdit> edits);
    // The same with a change of the part stitches, backstitch, knots and beads in the one step
    // (made from stitchExtras() as it is now); the embroidery is drawn again over the cells it touches.
    bool editPattern(const QString& text, std::vector<CellEdit> edits, ExtrasEdit extras);
    // The thread the extras' elements name for a colour: its number as the key gives it, and the
    // palette symbol when the full stitches use it.
    PatternThread extrasThread(Long colour) const;
    void beginStroke();
    void endStroke();
    // "Quitar fondo" at a cell: the similar region around it becomes cloth, one step; the cells changed.
    int removeBackground(QPoint cell, double tolerance);
    // The similar region reaching the pattern's border becomes cloth, one step; the cells changed.
    int removeBorderBackground(double tolerance);
    // Editor steps, swaps, their undo and colour options, each one step; cleared by a new pattern,
    // picture or pattern file. Undo and redo through it put the pattern back exactly.
    QUndoStack& history();
    // True while "Deshacer cambio" applies: after a swap or colour options with no editor step,
    // undo or redo since (nor a new pattern).
    bool canUndoSwap() const;

    // One thread of the pattern as the editor lists it.
    struct EditorThread {
        Long colour = 0;
        Long numero = 0; // its number in the full catalogue (0 "Blanco", 1 "Ecru")
        QString name;
        QString symbol;
        long stitches = 0;
        long done = 0; // stitches marked as done
    };
    // The pattern's threads in palette order, then those only its extras use, then threads added
    // and not used yet.
    std::vector<EditorThread> editorThreads() const;
    // Adds a thread of the full catalogue by number to the threads the editor offers; false when
    // no thread has that number or the pattern has it already. Not an undo step.
    bool addThread(Long numero);
    // Drops the added threads no stitch uses; how many went.
    int removeUnusedThreads();
    // The number the key, thread list, PDF and pattern file give a palette colour: the thread
    // added or read from a file with that colour, else the first full-catalogue thread of it.
    Long threadNumber(Long colour) const;
    // The chart key's label of a palette colour: the number chosen for it (added, or read from a
    // file), else the active catalogue's nearest thread.
    QString keyLabel(Long colour) const;
    // The colour of the cloth, shown in unstitched cells of the embroidery, the PDF and the
    // pattern file; white for a pattern made.
    QRgb cloth() const;
    void setCloth(QRgb cloth);
    // Stitching progress: marks on stitches done. markDone is one step (joins a stroke); true
    // when a mark changed. Cloth cells take no mark.
    bool isDone(int x, int y) const;
    bool markDone(const std::vector<QPoint>& cells, bool done);
    // The editor window closed: the pattern is kept in ultimo.oxs now when it was edited.
    void editorClosed();
    // True when the symbol font is not "Símbolos claros", so symbols may move as threads come and go.
    bool symbolsMayMove() const;

signals:
    // Told after every change a view may show, with what changed.
    void changed(const WorkChange& change);

private:
    friend struct WorkLoader; // tests set up a state through it
    WorkState m_st;
    Settings m_settings;

    // Tells the views of a change, and of listo when it changed since last told.
    void tell(WorkChange c);
    void notify(unsigned parts, QRect cells = {}) { tell(change(parts, cells)); }
    bool m_toldListo = false;
    // The colour count changed; `text` is how its box shows it.
    void showColourText(const QString& text);
    // The strips were drawn afresh, `longest` the longest strip now.
    void showStrips(int longest);
    // The preview holds `picture`, read from `path`, stretched into its frame.
    void showInPreview(const QImage& picture, const QString& path);
    void askAndReduce();
    bool sizeEmbroideryBox(int s);
    void endFailedDrawing(const QString& message, const QString& title);
    bool guardedDrawing(const std::function<ChartResult()>& draw);
    void setPassOptions(bool colour);
    QImage drawStitchPicture();
    // Puts back the palette and stitches the colour options changed; false when none are kept.
    bool undoColourOptions();
    // The colour count and how its box shows it (as a number when no text is given), told when
    // it changed.
    void setColourCountTo(int count, QString text = {});
    // Sets a setting to `value` and tells `part` when that changed it.
    template <class T> void setAndTell(T& setting, const T& value, WorkChange::Part part)
    {
        if (setting == value)
            return;
        setting = value;
        notify(part);
    }
    // The colour count the personal catalogue asks for: its threads, at least 3.
    int personalCount() const;
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
    // The extras over the embroidery (all of it, or only over `cells` when given) and over chart
    // sheet (H, V) as drawn; nothing without extras.
    void drawExtrasOnEmbroidery(QRect cells = {});
    void drawExtrasOnSheet(int H, int V);
    // The chart symbol of each palette colour.
    std::unordered_map<Long, QString> paletteSymbolsByColour() const;
    bool m_lastPatternFailed = false;
    std::future<QString> m_lastPatternWrite;
    // The editing history, marks and added threads (work_edit.cpp).
    struct EditState;
    static std::shared_ptr<EditState> makeEditState();
    std::shared_ptr<EditState> m_edit = makeEditState();
    // A new pattern, picture or pattern file: no step left to undo, marks, added threads and
    // chosen thread numbers gone.
    void clearHistory();
    // The palette and the stitches before an operation (a swap, its undo, colour options) that
    // recordStep keeps as one step named `text`; `swapUndoable`: "Deshacer cambio" applies after it.
    struct StepStart;
    std::shared_ptr<StepStart> stepStart() const;
    void recordStep(const QString& text, const StepStart& start, bool swapUndoable);
    // False when an editor step, or an undo or redo of the history, came after the last swap.
    bool swapStillUndoable() const;
    // The pattern with the thread numbers chosen and the marks.
    Pattern withEdits(Pattern p) const;
    // The embroidery drawn again for `cells` only and the sheet on show afresh; told with `parts`.
    void redrawEdited(QRect cells, unsigned parts);
    // Whether the sheet on show (or the key) shows a change of `parts` to `cells`.
    bool sheetShows(QRect cells, unsigned parts) const;
    // ultimo.oxs written at most 30 s after an edit.
    void keepEditsSoon();
    // A pattern file's thread numbers and marks, kept for the pattern read from it.
    void keepFileThreads(const Pattern& p);
};

// Clears listo for its lifetime and sets it again when it ends, on every return path: the
// listo = False ... listo = True pairs. A path that must stay busy calls keepBusy().
class Busy {
public:
    explicit Busy(Work& work)
        : m_work(work)
    {
        m_work.setListo(false);
    }
    ~Busy()
    {
        if (!m_keep)
            m_work.setListo(true);
    }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;
    void keepBusy() { m_keep = true; }

private:
    Work& m_work;
    bool m_keep = false;
};

// What the progress line says after a pattern while any colour option is on: the options, then
// the threads ("Colores fieles; 40 hilos"); empty with every option off.
QString colourOptionsLine(const ColourOptions& options, int threads);

// The file every pattern made, swap and undo is kept in: "ultimo.oxs" in the working folder.
QString lastPatternFileName();
