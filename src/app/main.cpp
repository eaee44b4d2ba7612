#include "app/dialogs_qt.h"
#include "app/form1.h"
#include "surface/work_folder.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QImageReader>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>

namespace {
// A picture handed over by the desktop ("Open with"): picked in the browser's file list and
// loaded as a double-click there would; a file the browser does not list is refused.
void openPicture(Form1& form, const QString& path)
{
    const QFileInfo info(path);
    form.Dir1Path = info.absolutePath();
    form.Dir1_Change(); // the file list follows the folder
    form.refreshFileList(); // and so does the folder list
    const QList<QListWidgetItem*> found = form.File1->findItems(info.fileName(), Qt::MatchExactly);
    if (!info.isFile() || found.isEmpty()) {
        form.er(QStringLiteral("No se puede abrir \"%1\": no es una imagen ni un patrón que Puntela pueda abrir.")
                    .arg(path));
        return;
    }
    form.File1->setCurrentItem(found.first());
    form.File1_DblClick();
}
} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // Qt's own dialogs and buttons (file dialogs, "Cancelar") speak Spanish like the program
    QTranslator qtSpanish;
    if (qtSpanish.load(QStringLiteral("qtbase_es"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtSpanish);
    QImageReader::setAllocationLimit(1024);
    // the desktop's menu entry and icon belong to this window
    QGuiApplication::setDesktopFileName(QStringLiteral("puntela"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("puntela")));
    QtDialogs dialogsQt;
    setDialogs(&dialogsQt);
    // the picture is named before the working folder changes the current folder
    const QStringList args = QApplication::arguments().mid(1);
    const QString picture = args.isEmpty() ? QString() : QFileInfo(args.first()).absoluteFilePath();
    // started from the menu or any folder without catalogues: the user's own working folder
    const ChosenFolder work = findWorkFolder();
    QString error = work.error;
    if (error.isEmpty() && !QDir::setCurrent(work.path))
        error = QStringLiteral("No se puede entrar en la carpeta de trabajo \"%1\".").arg(work.path);
    if (!error.isEmpty()) {
        dialogs().MsgBox(error, vbCritical, QStringLiteral("Error"));
        return 1;
    }
    Form1 form;
    if (!form.Form_Load())
        return 1;
    form.restoreColourOptions();
    form.show();
    QTimer::singleShot(0, &form, [&form, picture] {
        form.Form_Activate();
        if (!picture.isEmpty())
            openPicture(form, picture);
    });
    return form.endRequested() ? 0 : app.exec();
}
