' Explorer: runs a list of movement steps and reacts to whiskers and infrared detectors.
'{$VARDA VD2}
'{$TESSIC 2.5}

LeftServo     PIN 13
RightServo    PIN 12
LeftWhisker   PIN 5
RightWhisker  PIN 7
LeftIrLed     PIN 9
RightIrLed    PIN 2
LeftIrIn      PIN 10
RightIrIn     PIN 0
Speaker       PIN 4

LeftCenter    CON 750
RightCenter   CON 750
Speed         CON 200
PulsePause    CON 20
StepsPerTenth CON 5

KindForward    CON 0
KindBackward   CON 1
KindTurnLeft   CON 2
KindTurnRight  CON 3
KindRotateLeft CON 4
KindRotateRight CON 5
KindHalt       CON 6
KindGoBack     CON 7

kind          VAR NIB
value         VAR WORD
stepAddress   VAR WORD
pulses        VAR WORD
counter       VAR WORD
leftPulse     VAR WORD
rightPulse    VAR WORD
sensors       VAR NIB
leftWhisk     VAR sensors.BIT0
rightWhisk    VAR sensors.BIT1
leftIr        VAR sensors.BIT2
rightIr       VAR sensors.BIT3
reactionSet   VAR BYTE
depth         VAR BYTE
tone          VAR BYTE

' ----- Step lists: kind, value (tenths of a second or target step) -----
List0 DATA 0, WORD 0, 3, WORD 37, 6, WORD 74, 1, WORD 111, 4, WORD 148, 7, WORD 185, 2, WORD 222, 5, WORD 259, 0, WORD 296, 3, WORD 33, 6, WORD 70, 1, WORD 107, 255
List1 DATA 1, WORD 11, 4, WORD 48, 7, WORD 85, 2, WORD 122, 5, WORD 159, 0, WORD 196, 3, WORD 233, 6, WORD 270, 1, WORD 7, 4, WORD 44, 7, WORD 81, 2, WORD 118, 255
List2 DATA 2, WORD 22, 5, WORD 59, 0, WORD 96, 3, WORD 133, 6, WORD 170, 1, WORD 207, 4, WORD 244, 7, WORD 281, 2, WORD 18, 5, WORD 55, 0, WORD 92, 3, WORD 129, 255
List3 DATA 3, WORD 33, 6, WORD 70, 1, WORD 107, 4, WORD 144, 7, WORD 181, 2, WORD 218, 5, WORD 255, 0, WORD 292, 3, WORD 29, 6, WORD 66, 1, WORD 103, 4, WORD 140, 255
List4 DATA 4, WORD 44, 7, WORD 81, 2, WORD 118, 5, WORD 155, 0, WORD 192, 3, WORD 229, 6, WORD 266, 1, WORD 3, 4, WORD 40, 7, WORD 77, 2, WORD 114, 5, WORD 151, 255
List5 DATA 5, WORD 55, 0, WORD 92, 3, WORD 129, 6, WORD 166, 1, WORD 203, 4, WORD 240, 7, WORD 277, 2, WORD 14, 5, WORD 51, 0, WORD 88, 3, WORD 125, 6, WORD 162, 255
Centers DATA WORD LeftCenter, WORD RightCenter
Scratch DATA (16)

Init:
  DEBUG "Explorer ready", CR
  FREQOUT Speaker, 1000, 3000
  stepAddress = List0
  reactionSet = 0
  depth = 0

Main:
  DO
    READ stepAddress, kind, WORD value
    IF kind = 255 THEN EXIT
    GOSUB RunStep
    GOSUB ReadSensors
    IF sensors <> 0 THEN GOSUB React
    stepAddress = stepAddress + 3
  LOOP
  GOSUB StopServos
  END

RunStep:
  SELECT kind
    CASE KindForward
      GOSUB DoForward
    CASE KindBackward
      GOSUB DoBackward
    CASE KindTurnLeft
      GOSUB DoTurnLeft
    CASE KindTurnRight
      GOSUB DoTurnRight
    CASE KindRotateLeft
      GOSUB DoRotateLeft
    CASE KindRotateRight
      GOSUB DoRotateRight
    CASE KindHalt
      GOSUB DoHalt
    CASE KindGoBack
      GOSUB DoGoBack
    CASE ELSE
      DEBUG "bad step ", DEC kind, CR
  ENDSELECT
  RETURN

DoForward:
  leftPulse = LeftCenter + Speed
  rightPulse = RightCenter - Speed
  GOSUB Drive
  RETURN

