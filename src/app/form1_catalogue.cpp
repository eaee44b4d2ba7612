// The catalogue list of the window: the thread swatches and loading a catalogue into it.
#include "app/form1.h"
#include "colour/catalogue.h"

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

void Form1::drawSwatches()
{
    ImageList1.assign(1, QImage());
    for (int i = 1; i <= kFullCatalogue; ++i) {
        const color_dmc& d = st.dmc_todos[i];
        Picture16.Line(2, 0, 13, 11, RGB(d.rojo, d.verde, d.azul), LineKind::FilledBox);
        Picture16.Line(0, 0, 2, 11, RGB(255, 255, 255), LineKind::FilledBox);
        ImageList1.push_back(Picture16.Image().copy());
    }
}

void Form1::paleta(Integer catalogo)
{
    if (!st.listo)
        return;
    const QString file = catalogueFile(catalogo);
    std::vector<color_dmc> read = st.dmc_activos;
    const CatalogueRead r = readCatalogueFile(file, read, kFullCatalogue);
    if (!r.error.isEmpty()) {
        // the active catalogue and its list stay as they were
        er(r.error);
        return;
    }
    st.dmc_activos = read;
    ListView1->clear();
    for (int i = 1; i <= r.count; ++i) {
        const Long n = st.dmc_activos[i].numero;
        const Integer pic = dmcn(st, n);
        const QIcon icon = pic <= kFullCatalogue ? QIcon(QPixmap::fromImage(ImageList1[pic])) : unknownThreadIcon();
        ListView1->addItem(new QListWidgetItem(icon, threadListText(n)));
    }
    st.num_dmc = Integer(ListView1->count());
}
