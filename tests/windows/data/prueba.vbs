' Evaluar and Relivo driven from VBScript, their events handled by Subs named
' after the control and the event. The host reads the global variables the
' script leaves and compares them with the Linux build's results.
Dim estados, terminado, sigue, cancelar, ultimoError, errores, ultimoErrorEvaluar, graficada
Dim resultado, funcion, variables, variable1, existeX, indiceX, numeroError, imagen
Dim lineasSinSeguir, lineasSiguiendo, cancelado, terminadoAlCancelar, estadosAlGraficar
estados = 0 : errores = 0 : ultimoError = 0
terminado = False : sigue = False : cancelar = False

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
    errores = errores + 1
    ultimoErrorEvaluar = NumError & " " & DescrError
End Sub

Sub Principal()
    Evaluar1.Funcion = "sen(x)*cos(y) + 2x"
    Evaluar1.Valor("x") = 1 : Evaluar1.Valor("y") = 2
    resultado = Evaluar1.Resultado
    funcion = Evaluar1.Funcion
    variables = Evaluar1.NumeroVariables
    variable1 = Evaluar1.Variable(1)
    existeX = Evaluar1.ExisteVariable("X")
    indiceX = Evaluar1.IndiceVariable("x")
    Evaluar1.Funcion = "(x"
    numeroError = Evaluar1.NumeroError

    Relivo1.Funcion = "sen(x)*cos(y)"
    Relivo1.XMin = -3 : Relivo1.XMax = 3
    Relivo1.YMin = -3 : Relivo1.YMax = 3
    Relivo1.NumeroLineasX = 10 : Relivo1.NumeroLineasY = 10
    Relivo1.AnguloX = 30 : Relivo1.AnguloY = 0 : Relivo1.AnguloZ = 20
    Relivo1.Graficar
    graficada = terminado : estadosAlGraficar = estados

    ' Continuar, by reference: left False the value is not kept, set True it is.
    Relivo1.NumeroLineasX = -1
    lineasSinSeguir = Relivo1.NumeroLineasX
    sigue = True
    Relivo1.NumeroLineasX = -1
    lineasSiguiendo = Relivo1.NumeroLineasX
    sigue = False

    ' Cancelled from the Status handler.
    cancelar = True : terminado = False
    Relivo1.NumeroLineasX = 12
    Relivo1.Graficar
    cancelar = False
    cancelado = ultimoError
    terminadoAlCancelar = terminado

    ' The finished picture is a picture object.
    imagen = Relivo1.Grafica.Width > 0
End Sub
