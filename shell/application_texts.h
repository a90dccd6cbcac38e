// Two texts the application object makes: its title, from the executable's
// file name, and the text of the standard error message.
#pragma once

#include <QString>

namespace plinvor {

// The application title from the executable's path: the folder is dropped,
// the file name is cut at its first full stop, and every character after the
// first is put in lower case (the first stays as it is).
// Examples: "/usr/bin/Plinvor" -> "Plinvor", "/opt/a.b/PLINVOR.bin" ->
// "Plinvor", "plinvor" -> "plinvor", "/x/.hidden" -> "".
QString TitreApplication(const QString& cheminExecutable);

// The text that the error message shows for an exception's message: a full
// stop is added when the last character comes after the full stop in
// character-code order. Examples: "Disk full" -> "Disk full.",
// "Done." -> "Done.", "Why?" -> "Why?.", "(a)" -> "(a)", "" -> "".
QString TexteMessageErreur(const QString& message);

}  // namespace plinvor
