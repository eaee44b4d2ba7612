#pragma once
// The folder the program reads its catalogues from and writes its own files to ("personal.txt",
// "puntela$"): the current folder when it holds "dmc.txt", as in a working folder prepared by
// hand or by the build; otherwise the user's own data folder, made on first use and given the
// catalogue files that the installed program brings along.
#include <QString>
#include <QStringList>

struct ChosenFolder {
    QString path; // absolute; empty when there is none
    QString error; // a Spanish message when no usable folder was found or made
};

// `current` when it holds "dmc.txt"; else `userFolder`, made when missing, into which every
// file of the first of `shared` that holds "dmc.txt" is copied when the user folder lacks it.
// A file already there is never replaced, so the user's "personal.txt" and "puntela$" (and any
// catalogue the user changed) stay as they are. Copies are written whole or not at all.
ChosenFolder chooseWorkFolder(const QString& current, const QString& userFolder, const QStringList& shared);

// The user's data folder for the program: $XDG_DATA_HOME/puntela, or ~/.local/share/puntela
// when that variable is unset or not an absolute path.
QString userWorkFolder();

// Where an installed program finds its catalogue files, relative to the folder of the running
// executable: the installed share folder, then the build's own working folder.
QStringList sharedCatalogueFolders();

// The working folder as messages name it: the current folder, spelt the system's way.
QString workFolderShown();

// chooseWorkFolder for the running program: the current folder, the user's data folder and
// the folders beside the executable.
ChosenFolder findWorkFolder();
