// The file browser: drives, folders and picture files, the "Abrir" button and the preview.
#include "app/form1.h"
#include "app/help_texts.h"
#include "app/preview_widget.h"
#include "image/browser.h"
#include "surface/dialogs.h"

#include <QDir>
#include <QLabel>

namespace {
// Lists the sub-folders of Dir1Path in Dir1: ".." first (except at the top of the disk).
void fillFolderList(Form1& f)
{
    f.Dir1->clear();
    if (f.Dir1Path != QLatin1String("/"))
        f.Dir1->addItem(QStringLiteral(".."));
    f.Dir1->addItems(subfolders(f.Dir1Path));
    f.Dir1->setToolTip(f.Dir1Path);
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
    const QString start = folderReadable(QDir::homePath()) ? QDir::homePath() : QDir::currentPath();
    const int drive = Drive1->findData(QDir::cleanPath(start));
    if (drive >= 0 && drive != Drive1->currentIndex())
        Drive1->setCurrentIndex(drive);
    else if (drive < 0)
        openFolder(*this, start, QStringLiteral("No se puede abrir la carpeta ") + start);
}

void Form1::Drive1_Change()
{
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
    if (!st.ayuda_abrir) {
        st.ayuda_abrir = True;
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
    Image1Box->setVisible(!on && Image1.Visible);
}
