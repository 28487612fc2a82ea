#include <QByteArray>

#include "comm/Download.h"
#include "comm/Identify.h"
#include "comm/TextSource.h"
#include "tokenizer/Tokenizer.h"

namespace comm {

bool Downloader::TokenizeProgram(const QStringList& programText) {
  session_.DownloadModule = kVD2;
  session_.ProgramCount = 1;
  session_.PacketBuffer.clear();
  errorText_.clear();
  if (tokenizer_ == nullptr) {
    errorText_ = QStringLiteral("No tokenizer.");
    return false;
  }

  // The lines keep their bytes one for one (Latin-1), joined with line ends.
  const QByteArray source = programText.join(QStringLiteral("\r\n")).toLatin1();
  if (source.size() > tok::Tokenizer::SourceSizeLimit) {
    // The source area has a fixed size; a longer text is refused instead of overrunning it.
    errorText_ = QStringLiteral("The program text is too long to compile (%1 characters; at most %2).")
                     .arg(source.size())
                     .arg(tok::Tokenizer::SourceSizeLimit);
    return false;
  }
  if (!tokenizer_->SetSource(std::string_view(source.constData(), std::size_t(source.size())))) {
    errorText_ = QStringLiteral("The program text is too long to compile.");
    return false;
  }
  tokenizer_->Tokenize(false, true, false);
  const auto& result = tokenizer_->TokenizeResult;
  if (result.Success != 1 || result.PacketCount == 0) {
    errorText_ = result.Success != 1 && result.ErrorText
                     ? QString::fromLatin1(result.ErrorText)
                     : QStringLiteral("The compilation produced no packet.");
    return false;
  }
  session_.ProgramPackets[0] = result.PacketCount;
  for (int k = 0; k < result.PacketCount; ++k) {
    Packet packet;
    for (int i = 0; i < kPacketSize; ++i) packet[i] = result.PacketBuffer[k * kPacketSize + i];
    session_.PacketBuffer.push_back(packet);
  }
  return true;
}

int Downloader::DownloadTokenization(bool keepPortOpen, const QStringList& programText) {
  if (TokenizeProgram(programText)) return DownloadIt(keepPortOpen);
  outcome_ = DownloadOutcome{DownloadFailure::NothingToSend};
  ui_.ShowTokenizeFailure(Text(kTokenizeFailedText), errorText_);
  return kNoPort;
}

}  // namespace comm
