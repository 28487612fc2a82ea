#include "comm/TestExchange.h"

#include "protocol/RobotProtocol.h"

namespace comm {

int TestExchange(TSerial& port, const TestCommand& command) {
  port.Read(0, 0);  // what is left of an earlier exchange
  port.WriteBuffer(command.data(), int(command.size()), protocol::kTestWriteTimeoutMs);
  port.Read(protocol::kTestCommandSize, protocol::kTestEchoTimeoutMs);  // the echo, not compared
  return port.ReadByte(protocol::kTestAnswerTimeoutMs);
}

}  // namespace comm
