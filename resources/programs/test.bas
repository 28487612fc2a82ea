'{$VARDA VD2}
'{$TESSIC 2.5}

' =====================================================================
'  Rovalis test program
'
'  Serves the test window, one exchange after the other:
'    1. receive 4 bytes on the programming port at 9600 baud: the right
'       servo's pulse width (low byte, high byte), then the left one's;
'       the module echoes them to the PC by itself;
'    2. read the infrared detectors and the whiskers;
'    3. send one pulse of each received width to its servo (a width of
'       0 sends no pulse, so that servo stops);
'    4. answer one byte: bit 0 left infrared sees an object, bit 1 right
'       infrared sees an object, bit 2 left whisker pressed, bit 3 right
'       whisker pressed.
' =====================================================================

' ----- Wiring: whiskers and detectors read 0 when they fire -----
RightIrDetector PIN 0
RightIrLed      PIN 2
LeftWhisker     PIN 5
RightWhisker    PIN 7
LeftIrLed       PIN 8
LeftIrDetector  PIN 9
RightServo      PIN 12
LeftServo       PIN 13

' ----- Programming port -----
ProgrammingPort CON 16
Baud9600        CON 84

' ----- Infrared detection -----
IrBurstTime     CON 1             ' ms of infrared light per detection
IrFrequency     CON 37500         ' Hz the detectors answer to

' ----- Variables -----
RightWidth      VAR WORD          ' pulse widths received from the PC
LeftWidth       VAR WORD
Answer          VAR NIB           ' sensor byte sent back
LeftIrSees      VAR Answer.BIT0
RightIrSees     VAR Answer.BIT1
LeftWhiskerDown VAR Answer.BIT2
RightWhiskerDown VAR Answer.BIT3

' ----- Exchange loop -----
Exchange:
  SERIN ProgrammingPort, Baud9600, [RightWidth.LOWBYTE, RightWidth.HIGHBYTE, LeftWidth.LOWBYTE, LeftWidth.HIGHBYTE]

  ' A detector sees an object only just after a burst on its LED.
  FREQOUT LeftIrLed, IrBurstTime, IrFrequency
  LeftIrSees = ~LeftIrDetector
  FREQOUT RightIrLed, IrBurstTime, IrFrequency
  RightIrSees = ~RightIrDetector
  LeftWhiskerDown = ~LeftWhisker
  RightWhiskerDown = ~RightWhisker

  IF LeftWidth > 0 THEN PULSOUT LeftServo, LeftWidth
  IF RightWidth > 0 THEN PULSOUT RightServo, RightWidth

  SEROUT ProgrammingPort, Baud9600, [Answer]
  GOTO Exchange
