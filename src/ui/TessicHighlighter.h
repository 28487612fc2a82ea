#pragma once
// Syntax colouring of the program viewer: keywords, comments, strings, numbers and labels of
// the robot's language.

#include <QSet>
#include <QSyntaxHighlighter>

namespace ui {

class TessicHighlighter : public QSyntaxHighlighter {
  Q_OBJECT
 public:
  explicit TessicHighlighter(QTextDocument* document);

  enum class Role { Plain, Keyword, Comment, String, Number, Label };
  // The role of every character of one line, as the colouring gives it.
  static std::vector<Role> Classify(const QString& line);
  static bool IsKeyword(const QString& word);

 protected:
  void highlightBlock(const QString& text) override;
};

}  // namespace ui
