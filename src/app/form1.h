#pragma once
// The main window: every control of the program and the event handlers, showing a Work. A handler
// reads its control, calls the work and writes the result back into the controls. Handlers live in
// app/form1_<topic>.cpp; this header is the one place that lists them all.
#include "app/picture_box_widget.h"
#include "work/work.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QWidget>
#include <array>
#include <memory>

class EditorWindow;
class Form2;
class PreviewBox;

// Hands the work's questions to the dialogs layer in force when each is asked.
class CurrentDialogs : public Dialogs {
public:
    int MsgBox(const QString& prompt, int buttons, const QString& title) override;
    QString InputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString SaveFileName(const QString& caption, const QString& suggested, const QString& filter) override;
};

// A check box's Value: 0 unticked, 1 ticked, 2 greyed.
int checkValue(const QCheckBox* box);
void setCheckValue(QCheckBox* box, int value);

// Keeps the controls' handlers out while they are set from the settings: clears listo and puts
// back what it was.
class Quiet {
public:
    explicit Quiet(Work& work)
        : m_work(work)
        , m_was(work.state().listo != 0)
    {
        m_work.setListo(false);
    }
    ~Quiet() { m_work.setListo(m_was); }
    Quiet(const Quiet&) = delete;
    Quiet& operator=(const Quiet&) = delete;

private:
    Work& m_work;
    bool m_was;
};

class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

private:
    CurrentDialogs m_dialogs;

