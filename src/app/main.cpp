#include "app/dialogs_qt.h"
#include "app/form1.h"

#include <QApplication>
#include <QImageReader>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // Qt's own dialogs and buttons (file dialogs, "Cancelar") speak Spanish like the program
    QTranslator qtSpanish;
    if (qtSpanish.load(QStringLiteral("qtbase_es"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtSpanish);
    QImageReader::setAllocationLimit(1024);
    QtDialogs dialogsQt;
    setDialogs(&dialogsQt);
    Form1 form;
    if (!form.Form_Load())
        return 1;
    form.show();
    QTimer::singleShot(0, &form, [&form] { form.Form_Activate(); });
    return form.endRequested() ? 0 : app.exec();
}
