' Patrol robot for the VD1 module: two servos, two whiskers, a speaker and a status LED.
'{$VARDA VD1}
'{$TESSIC 1.0}

SYMBOL leftServo = 0
SYMBOL rightServo = 1
SYMBOL speaker = 2
SYMBOL led = 3
SYMBOL leftWhisker = PIN4
SYMBOL rightWhisker = PIN5
SYMBOL steps = B2
SYMBOL turn = B3
SYMBOL mode = B4
SYMBOL counter = W3
SYMBOL seed = W4
SYMBOL spare = BIT15

REM data table: turn lengths, then a greeting
EEPROM 0, (10, 20, 30, 40)
EEPROM ("HELLO")
BSAVE

Start:
  LOW leftServo : LOW rightServo
  OUTPUT led
  INPUT 4 : INPUT 5
  DIRS = %00001111
  PINS = 0
  mode = 0
  counter = 0
  GOSUB Greet

Main:
  TOGGLE led
  IF leftWhisker = 0 AND rightWhisker = 0 THEN Backup
  IF leftWhisker = 0 THEN TurnRight
  IF rightWhisker = 0 THEN TurnLeft
  GOSUB Forward
  counter = counter + 1
  IF counter < 500 THEN Main
  GOTO Rest

Forward:
  PULSOUT leftServo, 200
  PULSOUT rightServo, 100
  PAUSE 20
  RETURN

Backup:
  FOR steps = 1 TO 25
    PULSOUT leftServo, 100
    PULSOUT rightServo, 200
    PAUSE 20
  NEXT steps
  GOSUB PickTurn
  GOTO Main

TurnLeft:
  READ 0, turn
  FOR steps = turn TO 1 STEP -1
    PULSOUT leftServo, 100 : PULSOUT rightServo, 100
    PAUSE 20
  NEXT
  GOTO Main

TurnRight:
  READ 1, turn
  FOR steps = 1 TO turn
    PULSOUT leftServo, 200 : PULSOUT rightServo, 200
    PAUSE 20
  NEXT
  GOTO Main

PickTurn:
  RANDOM seed
  turn = seed & 3 + 1
  LOOKUP turn, (10, 20, 30, 40), steps
  BRANCH mode, (TurnLeft, TurnRight)
  RETURN

Greet:
  SOUND speaker, (100, 10, 110, 10)
  SEROUT 6, N2400, ("HI", #mode, 13)
  RETURN

Rest:
  HIGH led
  DEBUG counter, "rest", CR
  WRITE 4, mode
  NAP 4
  LOOKDOWN mode, (0, 1, 2), turn
  REVERSE 7
  PWM 7, 128, 10
  POT 7, 100, steps
  PULSIN 4, 1, counter
  BUTTON 5, 0, 255, 10, B5, 1, Wake
  SLEEP 10
  GOTO Rest

Wake:
  SERIN 6, N2400, ("GO"), #mode
  mode = mode MAX 1
  LET spare = 1
  END
