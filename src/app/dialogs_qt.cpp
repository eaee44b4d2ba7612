#include "app/dialogs_qt.h"

#include "app/chart_pdf_dialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

int QtDialogs::MsgBox(const QString& prompt, int buttons, const QString& title)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title);
    box.setText(prompt);
    const int icon = buttons & 0x70;
    box.setIcon(icon == vbCritical ? QMessageBox::Critical
            : icon == vbQuestion   ? QMessageBox::Question
                                   : QMessageBox::NoIcon);
    if ((buttons & 7) == vbYesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.button(QMessageBox::Yes)->setText(QStringLiteral("Sí"));
        box.button(QMessageBox::No)->setText(QStringLiteral("No"));
        return box.exec() == QMessageBox::Yes ? vbYes : vbNo;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("Aceptar"));
    box.exec();
    return vbOK;
}

QString QtDialogs::InputBox(const QString& prompt, const QString& title, const QString& defaultText)
{
    QInputDialog d(QApplication::activeWindow());
    d.setWindowTitle(title);
    d.setLabelText(prompt);
    d.setTextValue(defaultText);
    d.setOkButtonText(QStringLiteral("Aceptar"));
    d.setCancelButtonText(QStringLiteral("Cancelar"));
    return d.exec() == QDialog::Accepted ? d.textValue() : QString();
}

bool QtDialogs::PdfOptions(PdfChoices& choices)
{
    ChartPdfDialog d(choices, QApplication::activeWindow());
    if (d.exec() != QDialog::Accepted)
        return false;
    choices = d.choices();
    return true;
}

QString QtDialogs::SaveFileName(const QString& caption, const QString& suggested, const QString& filter)
{
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), caption, suggested, filter);
}
