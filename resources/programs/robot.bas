'{$VARDA VD2}
'{$TESSIC 2.5}

' =====================================================================
'  Rovalis robot program
'
'  The robot runs the step lists that Rovalis writes into the EEPROM
'  at the "Main Action List" comment below:
'    address 0       sensor mode: 0 off, 1 automatic avoidance,
'                    2 the user's sensor sets
'    address 1       0
'    address 2, 3    left and right servo centre: a servo stands still
'                    at the pulse width 650 + its centre
'    address 4..13   start addresses (words, low byte first) of the
'                    sets All, Set1, Set2, Set3 and Set4
'    address 14      the main list (ActionList), then the five sets
'  A list is a row of 2-byte entries, a command letter and its value,
'  ended by the single byte "Q".
'
'  Main list letters: F forward, B backward, L veer left, R veer right,
'  E rotate left, I rotate right (value: tenths of a second), S stop
'  and wait (value: the wait in tenths), G go back (value: entries
'  back from the go-to entry itself), C choose a sensor set (value:
'  situation column in bits 4-5, set in bits 0-2), Q end.
'  The sensor set reader knows F, B, R, L, I, E, S and Q.
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

' ----- EEPROM addresses of the settings -----
ModeAddress     CON 0
CentreAddress   CON 2             ' left centre, then right centre
SetTable        CON 4             ' one word per set: All, Set1 .. Set4
EntrySize       CON 2             ' letter byte and value byte

' ----- Sensor modes -----
SensorsOff      CON 0
AvoidMode       CON 1
SetsMode        CON 2

' ----- Speeds: 100 stands still -----
Still           CON 100
RampStep        CON 4             ' an actual speed moves at most this much per cycle
PulseBase       CON 550           ' pulse width = 550 + centre + actual speed

' ----- Timing -----
StartDelay      CON 3500          ' ms before the robot moves
RampPause       CON 6             ' ms per cycle while the speeds ramp
CruisePause     CON 8             ' ms per cycle at the desired speeds
CyclesPerTenth  CON 5             ' a servo cycle is about 20 ms
WaitNap         CON 0             ' nap level of the wait after a stop
IrBurstTime     CON 1             ' ms of infrared light per detection
IrFrequency     CON 37500         ' Hz the detectors answer to

' ----- Commands and situations -----
WaitLetter      CON "W"           ' queued wait of an "S" once standing still
UnknownKind     CON 7             ' a letter without a speed row
SetOff          CON 5             ' a situation that runs no set
NoSet           CON 0             ' SetPos when no set or manoeuvre runs
ColumnMask      CON %110000       ' "C" value: situation column
SetMask         CON %000111       ' "C" value: set number

' ----- Variables (26 bytes of RAM at most) -----
ListPos         VAR WORD          ' next main-list entry
SetPos          VAR WORD          ' next entry of the running set, or NoSet
Duration        VAR WORD          ' cycles still to drive, or units to wait
QueuedDuration  VAR WORD          ' rest of an interrupted command
LeftCentre      VAR BYTE
RightCentre     VAR BYTE
LeftSpeed       VAR BYTE          ' actual speeds
RightSpeed      VAR BYTE
LeftGoal        VAR BYTE          ' desired speeds
RightGoal       VAR BYTE
Letter          VAR BYTE          ' the command being run
Value           VAR BYTE          ' its value byte
QueuedLetter    VAR BYTE          ' interrupted command to go on with, 0 = none
Mode            VAR NIB
Kind            VAR NIB           ' row of the speed table
SetForBoth      VAR NIB           ' set run for each situation, SetOff = none
SetForLeft      VAR NIB
SetForRight     VAR NIB
SetNumber       VAR NIB           ' the set chosen when a sensor fires
Pattern         VAR NIB           ' sensors that fire, one bit each
RightWhiskerHit VAR Pattern.BIT0
LeftWhiskerHit  VAR Pattern.BIT1
RightIrHit      VAR Pattern.BIT2
LeftIrHit       VAR Pattern.BIT3

' ----- Main Action List -----
ActionList  DATA  "Q"

