' Evaluar and Relivo driven from VBScript, their events handled by Subs named
' after the control and the event. Prueba is the test host's object: it
' records the values the host compares with the Linux build.
Dim estados, terminado, sigue, cancelar, ultimoError
estados = 0
terminado = False
sigue = False
cancelar = False
ultimoError = 0

Sub Relivo1_Status(Stat, Porcentaje)
    estados = estados + 1
    If cancelar And Stat = "Procesando Superficie" Then Relivo1.Cancelar
End Sub

Sub Relivo1_Error(NumError, DescrError, Continuar)
    ultimoError = NumError
    Continuar = sigue
End Sub

Sub Relivo1_TerminoGraficacion()
    terminado = True
End Sub

Sub Evaluar1_Error(NumError, DescrError)
    Prueba.Anotar NumError & " " & DescrError
End Sub

Sub Principal()
    Evaluar1.Funcion = "sen(x)*cos(y) + 2x"
    Evaluar1.Valor("x") = 1
    Evaluar1.Valor("y") = 2
    Prueba.Numero "resultado", Evaluar1.Resultado
    Prueba.Texto "funcion", Evaluar1.Funcion
    Prueba.Texto "variable1", Evaluar1.Variable(1)
    Evaluar1.Funcion = "(x"
    Prueba.Numero "numeroError", Evaluar1.NumeroError

    Relivo1.Funcion = "sen(x)*cos(y)"
    Relivo1.XMin = -3
    Relivo1.XMax = 3
    Relivo1.YMin = -3
    Relivo1.YMax = 3
    Relivo1.NumeroLineasX = 10
    Relivo1.NumeroLineasY = 10
    Relivo1.AnguloX = 30
    Relivo1.AnguloY = 0
    Relivo1.AnguloZ = 20
    Relivo1.Graficar
    Prueba.Numero "estados", estados
    Prueba.Comprobar terminado, "TerminoGraficacion"

    ' Continuar, by reference: left False the value is not kept, set True it is.
    Relivo1.NumeroLineasX = -1
    Prueba.Numero "lineasSinSeguir", Relivo1.NumeroLineasX
    sigue = True
    Relivo1.NumeroLineasX = -1
    Prueba.Numero "lineasSiguiendo", Relivo1.NumeroLineasX
    sigue = False

    ' Cancelled from the Status handler.
    cancelar = True
    terminado = False
    Relivo1.NumeroLineasX = 12
    Relivo1.Graficar
    cancelar = False
    Prueba.Numero "cancelado", ultimoError
    Prueba.Comprobar Not terminado, "sin TerminoGraficacion al cancelar"

    ' The finished picture is a picture object.
    Dim g
    Set g = Relivo1.Grafica
    Prueba.Comprobar g.Width > 0, "Grafica es una imagen"
End Sub
