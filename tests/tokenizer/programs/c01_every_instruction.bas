' Every instruction, formatter and declaration form of the largest module.
'{$VARDA VD2PE}
'{$TESSIC 2.5}

LedPin    PIN 5
Servo     PIN 12
Baud      CON 84
Twice     CON Baud * 2
Later     CON Early + 1
Early     CON 3

counter   VAR WORD
values    VAR BYTE(4)
flag      VAR BIT
nibble    VAR NIB
lowPart   VAR counter.LOWBYTE
topBit    VAR counter.HIGHBIT

Table     DATA 1, 2, 3, "Hi", WORD 1000
Spare     DATA (8)
Filled    DATA 7(4)
          DATA @ 200, WORD Twice
Marker    DATA

Start:
  HIGH LedPin : LOW 6 : TOGGLE 7 : REVERSE 8 : INPUT 9 : OUTPUT 10
  LedPin = 1
  counter = Later + Early * 2 / 3 // 4 - 1
  values(2) = counter.HIGHBYTE + ~values(1)
  flag = IN3 & OUT4 | DIR5 ^ 1
  nibble = DCD 3 + NCD 8 + ABS -2 + SQR 100
  counter = COS 10 MIN 5 MAX 200 */ 3 ** 2 DIG 1 << 2 >> 1 REV 4 + SIN 7 HYP 2 ATN 1
  PAUSE 100 : NAP 1 : SLEEP 2 : POLLWAIT 3
  RANDOM counter
  READ Table, values(0), values(1), WORD counter
  WRITE 300, values(0), WORD counter
  GET 10, lowPart, WORD counter
  PUT 10, 255, WORD counter
  LOOKUP values(0), [10, 20, 30], values(1)
  LOOKDOWN counter, <> [1, 2, 3], values(2)
  LOOKDOWN counter, [4, 5], values(3)
  BRANCH values(0), [Start, Here, There]
Here:
  ON values(1) GOTO Start, There
  ON values(2) GOSUB Sub1, Sub2
There:
  GOSUB Sub1
  PULSOUT Servo, 750
  PULSIN 3, 1, counter
  RCTIME 4, 0, counter
  COUNT 5, 100, counter
  PWM 6, 128, 10
  FREQOUT 7, 100, 440
  FREQOUT 7, 100, 440, 880
  DTMFOUT 8, [1, 2, 3]
  DTMFOUT 8, 100, 50, [4]
  XOUT 9, 10, [1\2, 3\4\5]
  BUTTON 11, 0, 255, 20, values(3), 1, Start
  SHIFTOUT 1, 2, MSBFIRST, [counter\16, values(0)]
  SHIFTIN 1, 2, MSBPRE, [counter\16, values(1)]
  SEROUT 1, Baud, [DEC counter, " ", SDEC5 counter, HEX ? counter, ISBIN16 counter, CR]
  SEROUT 1\2, Baud, 1000, Timeout, ["x", REP "-"\5, STR values\4, STR ? values, ASC ? flag, ? counter]
  SEROUT 1, Baud, 10, [IHEX4 counter, BIN4 nibble, SHEX counter, DEC1 flag, LF, CLS]
  SERIN 2, Baud, [DEC counter, NUM counter, SNUM counter, SKIP 2, STR values\4\13]
  SERIN 2\3, Baud, Parity, 1000, Timeout, [WAIT ("OK"), WAITSTR values, WAITSTR values\3, values(0)]
  SERIN 2, Baud, Parity, [HEX2 values(1), SPSTR 4]
  SERIN 2, Baud, 500, Timeout, [BIN counter]
  I2CIN 0, $A0, [values(0), values(1)]
  I2CIN 0, $A0, 16, [values(0)]
  I2CIN 0, $A0, 16\1, [values(0)]
  I2COUT 0, $A0, 16, [1, 2]
  I2COUT 0, $A0, 16\1, [DEC 5]
  LCDCMD 1, 1
  LCDOUT 1, 128, ["Hello", DEC counter]
  LCDIN 1, 0, [values(0)]
  OWOUT 4, 1, [$CC, $44]
  OWIN 4, 2, [values(0), values(1)]
  POLLIN 1, 0 : POLLOUT 2, 1 : POLLMODE 2 : POLLRUN 0
  IOTERM 0 : STORE 1 : MAINIO : AUXIO
  DEBUG "Count ", DEC counter, CR, ? values(0), REP "*"\3
  DEBUGIN DEC counter, STR values\2
  RUN 1
Timeout:
Parity:
  IF counter > 10 THEN Start
  IF counter > 10 THEN GOTO Start
  IF counter = 1 AND NOT flag OR values(0) < 3 XOR nibble >= 2 THEN
    HIGH 1
  ELSEIF counter <= 5 THEN
    LOW 1
  ELSE
    TOGGLE 1
  ENDIF
  IF flag THEN HIGH 2 : LOW 3 ELSE LOW 2
  DO WHILE counter < 100
    counter = counter + 1
    IF counter = 50 THEN EXIT
  LOOP
  DO
    counter = counter - 1
  LOOP UNTIL counter = 0
  DO UNTIL flag
    flag = IN0
  LOOP
  DO
    flag = IN1
  LOOP WHILE flag = 0
  FOR counter = 1 TO 10 STEP 2
    FOR nibble = 0 TO 3
      IF nibble = counter THEN EXIT
    NEXT
  NEXT
  SELECT values(0)
    CASE 0
      HIGH 1
    CASE 1, 2
      HIGH 2
    CASE 3 TO 5, > 200
      HIGH 3
    CASE ELSE
      HIGH 4
  ENDSELECT
  STOP
  END
Sub1:
  RETURN
Sub2:
  RETURN
