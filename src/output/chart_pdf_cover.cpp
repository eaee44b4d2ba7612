// The cover and the key pages of the PDF chart.
#include "output/chart_pdf_page.h"

#include "colour/colour_value.h"
#include "render/extras_drawing.h"

#include <QFontMetricsF>
#include <algorithm>
#include <numeric>

namespace {
constexpr double kPictureMm = 105; // the most height the picture takes on the cover
constexpr int kLargestPicture = 1600; // pixels on the picture's long side in the document

// Left edges of the key's columns, in mm from the body's left.
constexpr double kSymbolX = 0, kSwatchX = 14, kCodeX = 28, kNameX = 50, kStrandsX = 116, kStitchesX = 136,
                 kSkeinsX = 160;
} // namespace

void PdfDocument::drawExtrasSample(const ThreadAmount& t, double x, double y)
{
    const StitchExtras& extras = m_pattern.extras;
    if (t.extraThread < 0)
        return;
    const QColor colour = extrasColour(extras, t.extraThread, m_options.colourCells);
    const double cell = pdfUnits(2.5);
    if (t.backstitchCells > 0) {
        // the line as the chart draws it, in black and white the thread's own style
        const std::vector<int> order = backstitchThreads(extras);
        const int style = int(std::find(order.begin(), order.end(), t.extraThread) - order.begin());
        m_p.setPen(backstitchPen(m_options.colourCells ? 0 : style, colour, cell));
        m_p.drawLine(QLineF(x, y, x + pdfUnits(t.section.isEmpty() ? 6 : 10), y));
    } else if (t.knots > 0 || t.beads > 0) {
        drawObjectMark(
            m_p, t.knots > 0 ? ObjectKind::Knot : ObjectKind::Bead, QPointF(x + pdfUnits(2), y), colour, cell);
    }
}

void PdfDocument::drawCover(const QImage& picture)
{
    drawHeader();
    const double left = pdfUnits(m_frame.body.left()), width = pdfUnits(m_frame.body.width());
    double y = pdfUnits(m_frame.body.top() + 10);
    m_p.setPen(Qt::black);
    m_p.setFont(pdfFont(16));
    m_p.drawText(QPointF(left, y), m_p.fontMetrics().elidedText(m_name, Qt::ElideRight, int(width)));
    y += pdfUnits(5);
    if (!picture.isNull()) {
        const QImage small = std::max(picture.width(), picture.height()) > kLargestPicture
            ? picture.scaled(kLargestPicture, kLargestPicture, Qt::KeepAspectRatio, Qt::SmoothTransformation)
            : picture;
        const QSizeF box = QSizeF(small.size()).scaled(QSizeF(width, pdfUnits(kPictureMm)), Qt::KeepAspectRatio);
        m_p.drawImage(QRectF(QPointF(left + (width - box.width()) / 2, y), box), small);
        y += box.height();
    }
    const long total = std::accumulate(
        m_threads.begin(), m_threads.end(), 0L, [](long n, const ThreadAmount& t) { return n + t.stitches; });
    QStringList lines {
        QStringLiteral("Tamaño: %1 × %2 puntadas").arg(m_pattern.width).arg(m_pattern.height),
        QStringLiteral("Colores: %1").arg(m_threads.size()),
        QStringLiteral("Puntadas: %1").arg(total),
        QStringLiteral("Cantidades de hilo para %1").arg(fabricAndStrands(m_options)),
        QStringLiteral("Tamaño terminado y tela a comprar (5 cm de margen por cada lado):"),
    };
    for (const Fabric& f : fabrics()) {
        const FinishedSize s = finishedSize(m_pattern.width, m_pattern.height, f.stitchesPerInch);
        lines << QStringLiteral("    %1: %2; tela %3").arg(f.name, s.sizeText(), s.fabricText());
    }
    m_p.setFont(pdfFont(10));
    const double pitch = pdfPoints(14);
    for (const QString& line : lines) {
        y += pitch;
        m_p.drawText(QPointF(left, y), line);
    }
    y += pitch * 1.5;
    m_p.drawText(QPointF(left, y), QStringLiteral("Mapa de hojas"));
    y += pdfUnits(3);
    const double bottom = pdfUnits(m_frame.body.bottom());
    const double marks = pdfUnits(3); // room for the centre marks around the map
    if (bottom - y > pdfUnits(15) + 2 * marks)
        drawPageMap(QRectF(left, y, width, bottom - y).adjusted(marks, marks, -marks, -marks));
}

// The pattern's outline cut into its chart pages, each marked with its page number.
void PdfDocument::drawPageMap(const QRectF& box)
{
    const QSizeF whole = QSizeF(m_pattern.width, m_pattern.height).scaled(box.size(), Qt::KeepAspectRatio);
    const double scale = whole.width() / m_pattern.width;
    m_p.setFont(pdfFont(std::clamp(scale * m_layout.rowsPerPage / 5.0 * 72.0 / kPdfDpi, 5.0, 14.0)));
    m_p.setPen(QPen(Qt::black, pdfPoints(0.5)));
    for (int row = 0; row < m_layout.pagesDown; ++row)
        for (int column = 0; column < m_layout.pagesAcross; ++column) {
            const int x0 = m_layout.columnEdges[std::size_t(column)], y0 = m_layout.rowEdges[std::size_t(row)];
            const QRectF r(box.left() + x0 * scale, box.top() + y0 * scale,
                (m_layout.columnEdges[std::size_t(column) + 1] - x0) * scale,
                (m_layout.rowEdges[std::size_t(row) + 1] - y0) * scale);
            m_p.drawRect(r);
            m_p.drawText(r, Qt::AlignCenter, QString::number(2 + row * m_layout.pagesAcross + column));
        }
    const QRectF outline(box.topLeft(), whole);
    drawCentreMarks(outline, outline.center().x(), outline.center().y());
}

