// The file browser: drives, folders and picture files, the "Abrir" button and the preview.
#include "app/form1.h"
#include "app/help_texts.h"
#include "app/preview_widget.h"
#include "image/browser.h"
#include "surface/dialogs.h"

#include <QDir>
#include <QLabel>

namespace {
// The place of the drive box that holds `folder`: the one whose path is the longest start of it,
// the place on show when another holds it as closely.
int placeHolding(const QComboBox* places, const QString& folder)
{
    int best = -1;
    qsizetype longest = -1;
    for (int i = 0; i < places->count(); ++i) {
        const QString place = places->itemData(i).toString();
        const bool holds
            = place == QLatin1String("/") || folder == place || folder.startsWith(place + QLatin1Char('/'));
        if (holds && (place.size() > longest || (place.size() == longest && i == places->currentIndex()))) {
            best = i;
            longest = place.size();
        }
    }
    return best;
}

// Lists the sub-folders of Dir1Path in Dir1: ".." first (except at the top of the disk); the
// drive box shows the place the folder is in.
void fillFolderList(Form1& f)
{
    f.Dir1->clear();
    if (f.Dir1Path != QLatin1String("/"))
        f.Dir1->addItem(QStringLiteral(".."));
    f.Dir1->addItems(subfolders(f.Dir1Path));
    f.Dir1->setToolTip(f.Dir1Path);
    const int place = placeHolding(f.Drive1, f.Dir1Path);
    if (place >= 0 && place != f.Drive1->currentIndex()) {
        f.placeFollowsFolder = true;
        f.Drive1->setCurrentIndex(place);
        f.placeFollowsFolder = false;
    }
}

// Lists the picture and pattern files of File1Path in File1.
void fillFileList(Form1& f)
{
    f.File1->clear();
    f.File1->addItems(browserFiles(f.File1Path));
}

// Makes `folder` the folder of Dir1 and lets the file list follow; an unreadable folder is
// reported and both lists stay as they were.
void openFolder(Form1& f, const QString& folder, const QString& unreadable)
{
    if (!folderReadable(folder)) {
        f.er(unreadable);
        return;
    }
    f.Dir1Path = folder;
    fillFolderList(f);
    f.Dir1_Change();
}
} // namespace

void Form1::initBrowser()
{
    connect(Dir1, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        const QString folder = QDir::cleanPath(joinPath(Dir1Path, item->text()));
        openFolder(*this, folder, QStringLiteral("No se puede abrir la carpeta ") + folder);
    });
    const QStringList roots = driveRoots();
    for (const QString& root : roots)
        Drive1->addItem(root, root);
    // the working folder, where the last pattern is kept, beside the home folder
    const int home = Drive1->findData(QDir::cleanPath(QDir::homePath()));
    Drive1->insertItem(home >= 0 ? home + 1 : Drive1->count(), QStringLiteral("Carpeta de trabajo"),
        QDir::cleanPath(QDir::currentPath()));
    const QString start = folderReadable(QDir::homePath()) ? QDir::homePath() : QDir::currentPath();
    const int drive = Drive1->findData(QDir::cleanPath(start));
    if (drive >= 0 && drive != Drive1->currentIndex())
        Drive1->setCurrentIndex(drive);
    else if (drive < 0)
        openFolder(*this, start, QStringLiteral("No se puede abrir la carpeta ") + start);
}

void Form1::Drive1_Change()
{
    if (placeFollowsFolder)
        return;
    const QString drive = Drive1->currentData().toString();
    if (drive.isEmpty())
        return;
    openFolder(*this, drive, QStringLiteral("La unidad ") + drive + QStringLiteral(" no está disponible"));
}

void Form1::Dir1_Change()
{
    File1Path = Dir1Path;
    fillFileList(*this);
    showPatternNote(false); // no file of the new folder is selected
}

void Form1::refreshFileList()
{
    if (!folderReadable(Dir1Path))
        return;
    fillFolderList(*this);
    fillFileList(*this);
}

void Form1::Command2_Click()
{
    Picture6->setVisible(false);
    refreshFileList();
    if (!ayuda_abrir) {
        ayuda_abrir = True;
        dialogs().MsgBox(help::kOpenText, vbOKOnly, help::kOpenTitle);
    }
}

void Form1::File1_Click()
{
    const QListWidgetItem* item = File1->currentItem();
    if (!item)
        return;
    // a pattern file is not read on a click (nor taken for a picture): the preview names its kind
    showPatternNote(isPatternFileName(item->text()));
    if (isPatternFileName(item->text()))
        return;
    setMousePointer(11);
    const QString error = work.previewPicture(joinPath(File1Path, item->text()));
    if (!error.isEmpty()) {
        setMousePointer(0);
        er(error);
        return;
    }
    setCheckValue(Check10, 0);
    Image1Box->sync();
    setMousePointer(0);
}

void Form1::showPatternNote(bool on)
{
    auto* note = Picture5->findChild<QLabel*>(QStringLiteral("patternNote"));
    if (!note && !on)
        return;
    if (!note) {
        note = new QLabel(QStringLiteral("Patrón\n.oxs"), Picture5);
        note->setObjectName(QStringLiteral("patternNote"));
        note->setGeometry(0, 0, 91, 91);
        note->setAlignment(Qt::AlignCenter);
        note->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    note->setVisible(on);
    Image1Box->setVisible(!on && work.Image1.Visible);
}