DoBackward:
  leftPulse = LeftCenter - Speed
  rightPulse = RightCenter + Speed
  GOSUB Drive
  RETURN

DoTurnLeft:
  leftPulse = LeftCenter
  rightPulse = RightCenter - Speed
  GOSUB Drive
  RETURN

DoTurnRight:
  leftPulse = LeftCenter + Speed
  rightPulse = RightCenter
  GOSUB Drive
  RETURN

DoRotateLeft:
  leftPulse = LeftCenter - Speed
  rightPulse = RightCenter - Speed
  GOSUB Drive
  RETURN

DoRotateRight:
  leftPulse = LeftCenter + Speed
  rightPulse = RightCenter + Speed
  GOSUB Drive
  RETURN

DoHalt:
  GOSUB StopServos
  FOR counter = 1 TO value
    PAUSE 100
  NEXT
  RETURN

DoGoBack:
  stepAddress = List0 + value * 3 - 3
  RETURN

Drive:
  pulses = value * StepsPerTenth
  FOR counter = 1 TO pulses
    PULSOUT LeftServo, leftPulse
    PULSOUT RightServo, rightPulse
    PAUSE PulsePause
  NEXT
  RETURN

StopServos:
  LOW LeftServo : LOW RightServo
  RETURN

ReadSensors:
  leftWhisk = 1 - LeftWhisker
  rightWhisk = 1 - RightWhisker
  FREQOUT LeftIrLed, 1, 38500
  leftIr = 1 - LeftIrIn
  FREQOUT RightIrLed, 1, 38500
  rightIr = 1 - RightIrIn
  RETURN

React:
  depth = depth + 1
  IF depth > 3 THEN
    depth = depth - 1
    RETURN
  ENDIF
  IF leftWhisk = 1 AND rightWhisk = 1 THEN
    reactionSet = 1
  ELSEIF leftWhisk = 1 THEN
    reactionSet = 2
  ELSEIF rightWhisk = 1 THEN
    reactionSet = 3
  ELSEIF leftIr = 1 OR rightIr = 1 THEN
    reactionSet = 4
  ELSE
    reactionSet = 5
  ENDIF
  LOOKUP reactionSet - 1, [List1, List2, List3, List4, List5], counter
  GOSUB RunList
  depth = depth - 1
  RETURN

RunList:
  DO
    READ counter, kind, WORD value
    IF kind = 255 THEN EXIT
    GOSUB RunStep
    counter = counter + 3
  LOOP UNTIL counter > List5 + 40
  RETURN

Diagnostics:
  IF IN0 = 1 THEN DEBUG "pin 0 high", CR ELSE DEBUG "pin 0 low", CR
  IF IN1 = 1 THEN DEBUG "pin 1 high", CR ELSE DEBUG "pin 1 low", CR
  IF IN2 = 1 THEN DEBUG "pin 2 high", CR ELSE DEBUG "pin 2 low", CR
  IF IN3 = 1 THEN DEBUG "pin 3 high", CR ELSE DEBUG "pin 3 low", CR
  IF IN4 = 1 THEN DEBUG "pin 4 high", CR ELSE DEBUG "pin 4 low", CR
  IF IN5 = 1 THEN DEBUG "pin 5 high", CR ELSE DEBUG "pin 5 low", CR
  IF IN6 = 1 THEN DEBUG "pin 6 high", CR ELSE DEBUG "pin 6 low", CR
  IF IN7 = 1 THEN DEBUG "pin 7 high", CR ELSE DEBUG "pin 7 low", CR
  IF IN8 = 1 THEN DEBUG "pin 8 high", CR ELSE DEBUG "pin 8 low", CR
  IF IN9 = 1 THEN DEBUG "pin 9 high", CR ELSE DEBUG "pin 9 low", CR
  IF IN10 = 1 THEN DEBUG "pin 10 high", CR ELSE DEBUG "pin 10 low", CR
  IF IN11 = 1 THEN DEBUG "pin 11 high", CR ELSE DEBUG "pin 11 low", CR
  IF IN12 = 1 THEN DEBUG "pin 12 high", CR ELSE DEBUG "pin 12 low", CR
  IF IN13 = 1 THEN DEBUG "pin 13 high", CR ELSE DEBUG "pin 13 low", CR
  FOR tone = 1 TO 8
    LOOKUP tone - 1, [262, 294, 330, 349, 392, 440, 494, 523], value
    FREQOUT Speaker, 200, value
  NEXT
  RETURN