public:
    Work work { m_dialogs, progress() };
    // The drag on the embroidery, the working picture, the chart or a strip (shared with the
    // full-screen view), and the help shown once: when the program starts, on the first folder
    // opened and on the first picture loaded.
    DragState drag;
    Surface Picture9 { 15, 15, 0 }; // the swatch marker, in Picture7
    Surface Picture10 { 27, 27, 0 }; // "Lupa"
    Long magnifierBackColour = RGB(240, 240, 240); // "Lupa" when empty
    Integer ayuda_inicio = 0;
    Integer ayuda_abrir = 0;
    Integer ayuda_imagen = 0;
    QString picture1FontName; // the plain interface font of the right frame

    // Frames and panels.
    QFrame* Picture1 = nullptr; // 304 x 304, right
    QFrame* Picture4 = nullptr; // 304 x 304, left
    QFrame* Picture5 = nullptr; // 91 x 95, preview frame and focus holder
    QFrame* Picture6 = nullptr; // tool panel over the file browser
    QFrame* Picture7 = nullptr; // palette panel
    QFrame* Picture12 = nullptr; // settings panel
    QFrame* Picture13 = nullptr; // command panel
    QFrame* Picture17 = nullptr; // pattern panel: pattern files, thread list, PDF chart, colour options
    QGroupBox* Frame1 = nullptr; // magnifier
    QGroupBox* Frame2 = nullptr; // catalogues
    PictureBox *Picture2Box = nullptr, *Picture3Box = nullptr, *Picture9Box = nullptr, *Picture10Box = nullptr,
               *Picture11Box = nullptr, *Picture14Box = nullptr;
    std::array<PictureBox*, 6> Picture8Box {};
    PreviewBox* Image1Box = nullptr;

    // Browser.
    QComboBox* Drive1 = nullptr;
    QListWidget* Dir1 = nullptr;
    QListWidget* File1 = nullptr;
    QString Dir1Path; // Dir1.Path
    QString File1Path; // File1.Path
    // set while the drive box is turned to the place that holds the folder list's folder, so that
    // turning it does not open that place
    bool placeFollowsFolder = false;

    // Labels.
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr, *Label5 = nullptr,
           *Label6 = nullptr, *Label7 = nullptr;

    // Settings.
    QLineEdit *Text1 = nullptr, *Text4 = nullptr, *Text5 = nullptr;
    QScrollBar *VScroll1 = nullptr, *VScroll4 = nullptr, *VScroll5 = nullptr;
    QScrollBar *HScroll1 = nullptr, *HScroll2 = nullptr, *VScroll2 = nullptr;
    std::array<QRadioButton*, 5> Option1 {};
    QComboBox* Combo1 = nullptr;
    QListWidget* ListView1 = nullptr;

    // Buttons (index 0 unused where the numbering starts at 1).
    QPushButton *Command1 = nullptr, *Command2 = nullptr, *Command4 = nullptr, *Command5 = nullptr, *Command6 = nullptr,
                *Command7 = nullptr, *Command8 = nullptr, *Command9 = nullptr, *Command10 = nullptr,
                *Command11 = nullptr, *Command12 = nullptr, *Command13 = nullptr, *Command14 = nullptr,
                *Command15 = nullptr, *Command16 = nullptr, *Command17 = nullptr, *Command18 = nullptr,
                *Command19 = nullptr, *Command20 = nullptr, *Command21 = nullptr;
    std::array<QPushButton*, 2> Command3 {};
    QPushButton *threadListButton = nullptr, *chartPdfButton = nullptr; // "Lista de hilos", "Exportar PDF"
    QPushButton* check8 = nullptr; // "Redibujar bordado"
    QPushButton* savePatternButton = nullptr; // "Guardar patrón", in Picture17
    QPushButton* colourOptionsButton = nullptr; // "Opciones de color", on the pattern panel
    QPushButton* editPatternButton = nullptr; // "Editar patrón", on the pattern panel
    QCheckBox *Check1 = nullptr, *Check2 = nullptr, *Check3 = nullptr, *Check4 = nullptr, *Check5 = nullptr,
              *Check6 = nullptr, *Check7 = nullptr, *Check9 = nullptr, *Check10 = nullptr;

    Form2* form2 = nullptr; // the full-screen window, made on first use
    EditorWindow* editor = nullptr; // "Editor de patrones", made on first use

    // Window caption and pointer.
    void setCaption(const QString& c) { setWindowTitle(c); }
    void setMousePointer(int kind);
    int mousePointer() const { return m_mousePointer; }
    // The progress display: each call repaints the label at once.
    Progress progress();
    // The chart options as the check boxes and the symbol font box show them.
    ChartOptions chartOptionsShown() const;
    // The sheet selectors and the chart option boxes set from the settings, their handlers kept out.
    void showSheets();
    void showChartOptions();
    // The catalogue list shows the work's catalogue.
    void showCatalogueList();
    // Gives the keyboard focus to the preview frame, so no button keeps a focus rectangle.
    void focusSink();

    // Start-up and shell (app/form1_startup.cpp).
    bool Form_Load();
    void Form_Activate();
    void Form_Unload();
    // Shows a failure in a critical message box titled "Error".
    void er(const QString& mensaje);
    // True when a pattern has been made; else tells there is none `what` ("que guardar") and how
    // to make one.
    bool patternOrSay(const QString& what);
    // Shows the working picture and its commands (mostrar True) or the chart and its options.
    void sub1(Integer mostrar);
    // Redraws the first sheet of the chart and hides the progress labels.
    void sub2();
    void Command8_Click();
    void Command9_Click();
    void Command10_Click();
    // True when start-up could not go on and the program must end.
    bool endRequested() const { return m_endRequested; }

    // Settings (app/form1_settings.cpp).
    void Text1_KeyPress(int& KeyAscii);
    void Text1_LostFocus();
    void VScroll1_Change();
    void Text4_KeyPress(int& KeyAscii);
    void Text4_LostFocus();
    void Text5_KeyPress(int& KeyAscii);
    void Text5_LostFocus();
    void VScroll4_Change();
    void VScroll5_Change();
    void Option1_Click(int Index);
    void Combo1_Click();
    void Check9_Click();

    // Catalogues (app/form1_catalogue.cpp).
    // Loads catalogue 1..5 into the active catalogue and the list (see Work::paleta).
    void paleta(Integer catalogo);
    // Draws every full-catalogue thread's swatch into ImageList1.
    void drawSwatches();

    // Browser, loading, adjustments (app/form1_loading.cpp, app/form1_browser.cpp).
    void Drive1_Change();
    void Dir1_Change();
    void File1_Click();
    void File1_DblClick();
    void File1_KeyPress(int& KeyAscii);
    void Command2_Click();
    void Command11_Click();
    // One step adjustment of the working picture by button Command12..Command21.
    void adjustPicture(int button);
    // Lists the folders and picture files of the browser's folder again.
    void refreshFileList();
    // Fills the drive list, opens the start folder and wires the folder list.
    void initBrowser();
    // The preview frame names a pattern file instead of showing a picture (on), or shows the preview again.
    void showPatternNote(bool on);

    // The pattern pipeline (app/form1_pattern.cpp); the steps are the work's, with the controls
    // read first.
    void Command1_Click();
    void Command5_Click();
    // Reads the stitch colours and sorts them into the hue groups by the key Check9 picks.
    void colores();
    // Computes the palette, thins the groups and draws the strips; the colour count follows.
    void gama();
    // Redraws the strips from the palette as it is.
    void gama2();
    // The single-stitch and the double-stitch embroidery on Picture2.
    void dibujar();
    void pinta2();
    void check8_Click();
    // The embroidery in the stitch of the pattern on show.
    void redrawEmbroidery();
    // Writes each palette colour's symbol on its swatch.
    void writeStripSymbols();

    // Chart and key (app/form1_chart.cpp).
    // The first sheet, the selectors reset to it (see Work::patron).
    void patron();
    // The sheet the selectors point at, or the key (see Work::patron1).
    void patron1();
    void HScroll2_Change();
    void VScroll2_Change();

    // Views, mouse, swap (app/form1_views.cpp, app/form1_swap.cpp, app/form1_fullscreen.cpp).
    void Check1_Click();
    void Check2_Click();
    void Check3_Click();
    void Check4_Click();
    void Check5_Click();
    void Check6_Click();
    void Check7_Click();
    void Check10_Click();
    void Command4_Click();
    void colourOptions_Click();
    // Reads the options of "Opciones de color" kept by the last run and keeps them from now on,
    // each time they are accepted (the window program does; tests choose their own place).
    void restoreColourOptions();
    bool remembersColourOptions = false;
    // The progress line after a pattern: the colour options on and the threads, or empty.
    void showColourOptionsLine();
    void HScroll1_Change();
    void Picture2_MouseDown(int Button, int Shift, double X, double Y);
    void Picture2_MouseMove(int Button, int Shift, double X, double Y);
    void Picture2_MouseUp(int Button, int Shift, double X, double Y);
    void Picture3_MouseDown(int Button, int Shift, double X, double Y);
    void Picture3_MouseMove(int Button, int Shift, double X, double Y);
    void Picture3_MouseUp(int Button, int Shift, double X, double Y);
    void Picture11_MouseDown(int Button, int Shift, double X, double Y);
    void Picture11_MouseMove(int Button, int Shift, double X, double Y);
    void Picture11_MouseUp(int Button, int Shift, double X, double Y);
    void Picture8_MouseDown(int Index, int Button, int Shift, double X, double Y);
    void Picture8_MouseMove(int Index, int Button, int Shift, double X, double Y);
    void Picture8_MouseUp(int Index, int Button, int Shift, double X, double Y);
    void Command3_Click(int Index);
    // Marks the swatch of the embroidery stitch under (X, Y) and scrolls its strip to it.
    void markSwatchUnder(double X, double Y);
    // Adds the full-catalogue thread nearest to the picture's colour at (X, Y) to the personal
    // catalogue, unless it is there, and reloads that catalogue and the colour count.
    void pickPersonalThread(double X, double Y);
    // The second pick of a swap: swatch k of strip `Index`, colour c read from it.
    void swapPick(int Index, int k, Long c);

    // Output (app/form1_print.cpp, app/form1_save.cpp).
    void Command6_Click();
    void Command7_Click();
    // "Lista de hilos" and "Exportar PDF" on the pattern on show (app/form1_chart_pdf.cpp).
    void threadListButton_Click();
    void chartPdfButton_Click();

    // "Editar patrón" (app/form1_editor.cpp): the editor window on the pattern on show, one for
    // the main window; it and its button are off while the work is busy or a swap waits.
    void editPatternButton_Click();
    bool mayEdit() const;
    void showEditAllowed();
    void wireEditor();

    // Pattern files (app/form1_pattern_file.cpp).
    // "Guardar patrón": the pattern on show into an .oxs file the user chooses.
    void savePatternClicked();
    // Opens an .oxs file as the pattern on show, as a double-click in the file list does.
    void openPattern(const QString& path);

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* e) override;

private:
    // The working picture's size in the labels and the pattern size in its boxes and spinners,
    // as a loaded picture or an opened pattern leaves them.
    void showPictureSize();
    void buildWindow();
    void buildBrowser();
    void buildPanels();
    void buildSurfaces();
    void wireEvents();
    // What the window shows of the work as it changes.
    void wireWork();

    int m_mousePointer = 0;
    bool m_endRequested = false;
};
