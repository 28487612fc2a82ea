'{$VARDA VD2}
'{$TESSIC 2.5}
LOOKDOWN 5, >= [1, 2], B1
GOTO done
done:
