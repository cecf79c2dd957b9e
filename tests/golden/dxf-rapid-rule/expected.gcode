;(Header)
$32=1 ; ENABLE GRBL LASER MODE (https://github.com/gnea/grbl/wiki/Grbl-v1.1-Laser-Mode)
M7 ; TURN MIST ON 
M4 S1 ; SET LASER MODE
G0 X0 Y0
G90 ; absolute positions
G21 ; metric
;(Header end)
G0 X0.0000 Y0.0000
G1 X10.0000 Y0.0000
G0 X10.0200 Y0.0000
G1 X10.0200 Y10.0000
G0 X30.0000 Y0.0000
G1 X40.0000 Y0.0000
G1 X40.0050 Y10.0000
G0 X0.0000 Y0.0000
;(Footer)
M5; Disable laser
G21
G90
G0 X0 Y0
G4 P0.1
M9
$32=0
;(Footer end)
