#pragma once
// "Editor de patrones": a second window on the work's pattern, with the chart, the drawing tools,
// the threads panel and the history. Every edit goes to Work, which tells both windows.
#include "app/editor/canvas_widget.h"
#include "work/work.h"

#include <QActionGroup>
#include <QMainWindow>
#include <QTimer>
#include <functional>
#include <optional>
#include <unordered_map>

class QComboBox;
class QLabel;
class QLineEdit;
class QSlider;
class QTreeWidget;
class QUndoView;

// A tool's icon: one character of DejaVu Sans, drawn by the program itself.
QIcon editorGlyphIcon(const QString& glyph);

class EditorWindow : public QMainWindow {
    Q_OBJECT
public:
    enum class Tool {
        Pencil,
        Line,
        Rectangle,
        FilledRectangle,
        Ellipse,
        FilledEllipse,
        Fill,
        Eraser,
        Replace,
        Picker,
        Select,
        RemoveBackground,
        MarkDone,
        HalfForward,
        HalfBack,
        Quarter,
        ThreeQuarter,
        Backstitch,
        Knot,
        Bead,
    };

    explicit EditorWindow(Work& work, QWidget* parent = nullptr);
    ~EditorWindow() override;

    // Whether the main window lets the pattern be edited (not busy, no swap waiting); the work
    // itself must allow it too.
    void setEditAllowed(bool allowed);
    bool editAllowed() const;
    CanvasWidget* canvas() const { return m_canvas; }
    Tool tool() const { return m_tool; }
    void setTool(Tool tool);
    Long currentThread() const { return m_current; }
    void setCurrentThread(Long colour);
    // Threads by number or name ("310", "Ecru", "lavender"): the thread is added and made current;
    // false when the full catalogue has none.
    bool addThreadNamed(const QString& text);
    QTreeWidget* threadsList() const { return m_threads; }
    QUndoView* historyView() const { return m_history; }
    QString statusText() const;

    // The tools at a point of the chart (in cells from its top-left corner), as the mouse uses
    // them: button 1 left, 2 right. The cell forms press at the cell's middle.
    void pointPressed(QPointF at, int button);
    void pointMoved(QPointF at, int buttons);
    void pointReleased(QPointF at);
    void cellPressed(QPoint cell, int button) { pointPressed(middleOf(cell), button); }
    void cellMoved(QPoint cell, int buttons) { pointMoved(middleOf(cell), buttons); }
    void cellReleased(QPoint cell) { pointReleased(middleOf(cell)); }
    static QPointF middleOf(QPoint cell) { return QPointF(cell) + QPointF(0.5, 0.5); }
    // Ends a backstitch run (Esc does it too).
    void endBackstitchRun();

    // The selection's commands.
    void copySelection();
    void cutSelection();
    void pasteClip();
    void deleteSelection();
    // The selected cells become cloth, as one step named `text`.
    void clearSelection(const QString& text);
    void mirrorSelection(bool horizontal);
    void rotateSelection(bool clockwise);

protected:
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void buildActions();
    void buildToolBar();
    void buildViewBar();
    void buildThreadsPanel();
    void buildHistory();
    // What the window shows of the work as it changes.
    void workChanged(const WorkChange& change);
    // The canvas's copy of the pattern: all of it (the working picture too when asked), or the
    // cells of a rectangle.
    void readPattern(bool withPicture = false);
    void readCells(QRect cells);
    void readExtras();
    // True when the work's palette is, in order, the one the canvas knows.
    bool samePalette() const;
    void showThreads();
    void updateEnabled();
    void showPointer(QPoint cell);
    void applyEdits(const QString& text, std::vector<CellEdit> edits);
    // The colour a tool draws with for a button: the current thread, or the cloth on the right.
    Long drawColour(int button) const;
    // The tools that follow the pointer with a button down (strokes, shapes' previews), from the
    // last cell to `cell`; false for the others.
    bool dragTo(QPoint from, QPoint cell);
    // A shape's preview, from the press to `cell`.
    void previewShape(QPoint cell);
    std::vector<CellEdit> shapeEdits(QPoint cell) const;
    void showFloatingClip();
    // Clears the selection and puts `clip` at its top-left as one step.
    void replaceSelection(const QString& text, const Clip& clip);
    // The selection, or the block following the pointer, mirrored or turned by `turn`.
    void turnSelection(const QString& text, const std::function<Clip(const Clip&)>& turn);
    QRect selectionInPattern() const;
    void markLine(QPoint from, QPoint to, bool done);
    // The part stitch, knot or bead tools at a point: the left button places, the right takes away.
    void placeExtra(QPointF at, int button);
    void backstitchPressed(QPointF at, int button);
    void showBackstitchRun();

    Work& m_work;
    CanvasWidget* m_canvas = nullptr;
    QActionGroup* m_tools = nullptr;
    std::vector<std::pair<Tool, QAction*>> m_toolActions;
    QComboBox* m_view = nullptr;
    QSlider* m_tolerance = nullptr;
    QLabel* m_toleranceLabel = nullptr;
    QTreeWidget* m_threads = nullptr;
    QLineEdit* m_addThread = nullptr;
    QUndoView* m_history = nullptr;
    QLabel* m_pointer = nullptr; // the thread under the pointer
    QLabel* m_symbolsNote = nullptr;
    QLabel* m_currentSwatch = nullptr;
    QList<QWidget*> m_editing; // off while the work cannot be edited
    QTimer m_threadsTimer;

    bool m_allowed = true;
    Tool m_tool = Tool::Pencil;
    Long m_current = kNoStitchColour;
    std::unordered_map<Long, int> m_indexOf; // palette index of each colour the canvas knows
    std::unordered_map<Long, QString> m_threadLabels; // "DMC 310 Black" of each thread listed
    bool m_down = false;
    int m_button = 0;
    QPoint m_anchor, m_last;
    QPointF m_at; // the pointer, in cells
    std::optional<QPointF> m_runFrom; // where the next backstitch of a run starts
    QRect m_selection;
    Clip m_clip;
    bool m_floating = false; // a pasted block follows the pointer until a click places it
    QPoint m_floatAt;
};
