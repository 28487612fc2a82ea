#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "app/core/Global.h"
#include "app/core/ProgramText.h"
#include "app/core/Services.h"
#include "app/core/Texts.h"
#include "app/core/Version.h"

namespace {

TEST(TextToInt, ReadsTheFirstNumberOutOfAnyText) {
  const struct {
    const char* text;
    std::int32_t value;
  } cases[] = {
      {"COM3", 3},       {"9600", 9600},  {"2", 2},         {"12ab", 12},
      {"", 0},           {"abc", 0},      {"  42", 42},     {"-7", -7},
      {"+8", 8},         {"x-5y", -5},    {"COM-", 0},      {"ttyUSB10", 10},
      {"a1b2", 1},       {"007", 7},      {"2147483647", 2147483647},
      {"99999999999", 2147483647},        {"-2147483648", -2147483648LL},
  };
  for (const auto& c : cases)
    EXPECT_EQ(app::TextToInt(QString::fromLatin1(c.text)), c.value) << c.text;
}

TEST(WaitMs, ReturnsOnlyAfterTheTimeHasPassed) {
  QElapsedTimer timer;
  timer.start();
  app::WaitMs(30);
  EXPECT_GE(timer.elapsed(), 30);
  timer.restart();
  app::WaitMs(0);
  app::WaitMs(-5);  // nothing to wait for
}

TEST(LoadText, GivesTheBuildsTextsExactlyAndEmptyOutsideTheTable) {
  const struct {
    int number;
    const char* text;
  } cases[] = {
      {365, ""},
      {366, "Modo Principiante"},
      {369, "Nº Paso"},
      {374, " seg"},
      {375, "paso "},
      {390, "no se puede abir el puerto, está siendo usado"},
      {393, "¡Error de comunicación hardware! Compruebe el cable serie o la alimentación del "
            "sistema.ç"},
      {411, "Home Tumbler"},
      {427, "La lista actual de acciones no ha sido guardada. ¿Desea salvarla ahora?"},
      {428, " "},
      {429, " "},
      {431, "Pinche y arrastre esta acción a la lista de  'Acciones a ejecutar' o a la de "
            "'Acciones de Sensores' para añadirla."},
      {450, "Seleccione una fila (o varias) de acciones en la lista y pulse los botones de "
            "Eliminar, Copiar, Cortar o Pegar para Eliminar, Copiar , Cortar o Pegar acciones."},
      {451, "Pulse el botón Deshacer para cancelar la modificación anterior."},
      {452, "Error! Un paso Ir a salta demasiado lejos (mas de 255 entradas)."},
      {453, "Robot virtual"},
      {454, ""},
      {-1, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(app::LoadText(c.number), QString::fromUtf8(c.text)) << c.number;
  for (int n = app::kFirstText; n <= app::kLastText; ++n)
    EXPECT_FALSE(app::LoadText(n).isEmpty()) << n;
}

TEST(ParseTextTable, KeepsBlanksAndQuotesAndSkipsWhatIsNotAText) {
  const auto table = app::ParseTextTable(
      "# comment 1 \"x\"\r\n"
      "1\t\"  two blanks  \"\r\n"
      "2\t\"say \"hi\" now\"\n"
      "\n"
      "three\t\"no number\"\n"
      "4\tno quotes\n"
      "5\t\"\"\n");
  EXPECT_EQ(table.size(), 3);
  EXPECT_EQ(table.value(1), "  two blanks  ");
  EXPECT_EQ(table.value(2), "say \"hi\" now");
  EXPECT_TRUE(table.contains(5));
  EXPECT_EQ(table.value(5), "");
}

TEST(ShortcutLetters, DefaultWithoutResourceAndReplacedOneForOne) {
  EXPECT_EQ(app::ShortcutLettersFrom(nullptr), "DCTPUGVRELSQ");
  const QByteArray full("ICOGDEVLOAGS");
  EXPECT_EQ(app::ShortcutLettersFrom(&full), "ICOGDEVLOAGS");
  const QByteArray shortOne("XY");
  EXPECT_EQ(app::ShortcutLettersFrom(&shortOne), "XYTPUGVRELSQ");
  const QByteArray longOne("ABCDEFGHIJKLMNOP");
  EXPECT_EQ(app::ShortcutLettersFrom(&longOne), "ABCDEFGHIJKL");
  EXPECT_EQ(app::LoadShortcutLetters(), "ICOGDEVLOAGS");  // this build's resource
}

TEST(StartGlobal, TakesItsStartValues) {
  const app::GlobalState state = app::StartGlobal();
  EXPECT_FALSE(state.AdvancedMode);
  EXPECT_EQ(state.SelectedPort, "AUTO");
  EXPECT_EQ(state.UICharset, 0);
  EXPECT_EQ(state.ShortcutLetters, "ICOGDEVLOAGS");
  const char* names[] = {"Unknown", "Varda 1", "Home Tumbler", "Varda 2e", "Varda 2sx", "Varda 2p"};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(state.ModuleNames[i], names[i]) << i;
}

TEST(GetVersionText, GivesTheBuildVersionForTheProductKeyOnly) {
  EXPECT_EQ(app::GetVersionText(QString(), "ProductVersion"), "1.3");
  EXPECT_EQ(app::GetVersionText(QString(), "FileVersion"), "1.3");
  EXPECT_EQ(app::GetVersionText(QString(), "CompanyName"), "");
  EXPECT_EQ(app::GetVersionText(QString(), ""), "");
}

TEST(ProgramText, SplitsAtEveryKindOfLineEnd) {
  const struct {
    QByteArray bytes;
    QStringList lines;
  } cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb", {"a", "b"}},
      {"a\rb\r", {"a", "b"}},
      {"a\n\nb", {"a", "", "b"}},
      {"\r\n", {""}},
      {"a\n\r\nb", {"a", "", "b"}},
      {"\xe9t\xe9", {QString::fromLatin1("\xe9t\xe9")}},
  };
  for (const auto& c : cases) EXPECT_EQ(app::SplitProgramLines(c.bytes), c.lines) << c.bytes.constData();
}

TEST(ProgramText, LoadReplacesTheTextAndAMissingResourceLeavesItEmpty) {
  app::ProgramText text;
  text.setLines({"old"});
  text.LoadProgramText(362);
  ASSERT_FALSE(text.lines().isEmpty());
  EXPECT_NE(text.lines().front(), "old");
  text.LoadProgramText(363);  // no such program
  EXPECT_TRUE(text.lines().isEmpty());
  text.setStdLines({"x\xff", "y"});
  EXPECT_EQ(text.toStdLines(), (std::vector<std::string>{"x\xff", "y"}));
}

}  // namespace
