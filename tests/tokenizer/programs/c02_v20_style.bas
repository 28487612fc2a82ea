' A program in the 2.0 language: jump-form IFs, one READ target, no structures of 2.5.
'{$VARDA VD2}

Sensor  CON 3
x       VAR BYTE
y       VAR WORD
bits    VAR BIT(4)
Steps   DATA 10, 20, 30, 0

Main:
  READ Steps + x, y
  IF y = 0 THEN Done
  FOR x = 0 TO 3
    bits(x) = IN3
  NEXT
  IF IN3 = 1 AND x > 2 THEN Main
  BRANCH x, [Main, Done]
  GOSUB Blink
  x = x + 1 : GOTO Main
Done:
  DEBUG "done", CR
  END
Blink:
  HIGH 0 : PAUSE 100 : LOW 0 : PAUSE 100
  RETURN
