#pragma once
// What many tests need: a fresh working folder with the catalogue files, dialogs answered by a
// script, and small pictures made in memory. Window tests add window_support.h.
#include "scripted_dialogs.h"
#include "surface/progress.h"
#include "surface/surface.h"

#include <QImage>
#include <QTemporaryDir>
#include <functional>
#include <memory>

// A new empty folder made current for the test's lifetime; with catalogues it holds copies of
// the delivered catalogue files.
class WorkFolder {
public:
    explicit WorkFolder(bool withCatalogues = true);
    ~WorkFolder();
    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

// The bytes of a file; empty when it cannot be read.
QByteArray fileContents(const QString& path);

// A small file system (tmpfs) mounted in a folder of its own for the test's lifetime; path() is
// empty where none could be mounted (mounting needs root).
class SmallDisk {
public:
    explicit SmallDisk(int megabytes);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    QString path() const { return m_path; }
    // Fills the disk with the file "relleno" until `room` bytes are left free.
    bool fillLeaving(qint64 room) const;

private:
    QTemporaryDir m_dir;
    QString m_path;
};

// A picture with a distinct colour in every pixel region, for sampling tests.
QImage gradientPicture(int w, int h);
// Saves a picture as a BMP into the folder and returns its path.
QString savePicture(const WorkFolder& folder, const QString& name, const QImage& picture);

// Counts the chart redraws: the chart box is refreshed once at the end of each drawing.
struct ChartCounter {
    explicit ChartCounter(Surface& chart)
        : m_chart(chart)
        , m_previous(chart.onRefresh)
    {
        chart.onRefresh = [this] {
            ++count;
            if (m_previous)
                m_previous();
        };
    }
    ~ChartCounter() { m_chart.onRefresh = m_previous; }
    int count = 0;

private:
    Surface& m_chart;
    std::function<void()> m_previous;
};

// Number of pages of a PDF file as pdfinfo tells it; -1 when it cannot be read.
int pdfPages(const QString& file);

// Records what a long procedure reports: stage texts, figures, errors and pointer changes.
struct Recorder {
    QStringList stages, figures, errors;
    QList<int> pointers;
    Progress progress()
    {
        Progress p;
        p.stage = [this](const QString& s) { stages << s; };
        p.figure = [this](const QString& s) { figures << s; };
        p.error = [this](const QString& s) { errors << s; };
        p.pointer = [this](int k) { pointers << k; };
        return p;
    }
};
