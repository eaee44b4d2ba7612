#include "app/printer_qt.h"

#include "output/page_placement.h"
#include "surface/whole_file.h"

#include <QPageLayout>
#include <QPrinter>
#include <cmath>

PageJob::PageJob(QPrinter& printer)
    : m_printer(printer)
{
}

PageJob::~PageJob()
{
    if (m_painter.isActive())
        m_painter.end();
    if (m_pdf)
        m_printer.setOutputFileName(m_pdf->path());
}

QString PageJob::printerName() const
{
    if (m_printer.outputFormat() == QPrinter::PdfFormat)
        return QStringLiteral("el archivo \"%1\"").arg(m_pdf ? m_pdf->path() : m_printer.outputFileName());
    return QStringLiteral("la impresora \"%1\"").arg(m_printer.printerName());
}

bool PageJob::begin()
{
    if (m_printer.outputFormat() == QPrinter::PdfFormat && !m_printer.outputFileName().isEmpty()) {
        // Qt's PDF writer reports no failed write: the file is checked before it takes the name
        m_pdf = std::make_unique<FileInPlace>(m_printer.outputFileName());
        m_printer.setOutputFileName(m_pdf->temporaryPath());
    }
    if ((!m_pdf || !m_pdf->temporaryPath().isEmpty()) && m_painter.begin(&m_printer)) {
        // a chart must not reach the paper with compression noise around its symbols
        m_painter.setRenderHint(QPainter::LosslessImageRendering);
        return true;
    }
    m_error
        = QStringLiteral("No se puede imprimir: %1 no responde. No se ha impreso ninguna página.").arg(printerName());
    return false;
}

bool PageJob::addPage(const QImage& page)
{
    if (!startPage())
        return false;
    const QRectF printable = m_printer.pageLayout().paintRect(QPageLayout::Millimeter);
    const QRectF exact = pageTarget(page.size(), printable.size(), m_printer.resolution());
    // whole device pixels, so that at screen resolution every sheet pixel is one page pixel
    const QRectF target(std::round(exact.x()), std::round(exact.y()), exact.width(), exact.height());
    m_painter.drawImage(target, page);
    ++m_pages;
    return true;
}

bool PageJob::addDrawnPage(const std::function<void(QPainter&, const QRectF&)>& draw)
{
    if (!startPage())
        return false;
    const QRect area = m_printer.pageLayout().paintRectPixels(m_printer.resolution());
    draw(m_painter, QRectF(0, 0, area.width(), area.height()));
    ++m_pages;
    return true;
}

bool PageJob::startPage()
{
    if (!m_painter.isActive())
        return false;
    if (m_pages > 0 && !m_printer.newPage()) {
        m_error = QStringLiteral("No se puede imprimir: %1 dejó de responder después de la página %2.")
                      .arg(printerName())
                      .arg(m_pages);
        return false;
    }
    return true;
}

bool PageJob::end()
{
    if (!m_painter.isActive())
        return m_error.isEmpty();
    if (!m_painter.end() && m_error.isEmpty())
        m_error = QStringLiteral("No se puede imprimir: %1 no ha recibido todas las páginas.").arg(printerName());
    if (m_pdf) {
        m_printer.setOutputFileName(m_pdf->path());
        if (m_error.isEmpty())
            m_error = m_pdf->commit(pdfComplete);
        m_pdf.reset();
    }
    return m_error.isEmpty();
}

void preparePrinter(QPrinter& printer, const QString& pdfFile)
{
    printer.setPageOrientation(QPageLayout::Portrait);
    if (!pdfFile.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfFile);
    }
}

QString printPages(QPrinter& printer, const std::vector<QImage>& pages)
{
    PageJob job(printer);
    if (!job.begin())
        return job.error();
    for (const QImage& page : pages)
        if (!job.addPage(page))
            break;
    job.end();
    return job.error();
}

QString printPagesToPdf(const std::vector<QImage>& pages, const QString& pdfFile)
{
    QPrinter printer(QPrinter::ScreenResolution);
    preparePrinter(printer, pdfFile);
    return printPages(printer, pages);
}