void PdfDocument::drawKeyPage(int k)
{
    drawHeader();
    const double left = pdfUnits(m_frame.body.left());
    const double right = pdfUnits(m_frame.body.right());
    auto at = [left](double mm) { return left + pdfUnits(mm); };
    m_p.setPen(Qt::black);
    m_p.setFont(pdfFont(10));
    m_p.drawText(QPointF(left, pdfUnits(m_frame.body.top() + kKeyHeadingMm - 8)),
        QStringLiteral("Clave para %1; madejas de 8 m de seis hebras, con un 20 % más por desperdicio")
            .arg(fabricAndStrands(m_options)));
    double y = pdfUnits(m_frame.body.top() + kKeyHeadingMm);
    const QStringList headings { QStringLiteral("Signo"), QStringLiteral("Color"), QStringLiteral("Hilo"),
        QStringLiteral("Nombre"), QStringLiteral("Hebras"), QStringLiteral("Puntadas"), QStringLiteral("Madejas") };
    const double columns[] = { kSymbolX, kSwatchX, kCodeX, kNameX, kStrandsX, kStitchesX, kSkeinsX };
    for (int c = 0; c < headings.size(); ++c)
        m_p.drawText(QPointF(at(columns[c]), y), headings[c]);
    m_p.setPen(QPen(Qt::black, pdfPoints(0.5)));
    m_p.drawLine(QLineF(left, y + pdfUnits(1.5), right, y + pdfUnits(1.5)));

    const QFontMetricsF fm(pdfFont(10));
    const std::size_t first = std::size_t(m_layout.keyPageStart(k));
    const std::size_t end = std::min(m_keyLines.size(), std::size_t(m_layout.keyPageStart(k + 1)));
    const double swatch = pdfUnits(4);
    for (std::size_t line = first; line < end; ++line) {
        y += pdfUnits(kKeyPitchMm);
        if (m_keyLines[line] < 0) {
            // the heading of the threads only backstitch, knots or beads use
            QFont bold = pdfFont(10);
            bold.setBold(true);
            m_p.setFont(bold);
            m_p.setPen(Qt::black);
            m_p.drawText(QPointF(at(kSymbolX), y), m_threads[std::size_t(m_keyLines[line + 1])].section);
            m_p.setFont(pdfFont(10));
            continue;
        }
        const ThreadAmount& t = m_threads[std::size_t(m_keyLines[line])];
        const Components c = split(t.colour);
        m_p.setPen(QPen(Qt::black, pdfPoints(0.4)));
        m_p.setBrush(QColor(c.r, c.g, c.b));
        m_p.drawRect(
            QRectF(at(kSwatchX + 3), y - fm.ascent() * 0.8 - (swatch - fm.ascent() * 0.8) / 2, swatch, swatch));
        m_p.setBrush(Qt::NoBrush);
        if (t.section.isEmpty())
            m_p.drawText(QPointF(at(kSymbolX + 3), y), t.symbol);
        drawExtrasSample(t, at(kSymbolX + (t.section.isEmpty() ? 7 : 2)), y - fm.ascent() * 0.4);
        m_p.setPen(Qt::black);
        m_p.drawText(QPointF(at(kCodeX), y), t.code);
        m_p.drawText(QPointF(at(kNameX), y), fm.elidedText(t.name, Qt::ElideRight, pdfUnits(kStrandsX - kNameX - 2)));
        const bool backstitch = t.section == QLatin1String("Pespunte"), beads = t.section == QLatin1String("Cuentas");
        if (!beads)
            m_p.drawText(QPointF(at(kStrandsX), y),
                QString::number(backstitch ? m_options.backstitchStrands : m_options.strands));
        const QString amount = backstitch ? QStringLiteral("%1 cm").arg(
                                   std::lround(t.backstitchCells * 2.54 / std::max(1, m_options.stitchesPerInch)))
            : t.section == QLatin1String("Nudos") ? QString::number(t.knots)
            : beads                               ? QString::number(t.beads)
                                                  : QString::number(t.stitches);
        m_p.drawText(QPointF(at(kStitchesX), y), amount);
        if (t.skeins > 0)
            m_p.drawText(QPointF(at(kSkeinsX), y), QString::number(t.skeins));
    }
    if (end == m_keyLines.size()) {
        const long stitches = std::accumulate(
            m_threads.begin(), m_threads.end(), 0L, [](long s, const ThreadAmount& t) { return s + t.stitches; });
        const int skeins = std::accumulate(
            m_threads.begin(), m_threads.end(), 0, [](int s, const ThreadAmount& t) { return s + t.skeins; });
        y += pdfUnits(kKeyPitchMm) + pdfUnits(2);
        m_p.drawText(QPointF(at(kCodeX), y), QStringLiteral("Total: %1 hilos").arg(m_threads.size()));
        m_p.drawText(QPointF(at(kStitchesX), y), QString::number(stitches));
        m_p.drawText(QPointF(at(kSkeinsX), y), QString::number(skeins));
    }
}
