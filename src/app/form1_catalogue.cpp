// The catalogue list of the window: the thread swatches and loading a catalogue into it.
#include "app/form1.h"

#include <QPainter>

namespace {
// The icon of a thread the full catalogue does not hold: a grey swatch with a question mark.
QIcon unknownThreadIcon()
{
    QImage im(13, 11, QImage::Format_RGB32);
    im.fill(QColor(200, 200, 200));
    QPainter p(&im);
    p.setPen(Qt::black);
    p.setFont(QFont(QStringLiteral("DejaVu Sans"), 6));
    p.drawText(im.rect(), Qt::AlignCenter, QStringLiteral("?"));
    return QIcon(QPixmap::fromImage(im));
}
} // namespace

void Form1::drawSwatches() { work.drawSwatches(); }

void Form1::paleta(Integer catalogo)
{
    if (work.paleta(catalogo))
        showCatalogueList();
}

void Form1::showCatalogueList()
{
    ListView1->clear();
    for (const CatalogueEntry& e : work.catalogueList) {
        const QIcon icon = e.swatch.isNull() ? unknownThreadIcon() : QIcon(QPixmap::fromImage(e.swatch));
        ListView1->addItem(new QListWidgetItem(icon, e.text));
    }
}
