// Go from end to end: the builder's program and the test program are compiled by the real
// tokenizer and downloaded over a pseudo-terminal to the virtual robot.

#include <gtest/gtest.h>

#include <memory>

#include "CommTestSupport.h"
#include "actions/ListDocument.h"
#include "app/core/ProgramText.h"
#include "builder/BuildCode.h"
#include "comm/Download.h"
#include "comm/QtSerialDevice.h"
#include "sim/VirtualRobot.h"
#include "tokenizer/Tokenizer.h"

namespace {

QStringList RobotProgram() {
  app::ProgramText text;
  text.LoadProgramText(362);
  const builder::BuildResult built = builder::BuildCode(actions::ListDocument(), {}, text.toStdLines());
  EXPECT_TRUE(built.Ok);
  text.setStdLines(built.Lines);
  return text.lines();
}

QStringList TestProgram() {
  app::ProgramText text;
  text.LoadProgramText(364);
  return text.lines();
}

}  // namespace

TEST(Go, EepromHoldsExactlyTheCompiledImage) {
  commtest::EnsureCoreApplication();
  struct Case {
    const char* what;
    QStringList program;
  };
  const Case cases[] = {{"robot program", RobotProgram()}, {"test program", TestProgram()}};
  for (const auto& c : cases) {
    sim::VirtualRobot robot;
    ASSERT_TRUE(robot.Start());
    comm::PortSlots portSlots(comm::QtSerialDeviceFactory());
    comm::Session session(portSlots);
    const QString port = QString::fromStdString(robot.DevicePath());
    session.enumerate = [port](QStringList& list) { list = {port}; };
    session.SetSelectedPort("AUTO");
    session.ModuleNames = app::Global().ModuleNames;
    commtest::RecordingUi ui;
    auto tokenizer = std::make_unique<tok::Tokenizer>();
    comm::Downloader downloader(session, ui, tokenizer.get());

    EXPECT_EQ(downloader.DownloadTokenization(false, c.program), 0) << c.what;
    EXPECT_TRUE(ui.errors.empty()) << c.what << ": " << downloader.errorText().toStdString();
    EXPECT_TRUE(downloader.lastDownloadComplete()) << c.what;
    ASSERT_TRUE(robot.WaitForDownloads(1, 2000)) << c.what;

    const auto& result = tokenizer->TokenizeResult;
    EXPECT_EQ(ui.progress, result.PacketCount) << c.what;
    sim::Eeprom expected{};
    std::bitset<sim::kBlockCount> sentBlocks;
    for (int k = 0; k < result.PacketCount; ++k) {
      const int block = result.PacketBuffer[k * 18] & 0x7F;
      sentBlocks.set(block);
      for (int i = 0; i < 16; ++i) expected[block * 16 + i] = result.EEPROM[block * 16 + i];
    }
    const auto record = robot.lastDownload();
    EXPECT_EQ(record.blocksWritten, sentBlocks) << c.what;
    EXPECT_EQ(robot.eeprom(), expected) << c.what << ": the image's blocks and nothing else";
  }
}
