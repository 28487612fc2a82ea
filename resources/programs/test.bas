'{$VARDA VD2}
'{$TESSIC 2.5}

' Provisional test program: replaced by the real one.
Main:
  GOTO Main