' ----- Avoidance manoeuvres of mode 1 -----
' Written like sensor sets and run by the set reader (values in tenths).
BackLeft        DATA "S",0, "B",2, "E",3, "Q"       ' stop, back 0.2 s, rotate left 0.3 s
BackRight       DATA "S",0, "B",2, "I",3, "Q"       ' stop, back 0.2 s, rotate right 0.3 s
TurnAround      DATA "B",2, "I",28, "Q"             ' back 0.2 s, rotate right 2.8 s
VeerLeft        DATA "L",7, "Q"                     ' veer left 0.7 s
VeerRight       DATA "R",7, "Q"                     ' veer right 0.7 s

' ----- Start -----
' Wait 3.5 s for the hands to leave the robot, then read the settings.
Start:
  PAUSE StartDelay
  READ ModeAddress, Mode
  READ CentreAddress, LeftCentre, RightCentre
  LeftSpeed = Still               ' the servos start standing still
  RightSpeed = Still
  SetForBoth = 0                  ' every situation starts with the set All
  SetForLeft = 0
  SetForRight = 0
  SetPos = NoSet
  QueuedLetter = 0
  ListPos = ActionList

' ----- Command loop -----
' Takes the next command: the running set's next entry, else the queued
' command, else the next main-list entry.
NextCommand:
  IF SetPos <> NoSet THEN SetEntry
  IF QueuedLetter <> 0 THEN Resume
  READ ListPos, Letter, Value
  ListPos = ListPos + EntrySize
  IF Letter = "Q" THEN ListEnd
  IF Letter = "G" THEN GoBack
  IF Letter = "C" THEN ChooseSet
  Duration = Value * CyclesPerTenth
  IF Letter <> "S" THEN SetGoals
  ' "S": ramp down to a stop now, and queue the wait for then
  QueuedLetter = WaitLetter
  QueuedDuration = Duration
  Duration = 0
  GOTO SetGoals

' "Q" ends the main list and the program.
ListEnd:
  END

' "G" goes back value entries, counted from the go-to entry itself.
GoBack:
  ListPos = ListPos - EntrySize - (Value * EntrySize)
  GOTO NextCommand

' "C" sets the set of one situation: 3 both, 2 left only, 1 right only;
' column 0 switches all three situations off.
ChooseSet:
  BRANCH Value & ColumnMask >> 4, [AllSituationsOff, RightColumn, LeftColumn, BothColumn]

AllSituationsOff:
  SetForBoth = SetOff
  SetForLeft = SetOff
  SetForRight = SetOff
  GOTO NextCommand

RightColumn:
  SetForRight = Value & SetMask
  GOTO NextCommand

LeftColumn:
  SetForLeft = Value & SetMask
  GOTO NextCommand

BothColumn:
  SetForBoth = Value & SetMask
  GOTO NextCommand

' The queued command: the rest of an interrupted one, or the wait of an "S".
Resume:
  Letter = QueuedLetter
  Duration = QueuedDuration
  QueuedLetter = 0
  IF Letter = WaitLetter THEN StandStill
  GOTO SetGoals

' ----- Set reader -----
' Runs the next entry of a sensor set or manoeuvre. I and E start from
' preset actual speeds; S stops at once and waits; Q ends the set, and
' the queued command goes on.
SetEntry:
  READ SetPos, Letter, Value
  SetPos = SetPos + EntrySize
  Duration = Value * CyclesPerTenth
  IF Letter = "Q" THEN SetEnd
  IF Letter = "S" THEN SetStop
  IF Letter = "I" THEN RightSpeed = 120 : LeftSpeed = 100
  IF Letter = "E" THEN RightSpeed = 100 : LeftSpeed = 80
  GOTO SetGoals

SetEnd:
  SetPos = NoSet
  GOTO NextCommand

SetStop:
  RightSpeed = Still
  LeftSpeed = Still
  GOTO StandStill

' ----- Driving -----
' Desired speeds of each command; a letter without a row is passed over.
SetGoals:
  Kind = UnknownKind
  LOOKDOWN Letter, ["F", "B", "L", "R", "E", "I", "S"], Kind
  IF Kind = UnknownKind THEN NextCommand
  '              F    B    L    R    E    I    S
  LOOKUP Kind, [  0, 200,   0,  90,  85, 120, 100], RightGoal
  LOOKUP Kind, [200,   0, 110, 200,  84, 120, 100], LeftGoal

