#include "shell/champ_edit.h"

namespace plinvor {

std::string ChampEdit::Text() const { return edit_.text().toStdString(); }

void ChampEdit::SetText(const std::string& texte) { edit_.SetText(QString::fromStdString(texte)); }

void ChampEdit::SetCaret(std::size_t position) {
  const QByteArray utf8 = edit_.text().toUtf8();
  const auto bytes = static_cast<qsizetype>(std::min<std::size_t>(position, static_cast<std::size_t>(utf8.size())));
  edit_.SetCaret(static_cast<int>(QString::fromUtf8(utf8.left(bytes)).size()));
}

}  // namespace plinvor
