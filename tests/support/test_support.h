#pragma once
// What many tests need: a fresh working folder with the catalogue files, a started main
// window whose dialogs are answered by a script, and small pictures made in memory.
#include "app/form1.h"
#include "surface/dialogs.h"

#include <QImage>
#include <QTemporaryDir>
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

// A main window after start-up, in the current folder; the start help is marked as shown.
std::unique_ptr<Form1> startedForm();

// A picture with a distinct colour in every pixel region, for sampling tests.
QImage gradientPicture(int w, int h);
// Saves a picture as a BMP into the folder and returns its path.
QString savePicture(const WorkFolder& folder, const QString& name, const QImage& picture);
