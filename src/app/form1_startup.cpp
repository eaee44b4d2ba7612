// Start-up, the end of the run, the help and error messages, and the two view switches.
#include "app/form1.h"

#include "colour/catalogue.h"
#include "surface/dialogs.h"

#include <QApplication>
#include <QFontDatabase>
#include <QScreen>

namespace {
const QString kHelpTitle = QStringLiteral("Ayuda de puntela 1.2 Demo");
}

bool Form1::Form_Load()
{
    // 1. centre the window on the screen
    if (QScreen *s = screen()) {
        const QRect g = s->availableGeometry();
        move(g.x() + int(Single(g.width() - width()) / 2), g.y() + int(Single(g.height() - height()) / 2));
    }
    st.listo = True;
    File1->resize(File1->width(), 76);
    Dir1->resize(Dir1->width(), 54);

    const QStringList fonts = QFontDatabase::families();
    for (const QString &f : fonts)
        Combo1->addItem(f);
    if (fonts.isEmpty()) {
        dialogs().MsgBox(QStringLiteral("No tienes fuentes instaladas!"), vbCritical, QStringLiteral("Error"));
        m_endRequested = true;
        return false;
    }
    int chosen = 0;
    for (int i = 0; i < Combo1->count(); ++i) {
        const QString t = Combo1->itemText(i);
        if (t == QLatin1String("Small Fonts") || t == QLatin1String("Arial")) {
            chosen = i;
            break;
        }
    }
    // adding the first font already selected entry 0; a different choice raises the handler again
    Combo1->setCurrentIndex(chosen);

    st.num_colores = 112;
    VScroll1->setValue(CInt(Val(Text1->text())));
    st.num_colores = VScroll1->value();
    Label1->setText(QString());
    Label2->setText(QString());
    Label3->setText(QString());

    if (!emptyPersonalCatalogue()) {
        er(QStringLiteral("No se puede escribir el catálogo personal \"personal.txt\" en la carpeta de trabajo."));
        m_endRequested = true;
        return false;
    }
    const CatalogueRead all = readCatalogueFile(catalogueFile(4), st.dmc_todos, kFullCatalogue);
    if (!all.error.isEmpty() || all.count < kFullCatalogue) {
        er(all.error.isEmpty()
               ? QStringLiteral("El catálogo de hilos \"dmc.txt\" está incompleto: tiene %1 hilos y deben ser %2.")
                     .arg(all.count)
                     .arg(kFullCatalogue)
               : all.error);
        m_endRequested = true;
        return false;
    }
    st.num_dmc = 112;
    drawSwatches();
    paleta(3);
    return true;
}

void Form1::Form_Activate()
{
    if (st.ayuda_inicio)
        return;
    // marked first: the message box itself takes and gives back the activation
    st.ayuda_inicio = True;
    dialogs().MsgBox(QStringLiteral("Para comenzar, pulsar el botón 'Abrir'"), vbOKOnly, kHelpTitle);
}

void Form1::Form_Unload()
{
    m_endRequested = true;
    QApplication::exit(0);
}

void Form1::er(const QString &mensaje)
{
    dialogs().MsgBox(mensaje, vbCritical, QStringLiteral("Error"));
}

void Form1::sub1(Integer mostrar)
{
    const bool m = mostrar != 0;
    for (QWidget *w : std::initializer_list<QWidget *>{Command6, Command7, Command8, Command10, Command11, Command12,
                                                       Command13, Command14, Command15, Command16, Command17,
                                                       Command18, Command19, Command20, Command21, Check10})
        w->setVisible(m);
    Picture3.setVisible(m);
    Picture11.setVisible(!m);
    for (QWidget *w : std::initializer_list<QWidget *>{Combo1, Check4, Check5, Check6, HScroll2, VScroll2})
        w->setVisible(!m);
}

void Form1::sub2()
{
    patron();
    Label1->setVisible(false);
    Label2->setVisible(false);
    Label3->setVisible(false);
}

void Form1::Command8_Click() { Form_Unload(); }

void Form1::Command9_Click() { Picture6->setVisible(true); }

void Form1::Command10_Click()
{
    focusSink();
    dialogs().MsgBox(QStringLiteral("Puede ponerse en contacto con nosotros a la dirección puntela@puntela.es"
                                    " o visitar nuestra página web https://puntela.es"),
                     vbQuestion, QStringLiteral("Ayuda"));
}
