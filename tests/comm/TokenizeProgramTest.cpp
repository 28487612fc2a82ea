#include <gtest/gtest.h>

#include <memory>

#include "CommTestSupport.h"
#include "comm/Download.h"
#include "comm/Identify.h"
#include "tokenizer/Tokenizer.h"

namespace {

const QStringList kSmallProgram = {"'{$VARDA VD2}", "'{$TESSIC 2.5}", "x VAR Byte", "x = 3",
                                   "DEBUG DEC x", "END"};

class TokenizeProgramTest : public ::testing::Test {
 protected:
  TokenizeProgramTest()
      : tokenizer(std::make_unique<tok::Tokenizer>()),
        portSlots(world.Factory()),
        session(portSlots),
        downloader(session, ui, tokenizer.get()) {}

  commtest::FakeWorld world;
  std::unique_ptr<tok::Tokenizer> tokenizer;
  comm::PortSlots portSlots;
  comm::Session session;
  commtest::RecordingUi ui;
  comm::Downloader downloader;
};

}  // namespace

TEST_F(TokenizeProgramTest, AGoodProgramPreparesTheDownload) {
  ASSERT_TRUE(downloader.TokenizeProgram(kSmallProgram)) << downloader.errorText().toStdString();
  const auto& result = tokenizer->TokenizeResult;
  EXPECT_EQ(session.DownloadModule, comm::kVD2);
  EXPECT_EQ(session.ProgramCount, 1);
  ASSERT_GT(result.PacketCount, 0);
  EXPECT_EQ(session.ProgramPackets[0], result.PacketCount);
  ASSERT_EQ(session.PacketBuffer.size(), std::size_t(result.PacketCount));
  for (int k = 0; k < result.PacketCount; ++k) {
    for (int i = 0; i < comm::kPacketSize; ++i) {
      EXPECT_EQ(session.PacketBuffer[k][i], result.PacketBuffer[k * comm::kPacketSize + i]);
    }
  }
}

TEST_F(TokenizeProgramTest, FailuresAreRefusedWithTheirReason) {
  struct Case {
    const char* what;
    QStringList text;
  };
  QStringList huge = kSmallProgram;
  huge.append(QString(70000, QChar(u'\'')));
  const Case cases[] = {
      {"syntax error", {"'{$VARDA VD2}", "'{$TESSIC 2.5}", "GOTO nowhere"}},
      {"65536 characters or more", huge},
  };
  for (const auto& c : cases) {
    ui = commtest::RecordingUi{};
    EXPECT_FALSE(downloader.TokenizeProgram(c.text)) << c.what;
    EXPECT_FALSE(downloader.errorText().isEmpty()) << c.what;
    EXPECT_EQ(downloader.DownloadTokenization(false, c.text), comm::kNoPort) << c.what;
    ASSERT_EQ(ui.errors.size(), 1u) << c.what;
    EXPECT_EQ(ui.errors[0], QStringLiteral("Error! Tokenization Failed!")) << c.what;
    EXPECT_EQ(ui.failureDetail, downloader.errorText()) << c.what;
    EXPECT_TRUE(ui.opened.empty()) << c.what << ": no scan after a failed compile";
  }
}
