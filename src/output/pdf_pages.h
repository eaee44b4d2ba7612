#pragma once
// Chart pages written into a PDF file without a printer: every page at the size it has on the
// screen, centred on an A4 portrait page, all pages of one command in one file, and the file
// written whole or not at all.
#include <QImage>
#include <QString>
#include <memory>

class QPainter;
class QPdfWriter;
class WholeFile;

class PdfPages {
public:
    explicit PdfPages(const QString& fileName);
    ~PdfPages();
    PdfPages(const PdfPages&) = delete;
    PdfPages& operator=(const PdfPages&) = delete;

    // Opens the file; false (with error()) when it cannot be written.
    bool begin();
    // Adds one page, centred and not scaled.
    bool addPage(const QImage& page);
    // Finishes the file and puts it in place; false (with error()) when it could not be written
    // whole, and then nothing is left under its name.
    bool end();
    QString error() const { return m_error; }
    int pages() const { return m_pages; }

private:
    QString m_fileName;
    std::unique_ptr<WholeFile> m_file;
    std::unique_ptr<QPdfWriter> m_writer;
    std::unique_ptr<QPainter> m_painter;
    int m_pages = 0;
    QString m_error;
};