' One servo cycle: while a speed differs from its desired speed, wait
' 6 ms and move both towards their desired speeds; else wait 8 ms and
' count one unit of the duration (none left: next command). Then one
' pulse to each servo, then the sensors.
Drive:
  IF RightSpeed = RightGoal AND LeftSpeed = LeftGoal THEN Cruise
  PAUSE RampPause
  IF RightSpeed < RightGoal THEN RightSpeed = RightSpeed + RampStep MAX RightGoal
  IF RightSpeed > RightGoal THEN RightSpeed = RightSpeed MIN RampStep - RampStep MIN RightGoal
  IF LeftSpeed < LeftGoal THEN LeftSpeed = LeftSpeed + RampStep MAX LeftGoal
  IF LeftSpeed > LeftGoal THEN LeftSpeed = LeftSpeed MIN RampStep - RampStep MIN LeftGoal
  GOTO Pulses

Cruise:
  IF Duration = 0 THEN NextCommand
  PAUSE CruisePause
  Duration = Duration - 1

Pulses:
  PULSOUT LeftServo, PulseBase + LeftCentre + LeftSpeed
  PULSOUT RightServo, PulseBase + RightCentre + RightSpeed
  IF SetPos <> NoSet THEN Drive            ' a set or manoeuvre runs unchecked
  IF Mode <> AvoidMode AND Mode <> SetsMode THEN Drive

' ----- Sensors -----
' The pattern: bit 0 right whisker, bit 1 left whisker, bit 2 right
' infrared, bit 3 left infrared. A detector sees an object only just
' after a 1 ms burst of 37500 Hz on its LED.
ReadSensors:
  RightWhiskerHit = ~RightWhisker
  LeftWhiskerHit = ~LeftWhisker
  FREQOUT RightIrLed, IrBurstTime, IrFrequency
  RightIrHit = ~RightIrDetector
  FREQOUT LeftIrLed, IrBurstTime, IrFrequency
  LeftIrHit = ~LeftIrDetector
  IF Pattern = 0 THEN Drive
  IF Mode = SetsMode THEN UserSet

' ----- Mode 1: automatic avoidance -----
' Keeps the rest of the command, then runs the pattern's manoeuvre:
'   1, 5 right whisker         stop, back, rotate left
'   2, 10 left whisker         stop, back, rotate right
'   4 right infrared           veer left, then the command goes on
'   8 left infrared            veer right, then the command goes on
'   3, 6, 7, 9, 11 to 15       back, turn around
' The back-and-rotate manoeuvres replace the interrupted command.
Avoid:
  IF QueuedLetter = 0 THEN QueuedLetter = Letter : QueuedDuration = Duration
  LOOKUP Pattern, [NoSet, BackLeft, BackRight, TurnAround, VeerLeft, BackLeft, TurnAround, TurnAround, VeerRight, TurnAround, BackRight, TurnAround, TurnAround, TurnAround, TurnAround, TurnAround], SetPos
  IF Pattern <> 4 AND Pattern <> 8 THEN QueuedLetter = 0
  GOTO NextCommand

' ----- Mode 2: the user's sensor sets -----
' Left only when no right sensor fires; both when both whiskers or both
' detectors fire; right only otherwise. A situation switched off lets
' the command go on untouched; else the rest of the command is kept and
' the situation's set runs from its start address.
UserSet:
  SetNumber = SetForLeft
  IF Pattern & %0101 <> 0 THEN SetNumber = SetForRight
  IF Pattern & %0011 = %0011 OR Pattern & %1100 = %1100 THEN SetNumber = SetForBoth
  IF SetNumber = SetOff THEN Drive
  IF QueuedLetter = 0 THEN QueuedLetter = Letter : QueuedDuration = Duration
  READ SetNumber * 2 + SetTable, WORD SetPos
  GOTO NextCommand

' ----- Waiting -----
' The wait after a stop: no pulses, one nap per unit of the duration.
StandStill:
  DO WHILE Duration > 0
    NAP WaitNap
    Duration = Duration - 1
  LOOP
  GOTO NextCommand
