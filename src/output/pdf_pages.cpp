#include "output/pdf_pages.h"

#include "output/page_placement.h"
#include "surface/whole_file.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <cmath>

namespace {
constexpr int kScreenDpi = 96;
}

PdfPages::PdfPages(const QString& fileName)
    : m_fileName(fileName)
{
}

PdfPages::~PdfPages()
{
    if (m_painter && m_painter->isActive())
        m_painter->end();
}

bool PdfPages::begin()
{
    m_file = std::make_unique<WholeFile>(m_fileName);
    if (!m_file->isOpen()) {
        m_error = unwrittenFileMessage(m_fileName);
        return false;
    }
    m_writer = std::make_unique<QPdfWriter>(&m_file->device());
    m_writer->setResolution(kScreenDpi);
    m_writer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    m_painter = std::make_unique<QPainter>();
    if (!m_painter->begin(m_writer.get())) {
        m_error = unwrittenFileMessage(m_fileName);
        return false;
    }
    // a chart must not reach the paper with compression noise around its symbols
    m_painter->setRenderHint(QPainter::LosslessImageRendering);
    return true;
}

bool PdfPages::addPage(const QImage& page)
{
    if (!m_painter || !m_painter->isActive())
        return false;
    if (m_pages > 0)
        m_writer->newPage();
    const QRectF printable = m_writer->pageLayout().paintRect(QPageLayout::Millimeter);
    const QRectF exact = pageTarget(page.size(), printable.size(), m_writer->resolution());
    // whole device pixels, so that every sheet pixel is one page pixel
    m_painter->drawImage(QRectF(std::round(exact.x()), std::round(exact.y()), exact.width(), exact.height()), page);
    ++m_pages;
    return true;
}

bool PdfPages::end()
{
    if (!m_painter || !m_painter->isActive())
        return m_error.isEmpty();
    m_painter->end();
    m_writer.reset();
    // the PDF engine reports no failed write of its own: the file is checked before it takes the name
    if (m_error.isEmpty())
        m_error = m_file->commit(pdfComplete);
    m_file.reset();
    return m_error.isEmpty();
}
