// Start-up, the end of the run, the help and error messages, and the two view switches.
#include "app/form1.h"

#include "app/help_texts.h"
#include "render/pattern_settings.h"
#include "render/symbol_font.h"
#include "surface/dialogs.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QUrl>

bool Form1::Form_Load()
{
    // the size spinners stop at the largest pattern and start at the 300 by 300 frame; the flag
    // is still clear, so their handlers do nothing yet
    VScroll4->setRange(0, kMaxFrameWidth);
    VScroll5->setRange(0, kMaxFrameHeight);
    VScroll4->setValue(int(work.Picture2.ScaleWidth()));
    VScroll5->setValue(int(work.Picture2.ScaleHeight()));

    if (QScreen* s = screen()) {
        const QRect g = s->availableGeometry();
        move(g.x() + int(Single(g.width() - width()) / 2), g.y() + int(Single(g.height() - height()) / 2));
    }
    work.setListo(true);
    File1->resize(File1->width(), 76);
    Dir1->resize(Dir1->width(), 54);

    // Adding to an empty list box here selects its first entry and raises the font handler, which
    // the program's list box does not do: the flag keeps that handler out, and the box is left
    // with no selection, so that choosing the font below raises it exactly once.
    const QStringList fonts = installedFontNames();
    {
        Busy busy(work);
        for (const QString& f : fonts)
            Combo1->addItem(f);
        Combo1->setCurrentIndex(-1);
    }
    const int chosen = chooseSymbolFont(fonts);
    if (chosen < 0) {
        dialogs().MsgBox(QStringLiteral("No tienes fuentes instaladas!"), vbCritical, QStringLiteral("Error"));
        m_endRequested = true;
        return false;
    }
    Combo1->setCurrentIndex(chosen);

    VScroll1->setValue(CInt(Val(Text1->text())));
    work.setColourCountFromSpinner(VScroll1->value());
    Label1->setText(QString());
    Label2->setText(QString());
    Label3->setText(QString());

    if (!work.startUp()) {
        m_endRequested = true;
        return false;
    }
    showCatalogueList();
    return true;
}

void Form1::Form_Activate()
{
    if (ayuda_inicio)
        return;
    // marked first: the message box itself takes and gives back the activation
    ayuda_inicio = True;
    dialogs().MsgBox(help::kStartText, vbOKOnly, help::kStartTitle);
}

void Form1::Form_Unload()
{
    m_endRequested = true;
    QApplication::exit(0);
}

void Form1::er(const QString& mensaje) { work.er(mensaje); }

void Form1::sub1(Integer mostrar)
{
    const bool m = mostrar != 0;
    for (QWidget* w :
        std::initializer_list<QWidget*> { Command6, Command7, Command8, Command10, Command11, Command12, Command13,
            Command14, Command15, Command16, Command17, Command18, Command19, Command20, Command21, Check10 })
        w->setVisible(m);
    work.Picture3.setVisible(m);
    work.Picture11.setVisible(!m);
    for (QWidget* w : std::initializer_list<QWidget*> { Combo1, Check4, Check5, Check6, HScroll2, VScroll2 })
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

#ifndef PUNTELA_DOC_FROM_BIN
#define PUNTELA_DOC_FROM_BIN "../share/doc/puntela"
#endif

QString help::manualAddress()
{
    const QDir bin(QCoreApplication::applicationDirPath());
    return QUrl::fromLocalFile(QDir::cleanPath(bin.filePath(QStringLiteral(PUNTELA_DOC_FROM_BIN "/manual/index.html"))))
        .toString();
}

void Form1::Command10_Click()
{
    focusSink();
    dialogs().MsgBox(help::contactText(), vbQuestion, help::kContactTitle);
}
