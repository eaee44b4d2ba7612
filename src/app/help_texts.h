#pragma once
// The texts of the three first-time help messages and of the "Ayuda" button, with their titles.
// A line break inside a message stands where the program breaks the line.
#include <QString>

namespace help {
inline const QString kContactAddress = QStringLiteral("puntela@puntela.es");
// The user manual installed with the program, as a file:// address: share/doc/puntela/manual/
// index.html under the folder the program is installed in (file:///usr/share/doc/puntela/...).
QString manualAddress();

// Shown the first time the window becomes active.
inline const QString kStartTitle = QStringLiteral("Ayuda de puntela 1.2 Demo");
inline const QString kStartText = QStringLiteral("Para comenzar, pulsar el botón 'Abrir'");

// Shown the first time "Abrir" uncovers the browser.
inline const QString kOpenTitle = QStringLiteral("Ayuda de Puntela 1.2 Demo");
inline const QString kOpenText
    = QStringLiteral("Al hacer click en el nombre de la imagen que aparece en la lista se podrá ver la "
                     "representación en miniatura a la derecha\nHACER DOBLE-CLICK SOBRE EL NOMBRE O PULSAR INTRO");

// Shown the first time a picture is loaded.
inline const QString kPictureTitle = QStringLiteral("Ayuda de puntela 1.2 Demo");
inline QString pictureText()
{
    return QStringLiteral("Pulsar uno de los dos botones de la izquierda x o X para crear el patrón\n"
                          "Existe un manual de usuario en la dirección ")
        + manualAddress();
}

// The "Ayuda" button.
inline const QString kContactTitle = QStringLiteral("Ayuda");
inline QString contactText()
{
    return QStringLiteral("Puede ponerse en contacto con nosotros a la dirección ") + kContactAddress
        + QStringLiteral(" o visitar nuestra página web ") + manualAddress();
}
} // namespace help
