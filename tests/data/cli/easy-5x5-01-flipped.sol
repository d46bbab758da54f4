+-+-+-+-+x+
| x x x |1x
+x+-+-+-+x+
| | x2x2x0x
+x+-+-+-+x+
| x x x2|2x
+-+x+x+x+x+
x3|1x x1x3|
+-+x+-+-+-+
| x2| x x x
+-+-+x+x+x+
