[PCB]
Posuw jalowy=7000
Posuw roboczy=800
DPI=254
Grubosc=1,6
Srednica wiazki=0,3
Dopasuj=1
Grawerski=1
Unoszenie=3
Zaglebianie=0,1
