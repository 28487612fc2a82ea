#pragma once
#include <QObject>
#include <QStringList>
#include <string>
#include <vector>

namespace app {

// The robot program source as a list of lines. The program viewer shows it, LoadProgramText
// replaces it with a program resource, the builder completes it and the download hands it
// whole to the tokenizer. Lines hold the resource bytes one for one (Latin-1), so the text
// goes back to the tokenizer byte for byte.
class ProgramText : public QObject {
  Q_OBJECT
 public:
  const QStringList& lines() const { return lines_; }
  void setLines(const QStringList& lines);
  void clear() { setLines({}); }

  std::vector<std::string> toStdLines() const;
  void setStdLines(const std::vector<std::string>& lines);

  // Clears the text and, when the build carries "DATA" resource n, loads its lines.
  void LoadProgramText(int resourceNumber);

 signals:
  void changed();

 private:
  QStringList lines_;
};

// Splits bytes into lines at CR LF, LF or CR; a line end at the very end adds no empty line.
QStringList SplitProgramLines(const QByteArray& bytes);

// The program's one program text.
ProgramText& TheProgramText();

// Replaces the program's one program text with resource n.
void LoadProgramText(int resourceNumber);

}  // namespace app
