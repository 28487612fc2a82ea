'{$VARDA VD2}
'{$TESSIC 2.5}

' Provisional robot program: replaced by the real one.

' ----- Main Action List -----
ActionList  DATA  "Q"

Start:
  END
