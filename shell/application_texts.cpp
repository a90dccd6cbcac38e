#include "shell/application_texts.h"

#include <QList>

namespace plinvor {

QString TitreApplication(const QString& cheminExecutable) {
  QString nom = cheminExecutable.mid(cheminExecutable.lastIndexOf(u'/') + 1);
  const qsizetype point = nom.indexOf(u'.');
  if (point >= 0) nom.truncate(point);
  if (nom.isEmpty()) return nom;
  // The first character may be a surrogate pair: keep both halves.
  const qsizetype premier = nom.at(0).isHighSurrogate() && nom.size() > 1 ? 2 : 1;
  return nom.left(premier) + nom.mid(premier).toLower();
}

QString TexteMessageErreur(const QString& message) {
  if (message.isEmpty()) return message;
  // Compare whole characters, not UTF-16 halves.
  const QList<uint> codes = message.right(2).toUcs4();
  return codes.last() > u'.' ? message + u'.' : message;
}

}  // namespace plinvor
