#pragma once
// Sending chart pages to a printer or a PDF file: every page at the size it has on the screen,
// centred on the printable area, all pages of one command in a single job.
#include <QImage>
#include <QPainter>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class FileInPlace;

class QPrinter;

// One print job that receives its pages one by one, so a long walk never holds them all.
class PageJob {
public:
    explicit PageJob(QPrinter& printer);
    ~PageJob();
    PageJob(const PageJob&) = delete;
    PageJob& operator=(const PageJob&) = delete;

    // Opens the job; false (with error()) when the printer or the file cannot be opened.
    bool begin();
    // Adds one page, centred and not scaled; false (with error()) when the printer fails.
    bool addPage(const QImage& page);
    // Adds one page drawn by `draw` on the job's painter, handed the printable area in device pixels.
    bool addDrawnPage(const std::function<void(QPainter&, const QRectF&)>& draw);
    // Closes the job; false (with error()) when the last pages could not be sent. A PDF file is
    // written under a temporary name and put in place only when it is complete.
    bool end();
    // What went wrong, as a Spanish message for the user; empty while all is well.
    QString error() const { return m_error; }
    int pages() const { return m_pages; }

private:
    QString printerName() const;
    bool startPage(); // a new page after the first; false (with error()) when there is none
    QPrinter& m_printer;
    QPainter m_painter;
    std::unique_ptr<FileInPlace> m_pdf;
    int m_pages = 0;
    QString m_error;
};

// Sets a printer up for the pages: portrait, and the named PDF file when `pdfFile` is given.
void preparePrinter(QPrinter& printer, const QString& pdfFile = QString());

// Prints `pages` as one job on `printer`; an empty text on success, else the message.
QString printPages(QPrinter& printer, const std::vector<QImage>& pages);
// Writes `pages` as one PDF file, each page centred at its on-screen size.
QString printPagesToPdf(const std::vector<QImage>& pages, const QString& pdfFile);
