// The editor's threads panel: the pattern's threads with symbol, swatch, number, name and
// stitches (and what is left while marking), the current thread, and threads added from the
// full catalogue by number or name.
#include "app/editor/editor_window.h"

#include "colour/thread_names.h"
#include "render/clear_symbols.h"
#include "surface/colour_rgb.h"

#include <QDockWidget>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
enum Column { SymbolColumn, SwatchColumn, NumberColumn, StitchesColumn, LeftColumn, NameColumn };

QPixmap swatch(Long colour, int w = 22, int h = 14)
{
    QPixmap pm(w, h);
    pm.fill(QColor(rgbFromColour(colour)));
    return pm;
}

// The full-catalogue thread a text names: its number ("310", "blanco", "ecru") or the first
// whose name holds the text; -1 for none.
Long threadNamed(const WorkState& st, const QString& typed)
{
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return -1;
    bool isNumber = false;
    const Long number = text.toInt(&isNumber);
    for (std::size_t i = 1; i < st.dmc_todos.size(); ++i) {
        const Long n = st.dmc_todos[i].numero;
        if (isNumber ? n == number : threadCode(n).compare(QStringLiteral("DMC ") + text, Qt::CaseInsensitive) == 0)
            return n;
    }
    if (isNumber)
        return -1;
    for (std::size_t i = 1; i < st.dmc_todos.size(); ++i)
        if (threadName(st.dmc_todos[i].numero).contains(text, Qt::CaseInsensitive))
            return st.dmc_todos[i].numero;
    return -1;
}
} // namespace

void EditorWindow::buildThreadsPanel()
{
    auto* dock = new QDockWidget(QStringLiteral("Hilos"), this);
    dock->setObjectName(QStringLiteral("hilos"));
    auto* box = new QWidget(dock);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* current = new QHBoxLayout;
    current->addWidget(new QLabel(QStringLiteral("Hilo actual:"), box));
    m_currentSwatch = new QLabel(box);
    current->addWidget(m_currentSwatch, 1);
    layout->addLayout(current);
    m_threads = new QTreeWidget(box);
    m_threads->setRootIsDecorated(false);
    m_threads->setHeaderLabels({ QStringLiteral("Signo"), QStringLiteral("Color"), QStringLiteral("Número"),
        QStringLiteral("Puntadas"), QStringLiteral("Quedan"), QStringLiteral("Nombre") });
    m_threads->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_threads->setMinimumWidth(330);
    connect(m_threads, &QTreeWidget::itemClicked, this,
        [this](QTreeWidgetItem* item) { setCurrentThread(item->data(0, Qt::UserRole).toLongLong()); });
    layout->addWidget(m_threads, 1);
    auto* add = new QHBoxLayout;
    m_addThread = new QLineEdit(box);
    m_addThread->setPlaceholderText(QStringLiteral("Número o nombre del hilo"));
    auto* addButton = new QPushButton(QStringLiteral("Añadir"), box);
    const auto addTyped = [this] {
        if (addThreadNamed(m_addThread->text()))
            m_addThread->clear();
        else
            statusBar()->showMessage(QStringLiteral("No hay ningún hilo con ese número o nombre."), 4000);
    };
    connect(addButton, &QPushButton::clicked, this, addTyped);
    connect(m_addThread, &QLineEdit::returnPressed, this, addTyped);
    add->addWidget(m_addThread, 1);
    add->addWidget(addButton);
    layout->addLayout(add);
    auto* unused = new QPushButton(QStringLiteral("Quitar los hilos sin usar"), box);
    connect(unused, &QPushButton::clicked, this, [this] {
        m_work.removeUnusedThreads();
        showThreads();
    });
    layout->addWidget(unused);
    dock->setWidget(box);
    addDockWidget(Qt::LeftDockWidgetArea, dock);
    m_editing << m_threads << m_addThread << addButton << unused;
}

void EditorWindow::showThreads()
{
    const std::vector<Work::EditorThread> threads = m_work.editorThreads();
    const bool marking = m_tool == Tool::MarkDone;
    const QString font = m_work.settings().chart.symbolFont;
    QFont symbolFont(isClearSymbols(font) ? clearSymbolsFamily() : font);
    symbolFont.setPointSize(12);
    m_threads->setColumnHidden(LeftColumn, !marking);
    // the rows stay while only the counts change, so a click in the list is never lost
    const bool sameThreads = m_threads->topLevelItemCount() == int(threads.size());
    if (!sameThreads)
        m_threads->clear();
    bool currentListed = false;
    m_threadLabels.clear();
    for (std::size_t i = 0; i < threads.size(); ++i) {
        const Work::EditorThread& t = threads[i];
        QTreeWidgetItem* item = sameThreads ? m_threads->topLevelItem(int(i)) : new QTreeWidgetItem(m_threads);
        if (item->data(0, Qt::UserRole).toLongLong() != t.colour || !sameThreads) {
            item->setData(0, Qt::UserRole, qlonglong(t.colour));
            item->setIcon(SwatchColumn, swatch(t.colour));
            item->setText(NumberColumn, threadCode(t.numero));
            item->setText(NameColumn, t.name);
        }
        m_threadLabels[t.colour] = threadCode(t.numero) + QLatin1Char(' ') + t.name;
        item->setText(SymbolColumn, t.symbol);
        item->setFont(SymbolColumn, symbolFont);
        item->setText(StitchesColumn, QString::number(t.stitches));
        item->setText(LeftColumn, QString::number(t.stitches - t.done));
        if (t.colour == m_current) {
            m_threads->setCurrentItem(item);
            currentListed = true;
        }
    }
    if (!currentListed && !threads.empty() && m_current == kNoStitchColour)
        setCurrentThread(threads.front().colour);
}

void EditorWindow::setCurrentThread(Long colour)
{
    m_current = colour;
    for (int i = 0; i < m_threads->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = m_threads->topLevelItem(i);
        if (item->data(0, Qt::UserRole).toLongLong() == colour) {
            m_threads->setCurrentItem(item);
            m_currentSwatch->setPixmap(swatch(colour, 40, 16));
            m_currentSwatch->setToolTip(item->text(NumberColumn) + QLatin1Char(' ') + item->text(NameColumn));
            return;
        }
    }
    m_currentSwatch->setPixmap(swatch(colour, 40, 16));
}

bool EditorWindow::addThreadNamed(const QString& text)
{
    const Long numero = threadNamed(m_work.state(), text);
    if (numero < 0)
        return false;
    m_work.addThread(numero);
    showThreads();
    for (const Work::EditorThread& t : m_work.editorThreads())
        if (t.numero == numero)
            setCurrentThread(t.colour);
    return true;
}
