' The README's example (the page plot.hta) as a script for the Windows Script
' Host, as a user runs it: cscript ejemplo.vbs. It creates the control by
' its ProgID, plots the surface and writes what came out; an error ends the
' script with its text and exit status 1.
Option Explicit
Dim Relivo1
Set Relivo1 = CreateObject("Carvex.Relivo")
Relivo1.Funcion = "sen(x)*cos(y)"
Relivo1.XMin = -3 : Relivo1.XMax = 3
Relivo1.YMin = -3 : Relivo1.YMax = 3
Relivo1.NumeroLineasX = 20 : Relivo1.NumeroLineasY = 20
Relivo1.AnguloX = 30 : Relivo1.AnguloZ = 20
Relivo1.Graficar
If Relivo1.NumeroError <> 0 Then
    WScript.Echo Relivo1.Error
    WScript.Quit 1
End If
WScript.Echo "Funcion: " & Relivo1.Funcion
WScript.Echo "ZMin: " & Relivo1.ZMin
WScript.Echo "ZMax: " & Relivo1.ZMax
If Relivo1.Grafica.Width <= 0 Then
    WScript.Echo "Grafica no es una imagen"
    WScript.Quit 1
End If
