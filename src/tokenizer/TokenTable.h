#pragma once
// Operation numbers of the VD2-family interpreters and the 7-bit code each module type expects
// for them. The interpreters of the larger modules renumbered a few operations, so the code
// written is always looked up here, never taken from the operation number.

#include <cstdint>

namespace tok {

enum Operation : uint8_t {
  OpEnd = 0,
  OpSleep = 1,
  OpNap = 2,
  OpStop = 3,
  OpOutput = 4,
  OpHigh = 5,
  OpToggle = 6,
  OpLow = 7,
  OpReverse = 8,
  OpGoto = 9,
  OpGosub = 10,
  OpReturn = 11,
  OpInput = 12,
  OpIf = 13,
  OpNext = 14,
  OpBranch = 15,
  OpLookup = 16,
  OpLookdown = 17,
  OpRandom = 18,
  OpRead = 19,
  OpWrite = 20,
  OpPause = 21,
  OpFreqout1 = 22,
  OpFreqout2 = 23,
  OpDtmfout = 24,
  OpXout = 25,
  OpLet = 26,
  OpGet = 27,
  OpPut = 28,
  OpRun = 29,
  OpMainio = 30,
  OpAuxio = 31,
  OpSerout = 32,
  OpSeroutFlow = 33,
  OpSerin = 34,
  OpSerinFlow = 35,
  OpPulsout = 36,
  OpPulsin = 37,
  OpCount = 38,
  OpShiftin = 39,
  OpShiftout = 40,
  OpRctime = 41,
  OpButton = 42,
  OpPwm = 43,
  OpLcdin = 44,
  OpLcdout = 45,
  OpLcdcmd = 46,
  OpI2cinLow = 47,
  OpI2cin = 48,
  OpI2coutLow = 49,
  OpI2cout = 50,
  OpPollrun = 51,
  OpPollmode = 52,
  OpPollin = 53,
  OpPollout = 54,
  OpPollwait = 55,
  OpOwout = 56,
  OpOwin = 57,
  OpIoterm = 58,
  OpStore = 59,
};

constexpr int OperationCount = 64;

// Code written for `operation` on `module` (2 VD2 .. 6 VD2PE). Modules outside 2..6 are
// treated as VD2.
uint8_t TokenCode(uint8_t operation, uint8_t module);

}  // namespace tok
